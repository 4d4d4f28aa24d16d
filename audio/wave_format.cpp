// Header template, predicted sizes and gains of the program's audio format.
#include "audio/wave_format.h"

#include <charconv>
#include <cmath>
#include <limits>

namespace brisolt::audio {
namespace {

// Truncates toward zero into 32 bits, saturating where the value does not fit.
std::uint32_t truncateToUnsigned32(double value) {
  if (!(value > 0.0)) return 0;  // also NaN
  if (value >= 4294967295.0) return std::numeric_limits<std::uint32_t>::max();
  return static_cast<std::uint32_t>(value);
}

}  // namespace

void buildHeaderTemplate(HeaderTemplate& header, std::uint32_t riffSize) {
  header.fill(0);
  std::size_t filled = 0;
  std::string_view rest = kHeaderTemplate;
  while (!rest.empty() && filled < header.size()) {
    const std::size_t start = rest.find_first_not_of(' ');
    if (start == std::string_view::npos) break;
    rest.remove_prefix(start);
    const std::size_t end = std::min(rest.find(' '), rest.size());
    long value = 0;
    std::from_chars(rest.data(), rest.data() + end, value);  // leading digits, 0 when none
    header[filled++] = static_cast<std::uint8_t>(value & 0xFF);
    rest.remove_prefix(end);
  }
  for (int i = 0; i < 4; ++i) header[4 + i] = static_cast<std::uint8_t>(riffSize >> (8 * i));
}

std::uint32_t predictedDataSize(int bars, int tempo) {
  const double seconds = static_cast<double>(bars) * 4 * 60 / static_cast<double>(tempo) + kExtraSeconds;
  return truncateToUnsigned32(seconds * 1000 * 44.1);
}

double attenuationGain(int step) {
  double gain = 1.0;
  while (step > 1) {
    gain -= 0.11;
    --step;
  }
  return gain;
}

std::uint32_t millisecondsToBytes(double milliseconds) {
  const std::uint32_t bytes = truncateToUnsigned32(milliseconds * 44.1);
  return bytes - (bytes % 2);
}

}  // namespace brisolt::audio
