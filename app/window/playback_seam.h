// The seam between the main window and playback: the window owns one
// PlaybackCommands, made by a PlaybackFactory from what playback needs of
// the window. The program's factory is programPlayback().
#pragma once

#include <functional>
#include <memory>

#include "audio/file_mixer.h"
#include "compose/composer.h"
#include "midi/midi_piece.h"
#include "platform/media/media_player.h"
#include "platform/window/dialog_window.h"
#include "playback/playback_commands.h"
#include "playback/session_state.h"

namespace brisolt {

// Everything is owned by the main window and outlives the PlaybackCommands.
struct PlaybackContext {
  playback::SessionState& state;
  platform::DialogWindow& window;
  platform::MediaPlayer& player;  // the window's player of the media command strings
  compose::Composer& composer;    // for the phrase excerpt of Save Session
  audio::FileMixer& mixer;        // the program-wide mixer, whose files Stop closes
  // Runs the window's compose action (Generate).
  std::function<void()> compose;
  // Hides the REMAINING TIME label and the time digits of a Generate.
  std::function<void()> hideRemainingTime;
  // The notes of a session as its MIDI file holds them (null when it has
  // none), for the MIDI file of a saved phrase.
  std::function<const midi::MidiPiece*(const std::string& prefix)> sessionMidi;
};

using PlaybackFactory = std::function<std::unique_ptr<playback::PlaybackCommands>(const PlaybackContext& context)>;

// The playback of the program's window.
PlaybackFactory programPlayback();

}  // namespace brisolt
