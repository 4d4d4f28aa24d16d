// The terminal's view of a generation: a redrawn bar, or a line per mix.
#include "app/cli/generation_terminal.h"

#include <algorithm>
#include <ostream>
#include <string>

#include "session/generation_progress.h"

namespace brisolt {
namespace {

constexpr int kBarWidth = 42;  // one character per two steps

// "[####......]" for `done` of `whole`.
std::string barOf(int done, int whole) {
  const int filled = done * kBarWidth / whole;
  return "[" + std::string(static_cast<std::size_t>(filled), '#') +
         std::string(static_cast<std::size_t>(kBarWidth - filled), '.') + "]";
}
constexpr int kGroupCount = render::kRenderMixCount - 1;

}  // namespace

TerminalProgress::TerminalProgress(std::ostream& out, Style style, ElapsedSeconds elapsed)
    : out_(out), style_(style), elapsed_(std::move(elapsed)) {}

void TerminalProgress::advanceProgress() {
  ++position_;
  if (style_ == Style::kBar) drawBar();
}

void TerminalProgress::showRemainingTime() {
  if (const auto remaining = remainingSeconds(position_, kGenerationSteps, elapsed_())) remaining_ = remaining;
  if (style_ == Style::kBar) drawBar();
}

void TerminalProgress::mixWritten(int mix) {
  if (style_ != Style::kLines) return;
  out_ << "brisolt compose: "
       << (mix <= kGroupCount ? "group " + std::to_string(mix) + " of " + std::to_string(kGroupCount) + " mixed"
                              : std::string("final mix written"))
       << " (" << position_ << "/" << kGenerationSteps << " steps" << estimateText() << ")\n"
       << std::flush;
}

void TerminalProgress::showRendition(double done) {
  if (style_ == Style::kQuiet) return;
  const std::int64_t now = elapsed_();
  if (!renditionStart_) renditionStart_ = now;
  const int percent = static_cast<int>(std::clamp(done, 0.0, 1.0) * 100);
  const bool quarter = percent / 25 != renditionPercent_ / 25 || renditionPercent_ < 0;
  if (percent == renditionPercent_ || (style_ == Style::kLines && !quarter)) return;
  renditionPercent_ = percent;
  // Whole seconds are too coarse to go on in the rendition's first second.
  const std::int64_t spent = now - *renditionStart_;
  const std::optional<int> remaining =
      spent >= 1 && percent < 100 ? remainingSeconds(percent, 100, spent) : std::nullopt;
  const std::string left = remaining ? "  remaining " + minutesAndSeconds(*remaining) : std::string("            ");
  if (style_ == Style::kLines) {
    out_ << "brisolt compose: stereo rendition " << percent << " %"
         << (remaining ? ", about " + minutesAndSeconds(*remaining) + " left" : std::string()) << "\n"
         << std::flush;
    return;
  }
  out_ << "\rRendition " << barOf(percent, 100) << " " << percent << " %  " << left << std::flush;
  barDrawn_ = true;
}

void TerminalProgress::finish() {
  if (barDrawn_) out_ << "\n" << std::flush;
  barDrawn_ = false;
}

void TerminalProgress::drawBar() {
  out_ << "\rComposing " << barOf(position_, kGenerationSteps) << " " << position_ << "/"
       << kGenerationSteps << (remaining_ ? "  remaining " + minutesAndSeconds(*remaining_) : std::string("            "))
       << std::flush;
  barDrawn_ = true;
}

std::string TerminalProgress::estimateText() {
  // Lines say the estimate when it changes, not the same one on every line.
  if (!remaining_ || remaining_ == remainingPrinted_) return {};
  remainingPrinted_ = remaining_;
  return ", about " + minutesAndSeconds(*remaining_) + " left";
}

}  // namespace brisolt
