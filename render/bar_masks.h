// The per-bar on/off mask of a voice: at the start of every phrase the
// position of the voice's group digit in that phrase's digit order picks one
// of the ten texts of the piece's row of bar patterns, whose sixteen
// characters then let the phrase's bars sound ('1') or mute them ('0').
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "compose/composer.h"

namespace brisolt::render {

class BarMasks {
 public:
  BarMasks(const compose::Composer& composer, int groupDigit);

  // The mask character of bar `bar`; ask for the bars in order, from bar 0.
  char maskOf(int bar);

 private:
  void startPhrase();

  const compose::Composer& composer_;
  char groupDigit_;
  std::string digitOrders_;  // the plan's orders; a cursor walks them phrase by phrase
  std::size_t orderCursor_ = 0;
  std::string phraseMask_;
};

}  // namespace brisolt::render
