// A voice's pattern string as the renderers read it: one character per
// planned melody note, starting `variationOffset` characters in and cycling
// through the whole string once its end is reached.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "compose/composer.h"

namespace brisolt::render {

class PatternReader {
 public:
  // Prepares `pattern` for the plan in `composer`: upper case, the first
  // variationOffset characters dropped, stretched by the plan's stretch
  // factor. The restart copy is the whole string, upper case and stretched.
  PatternReader(std::string_view pattern, const compose::Composer& composer);

  // The next character. After the last character of the working string the
  // restart copy follows, again and again. An empty pattern reads as '0'.
  char next();

 private:
  std::string working_;
  std::string restart_;
  const std::string* current_;
  std::size_t position_ = 0;
};

}  // namespace brisolt::render
