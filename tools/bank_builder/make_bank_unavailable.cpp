// brisolt-make-bank as built where the FluidSynth library was not found: it
// only says what to install.
#include <iostream>

#include "tools/bank_builder/make_bank_status.h"

int main() {
  std::cerr << "brisolt-make-bank: built without the FluidSynth library, so it cannot render Data.dat.\n"
               "Install the package libfluidsynth-dev (apt-get install libfluidsynth-dev), "
               "then configure and build again.\n";
  return brisolt::tools::kMakeBankNoSynthLibrary;
}
