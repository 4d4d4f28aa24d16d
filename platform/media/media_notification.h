// The notification that a "play ... notify" command arranges: how playback
// ended, delivered to a sink that the owner of the player supplies.
#pragma once

#include <cstdint>
#include <functional>
#include <iosfwd>
#include <string_view>

namespace brisolt::platform {

// How a play that asked for notification ended, for the player, playback and
// the window that carries it to its thread. The values are the flag bits
// of the media-control interface the program was designed around.
//
// - kSuccessful: playback reached the end of the sample data. Sent exactly
//   once per play that reaches the end, never for anything else.
// - kSuperseded: a later "play ... notify" on the same device took over the
//   request while playback went on (play while already playing).
// - kAborted: a later "pause", "stop", "seek" or "close" interrupted playback
//   before the end.
// - kFailure: the play could not start or could not go on: the alias is not
//   open, the audio output could not be opened, or the file stopped being
//   readable.
//
// A listener that only wants to know when playback is over treats successful
// and failure as the end and ignores the other two.
enum class MediaNotification : std::uint32_t {
  kSuccessful = 0x1,
  kSuperseded = 0x2,
  kAborted = 0x4,
  kFailure = 0x8,
};

// Number of an open device, given out by "open" (its answer) and carried by
// its notifications; 0 for a failed play on an alias that is not open.
using DeviceId = std::uint32_t;

// Receives notifications. It may be called from the audio thread (successful
// and failure in mid-play) as well as from the thread that sends commands, and
// from two threads at once: it must be thread-safe, return quickly, and must
// not call the player. Post the flag to a queue or set an atomic flag.
using NotificationSink = std::function<void(MediaNotification flag, DeviceId device)>;

std::string_view mediaNotificationName(MediaNotification flag);
std::ostream& operator<<(std::ostream& out, MediaNotification flag);

}  // namespace brisolt::platform
