// What the tests that plan and render whole pieces share: the settings that
// shape a piece, planning it with a fixed session id, and a render host that
// counts what the render reports.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "compose/composer.h"
#include "compose/plan_options.h"
#include "render/render_driver.h"

namespace brisolt::test {

// The settings of one piece; the defaults are the window's first start but
// for the open motif form and motif mode 0.
struct PieceSettings {
  std::uint32_t sessionId = 20240131;
  int phrases = 5;
  int keySignature = 1;
  int scale = 0;
  int motifMode = 0;
  int phraseMode = 0;
  const char* motifForm = "Ope";
  const char* similarity = "Sim";
  const char* voiceSet = "F";
  const char* tempo = "60";
};

// "seed 777, 5 phrases, key 7, scale 3, motif mode 5, phrase mode 2, CloComB, tempo 60".
std::string describe(const PieceSettings& piece);

// The planner options of `piece`, every file of it written under `prefix`.
compose::PlanOptions planOptionsFor(const PieceSettings& piece, const std::string& prefix);

// Plans `piece` into `composer` with its session id and removes the log it
// writes; false when fewer phrases were planned than asked for.
bool planPiece(compose::Composer& composer, const PieceSettings& piece, const std::string& prefix);

// Counts the progress steps, the aborts and the mixes a render reports.
class CountingHost : public render::RenderHost {
 public:
  void advanceProgress() override { ++steps; }
  void showRemainingTime() override {}
  void abortGeneration() override { ++aborts; }
  void mixWritten(int mix) override { mixes.push_back(mix); }

  int steps = 0;
  int aborts = 0;
  std::vector<int> mixes;
};

}  // namespace brisolt::test
