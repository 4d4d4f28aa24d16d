// Reading texts of number pairs such as "(25,36),(20,31)" or "(1,20)(2,20)":
// the range lists and weighted choices that the voice renderers use.
#pragma once

#include <string_view>
#include <utility>
#include <vector>

namespace brisolt::compose {

// The numbers of the text, separated by any of ",", "(", ")" and blanks,
// taken two at a time. A number left without a partner is dropped.
std::vector<std::pair<int, int>> numberPairs(std::string_view text);

}  // namespace brisolt::compose
