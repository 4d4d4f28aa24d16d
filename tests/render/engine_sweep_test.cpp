// The long sweep of the two render engines: BRISOLT_ENGINE_SWEEP=<n> pieces
// of the sweep (5, 10 and, every 37th, 90 phrases) rendered by both engines
// on the synthetic bank and on the real bank, each piece's final mix compared
// byte for byte, and the phrase excerpts of a fifth of them too.
// The pieces are dealt out over ten tests so that ctest -j can share them:
//
//   BRISOLT_ENGINE_SWEEP=300 ctest --test-dir build -L sweep -j2
//
// Without the variable every test is skipped.
#include <gtest/gtest.h>

#include <cstdlib>
#include <ostream>
#include <string>

#include "tests/render/engine_agreement.h"
#include "tests/support/synthetic_bank.h"
#include "tests/support/temp_folder.h"

namespace brisolt::test {
namespace {

constexpr int kShares = 10;

enum class Bank { kSynthetic, kReal };

// The pieces index, index + 10, index + 20, ... on one bank.
struct Share {
  Bank bank;
  int index;
};

std::string shareName(const Share& share) {
  return std::string(share.bank == Bank::kReal ? "RealBank" : "SyntheticBank") + "_" + std::to_string(share.index);
}
void PrintTo(const Share& share, std::ostream* out) { *out << shareName(share); }

class EngineSweep : public TempFolderTest, public ::testing::WithParamInterface<Share> {
 protected:
  // The number of pieces asked for; 0 when the sweep was not asked for.
  static int piecesWanted() {
    const char* wanted = std::getenv("BRISOLT_ENGINE_SWEEP");
    return wanted != nullptr ? std::atoi(wanted) : 0;
  }
};

TEST_P(EngineSweep, BothEnginesGiveTheSameMixes) {
  const int pieces = piecesWanted();
  if (pieces <= 0) GTEST_SKIP() << "set BRISOLT_ENGINE_SWEEP=<pieces> to run the long sweep";
  std::string bank;
  if (GetParam().bank == Bank::kReal) {
    if (realBankPath().empty()) GTEST_SKIP() << "no real bank: " << realBankMissing();
    bank = realBankPath();
  } else {
    bank = folder().file("Data.dat");
    writeSyntheticBank(bank);
  }
  int compared = 0;
  for (int index = GetParam().index; index < pieces; index += kShares) {
    expectEnginesAgree(folder().path(), bank, sweepPiece(index), (index / kShares) % 5 == 0);
    if (HasFailure()) break;
    ++compared;
  }
  RecordProperty("pieces", compared);
}

Share synthetic(int index) { return {Bank::kSynthetic, index}; }
Share real(int index) { return {Bank::kReal, index}; }

INSTANTIATE_TEST_SUITE_P(Shares, EngineSweep,
                         ::testing::Values(synthetic(0), synthetic(1), synthetic(2), synthetic(3), synthetic(4),
                                           synthetic(5), synthetic(6), synthetic(7), synthetic(8), synthetic(9),
                                           real(0), real(1), real(2), real(3), real(4), real(5), real(6),
                                           real(7), real(8), real(9)),
                         [](const ::testing::TestParamInfo<Share>& share) { return shareName(share.param); });

}  // namespace
}  // namespace brisolt::test
