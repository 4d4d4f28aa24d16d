// Exit statuses of brisolt-make-bank, one per kind of failure a user can meet.
#pragma once

namespace brisolt::tools {

enum MakeBankStatus : int {
  kMakeBankOk = 0,
  kMakeBankWriteFailed = 1,   // the output file could not be written
  kMakeBankBadOptions = 2,
  kMakeBankNoSoundfont = 3,   // the SoundFont is missing or unusable
  kMakeBankNoSynthLibrary = 4,  // built without the FluidSynth library
};

}  // namespace brisolt::tools
