// A minimal PNG encoder: 8-bit RGB or RGBA rows in stored deflate blocks.
#include "platform/window/preview/png_file.h"

#include <array>
#include <cstdint>
#include <fstream>
#include <vector>

namespace brisolt::platform {
namespace {

std::uint32_t crc32(const std::uint8_t* data, std::size_t length, std::uint32_t crc = 0xFFFFFFFFu) {
  static const auto table = [] {
    std::array<std::uint32_t, 256> t{};
    for (std::uint32_t n = 0; n < 256; ++n) {
      std::uint32_t c = n;
      for (int k = 0; k < 8; ++k) c = (c & 1u) ? 0xEDB88320u ^ (c >> 1) : c >> 1;
      t[n] = c;
    }
    return t;
  }();
  for (std::size_t i = 0; i < length; ++i) crc = table[(crc ^ data[i]) & 0xFFu] ^ (crc >> 8);
  return crc;
}

void put32(std::vector<std::uint8_t>& out, std::uint32_t value) {
  for (int shift = 24; shift >= 0; shift -= 8) out.push_back(static_cast<std::uint8_t>(value >> shift));
}

void chunk(std::vector<std::uint8_t>& file, const char* type, const std::vector<std::uint8_t>& data) {
  put32(file, static_cast<std::uint32_t>(data.size()));
  std::vector<std::uint8_t> body(type, type + 4);
  body.insert(body.end(), data.begin(), data.end());
  file.insert(file.end(), body.begin(), body.end());
  put32(file, crc32(body.data(), body.size()) ^ 0xFFFFFFFFu);
}

}  // namespace

bool writePng(SDL_Surface* surface, const std::string& path, PngChannels channels) {
  const bool alpha = channels == PngChannels::kRgba;
  const int bytesPerPixel = alpha ? 4 : 3;
  SDL_Surface* rgb = SDL_ConvertSurfaceFormat(surface, alpha ? SDL_PIXELFORMAT_RGBA32 : SDL_PIXELFORMAT_RGB24, 0);
  if (!rgb) return false;
  const int width = rgb->w, height = rgb->h;
  std::vector<std::uint8_t> raw;
  raw.reserve(static_cast<std::size_t>(height) * (width * bytesPerPixel + 1));
  for (int y = 0; y < height; ++y) {
    raw.push_back(0);  // no filter
    const auto* row = static_cast<const std::uint8_t*>(rgb->pixels) + y * rgb->pitch;
    raw.insert(raw.end(), row, row + width * bytesPerPixel);
  }
  SDL_FreeSurface(rgb);

  std::vector<std::uint8_t> deflate{0x78, 0x01};
  std::uint32_t a = 1, b = 0;
  for (std::uint8_t byte : raw) {
    a = (a + byte) % 65521u;
    b = (b + a) % 65521u;
  }
  for (std::size_t at = 0; at < raw.size() || at == 0; at += 65535) {
    const std::size_t length = std::min<std::size_t>(65535, raw.size() - at);
    deflate.push_back(at + length >= raw.size() ? 1 : 0);
    deflate.push_back(static_cast<std::uint8_t>(length));
    deflate.push_back(static_cast<std::uint8_t>(length >> 8));
    deflate.push_back(static_cast<std::uint8_t>(~length));
    deflate.push_back(static_cast<std::uint8_t>(~length >> 8));
    deflate.insert(deflate.end(), raw.begin() + static_cast<long>(at), raw.begin() + static_cast<long>(at + length));
    if (raw.empty()) break;
  }
  put32(deflate, (b << 16) | a);

  std::vector<std::uint8_t> file{0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
  std::vector<std::uint8_t> header;
  put32(header, static_cast<std::uint32_t>(width));
  put32(header, static_cast<std::uint32_t>(height));
  const std::uint8_t colourType = alpha ? 6 : 2;  // 8-bit RGBA or RGB
  header.insert(header.end(), {8, colourType, 0, 0, 0});
  chunk(file, "IHDR", header);
  chunk(file, "IDAT", deflate);
  chunk(file, "IEND", {});

  std::ofstream out(path, std::ios::binary);
  out.write(reinterpret_cast<const char*>(file.data()), static_cast<std::streamsize>(file.size()));
  return static_cast<bool>(out);
}

}  // namespace brisolt::platform
