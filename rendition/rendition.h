// The mastered stereo rendition of a piece: its notes played on a SoundFont
// piano with reverb, ringing out into the room's decay, mastered to -16 LUFS
// with true peaks at or under -1 dBTP, written as a 16-bit 44.1 kHz stereo
// WAV file on the same timeline as the notes. Made in two passes that keep
// only a few blocks in memory: the notes are played and measured into an
// unnamed temporary file of floats, which is then mastered into the WAV file.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "rendition/mastering.h"
#include "rendition/stereo_audio.h"

namespace brisolt::rendition {

enum class RenditionResult {
  kOk,
  kNoSynthLibrary,     // built without the FluidSynth library
  kNoSoundfont,        // no piano SoundFont found
  kSoundfontUnusable,  // the SoundFont could not be loaded or has no piano
  kMasteringFailed,    // the loudness meter or the limiter failed
  kCannotWrite,        // the WAV file or the temporary file could not be written
  kStopped,            // the progress callback asked to stop
};

// How far the rendition has come: `done` rises from 0 to 1 over the playing
// and the mastering, reported after every block. Returning false stops it.
using RenditionProgress = std::function<bool(double done)>;

// The share of a rendition's time that the playing takes; the mastering
// takes the rest (measured in the window on pieces of 5 to 40 phrases).
inline constexpr double kPlayingShare = 0.74;

struct RenditionRequest {
  std::vector<RenditionNote> notes;
  double lengthSeconds = 0.0;  // at least this long; longer while the last notes decay
  std::string soundfontPath;   // empty: findPianoSoundfont()
  std::string scratchFolder;   // for the temporary file; empty: $TMPDIR, else /tmp
  MasteringTarget target;
  RenditionProgress progress;  // none: runs to its end unwatched
};

struct Rendition {
  RenditionResult result = RenditionResult::kOk;
  std::string message;  // empty on success, else what failed and what would fix it
  Mastering mastering;  // the figures of the mastering, when it ran
  double seconds = 0.0; // the length of the written audio
};

// Plays, masters and writes the rendition to `wavePath`. A silent request
// (no notes) is written unmastered; a mastering that misses its target by a
// little keeps the closest attempt and says so in `mastering`. Unless the
// result is kOk, nothing is left at `wavePath`.
Rendition renderRendition(const RenditionRequest& request, const std::string& wavePath);

}  // namespace brisolt::rendition
