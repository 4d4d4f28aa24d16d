// Small helpers for tests that build input files and inspect output files
// byte by byte or sample by sample (16-bit little-endian).
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace brisolt::test {

using Bytes = std::vector<std::uint8_t>;

// Writes `bytes` to `path`, replacing it. Throws when the file cannot be written.
void writeFileBytes(const std::string& path, const Bytes& bytes);
// The whole contents of `path`; empty when it cannot be read.
Bytes readFileBytes(const std::string& path);

// Samples as little-endian bytes and back (an odd last byte is dropped).
Bytes samplesToBytes(const std::vector<std::int16_t>& samples);
std::vector<std::int16_t> bytesToSamples(const Bytes& bytes, std::size_t from = 0);

// A file of `preambleSize` bytes of `preambleByte` followed by the samples:
// the shape of the voice files that the mixer averages.
void writeSampleFile(const std::string& path, const std::vector<std::int16_t>& samples,
                     std::size_t preambleSize = 104, std::uint8_t preambleByte = 0xA5);

bool fileExists(const std::string& path);
std::uint64_t fileSize(const std::string& path);

}  // namespace brisolt::test
