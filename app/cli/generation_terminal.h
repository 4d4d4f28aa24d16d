// How `brisolt compose` shows a generation: on a terminal, a progress bar of
// the 84 steps with the remaining-time estimate; elsewhere (a log file, a
// pipe) one plain line per mix; with --quiet, nothing.
#pragma once

#include <cstdint>
#include <functional>
#include <iosfwd>
#include <optional>

#include "render/render_driver.h"

namespace brisolt {

class TerminalProgress : public render::RenderHost {
 public:
  enum class Style { kBar, kLines, kQuiet };
  // Whole seconds since the generation began.
  using ElapsedSeconds = std::function<std::int64_t()>;

  TerminalProgress(std::ostream& out, Style style, ElapsedSeconds elapsed);

  // Also used for Generate's own two steps, before and after planning.
  void advanceProgress() override;
  void showRemainingTime() override;
  void abortGeneration() override { aborted_ = true; }
  void mixWritten(int mix) override;

  // The stereo rendition, `done` from 0 to 1: a bar of its own after the
  // render's, or a line at every quarter.
  void showRendition(double done);

  // Ends the bar's line, so what is printed next starts a line of its own.
  void finish();

  bool aborted() const { return aborted_; }
  int position() const { return position_; }

 private:
  void drawBar();
  std::string estimateText();

  std::ostream& out_;
  Style style_;
  ElapsedSeconds elapsed_;
  int position_ = 0;
  std::optional<int> remaining_;
  std::optional<int> remainingPrinted_;  // the estimate on the last line, so it is not repeated
  bool aborted_ = false;
  bool barDrawn_ = false;
  int renditionPercent_ = -1;  // the percent last shown of the rendition
  std::optional<std::int64_t> renditionStart_;  // elapsed seconds when it began
};

}  // namespace brisolt
