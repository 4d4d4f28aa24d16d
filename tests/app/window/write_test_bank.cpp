// brisolt-test-bank FILE: writes a synthetic sample data file (every clip
// says which clip it is), so a copy of the program can be tried without the
// real Data.dat.
#include <cstdio>
#include <exception>

#include "tests/support/synthetic_bank.h"

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: brisolt-test-bank FILE\n");
    return 2;
  }
  try {
    brisolt::test::writeSyntheticBank(argv[1]);
  } catch (const std::exception& error) {
    std::fprintf(stderr, "brisolt-test-bank: %s\n", error.what());
    return 1;
  }
  return 0;
}
