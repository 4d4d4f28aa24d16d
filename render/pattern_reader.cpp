// Preparation and cyclic reading of a voice's pattern string.
#include "render/pattern_reader.h"

#include <algorithm>

namespace brisolt::render {
namespace {

std::string upperCase(std::string_view text) {
  std::string upper(text);
  for (char& c : upper) {
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  }
  return upper;
}

}  // namespace

PatternReader::PatternReader(std::string_view pattern, const compose::Composer& composer) {
  const std::string upper = upperCase(pattern);
  const auto dropped = static_cast<std::size_t>(std::max(composer.plan().variationOffset, 0));
  working_ = composer.stretchText(std::string_view(upper).substr(std::min(dropped, upper.size())));
  restart_ = composer.stretchText(upper);
  current_ = &working_;
}

char PatternReader::next() {
  if (position_ >= current_->size()) {
    current_ = &restart_;
    position_ = 0;
    if (restart_.empty()) return '0';
  }
  return (*current_)[position_++];
}

}  // namespace brisolt::render
