// Phrase masks from the phrase digit orders and the bar pattern texts.
#include "render/bar_masks.h"

namespace brisolt::render {
namespace {

constexpr int kMembersPerGroup = 10;
constexpr char kSounding = '1';

}  // namespace

BarMasks::BarMasks(const compose::Composer& composer, int groupDigit)
    : composer_(composer),
      groupDigit_(static_cast<char>('0' + groupDigit)),
      digitOrders_(composer.plan().phraseDigitOrders) {}

void BarMasks::startPhrase() {
  const std::size_t end = digitOrders_.find('|', orderCursor_);
  const std::string_view order =
      std::string_view(digitOrders_).substr(orderCursor_, end == std::string::npos ? std::string::npos : end - orderCursor_);
  orderCursor_ = end == std::string::npos ? digitOrders_.size() : end + 1;

  // A phrase the plan gave no digit order (or a group digit missing from
  // it) has no mask to pick: every bar of that phrase sounds.
  phraseMask_.clear();
  const std::size_t member = order.find(groupDigit_);
  const auto& bitmaps = composer_.patternBitmaps();
  const std::size_t index =
      static_cast<std::size_t>(composer_.plan().variationIndex) * kMembersPerGroup + member;
  if (member != std::string_view::npos && index < bitmaps.size()) phraseMask_ = bitmaps[index];
  if (phraseMask_.empty()) phraseMask_ = std::string(1, kSounding);
  while (phraseMask_.size() < static_cast<std::size_t>(compose::Composer::barsPerPhrase)) phraseMask_ += phraseMask_;
}

char BarMasks::maskOf(int bar) {
  const int inPhrase = bar % compose::Composer::barsPerPhrase;
  if (inPhrase == 0 || phraseMask_.empty()) startPhrase();
  return phraseMask_[static_cast<std::size_t>(inPhrase)];
}

}  // namespace brisolt::render
