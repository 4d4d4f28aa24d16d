// Writes a piece as a Standard MIDI File, format 1: a conductor track (tempo
// 60, key signature, the key, scale and session as text) and one track per
// voice, named by its letter, on the acoustic grand piano (GM program 0).
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "midi/midi_piece.h"
#include "platform/files/file_write.h"

namespace brisolt::midi {

// Time resolution: at tempo 60 one quarter note lasts one second, so a tick
// is 1/480 s.
inline constexpr int kTicksPerQuarter = 480;
inline constexpr std::uint32_t kMicrosecondsPerQuarter = 1'000'000;

// The whole file in memory. Notes are rounded to the nearest tick; a note
// lasts at least one tick; a note struck again on the same key of the same
// track while it still sounds is ended where the new one begins. Tracks take
// MIDI channels 1..16 in turn, skipping the drum channel 10.
std::vector<std::uint8_t> encodeMidiFile(const MidiPiece& piece);

using MidiWriteResult = platform::FileWriteResult;
using MidiWrite = platform::FileWrite;

// Encodes `piece` and writes it to `path`, replacing any file there.
MidiWrite writeMidiFile(const MidiPiece& piece, const std::string& path);

}  // namespace brisolt::midi
