// The readers under test take a path, not bytes: each fuzz input is written
// to one file of this process in the temporary folder, replaced every run.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace brisolt::fuzz {

// Writes `size` bytes to this process's input file and returns its path;
// aborts (a finding the fuzzer reports) when the file cannot be written.
const std::string& writeInputFile(const std::uint8_t* data, std::size_t size, const char* extension);

}  // namespace brisolt::fuzz
