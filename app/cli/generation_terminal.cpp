// The terminal's view of a generation: a redrawn bar, or a line per mix.
#include "app/cli/generation_terminal.h"

#include <ostream>
#include <string>

#include "session/generation_progress.h"

namespace brisolt {
namespace {

constexpr int kBarWidth = 42;  // one character per two steps
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

void TerminalProgress::finish() {
  if (barDrawn_) out_ << "\n" << std::flush;
  barDrawn_ = false;
}

void TerminalProgress::drawBar() {
  const int filled = position_ * kBarWidth / kGenerationSteps;
  out_ << "\rComposing [" << std::string(static_cast<std::size_t>(filled), '#')
       << std::string(static_cast<std::size_t>(kBarWidth - filled), '.') << "] " << position_ << "/"
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
