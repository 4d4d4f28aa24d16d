// Reading texts of number pairs such as "(25,36),(20,31)".
#include "compose/number_pairs.h"

#include <string>

namespace brisolt::compose {

std::vector<std::pair<int, int>> numberPairs(std::string_view text) {
  std::vector<int> numbers;
  std::string number;
  const auto endNumber = [&] {
    if (!number.empty() && number != "-") numbers.push_back(std::stoi(number));
    number.clear();
  };
  for (const char c : text) {
    if ((c >= '0' && c <= '9') || (c == '-' && number.empty())) {
      if (number.size() < 9) number += c;
    } else {
      endNumber();
    }
  }
  endNumber();
  std::vector<std::pair<int, int>> pairs;
  for (std::size_t i = 0; i + 1 < numbers.size(); i += 2) pairs.emplace_back(numbers[i], numbers[i + 1]);
  return pairs;
}

}  // namespace brisolt::compose
