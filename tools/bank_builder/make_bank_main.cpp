// brisolt-make-bank: renders the sample data file "Data.dat" from the
// acoustic grand piano of a General MIDI SoundFont.
#include <CLI/CLI.hpp>

#include <cmath>
#include <cstdio>
#include <filesystem>
#include <system_error>
#include <iostream>
#include <string>

#include "audio/sample_table.h"
#include "platform/paths.h"
#include "tools/bank_builder/bank_builder.h"
#include "tools/bank_builder/make_bank_status.h"

namespace {

double decibels(double linear) { return linear > 0.0 ? 20.0 * std::log10(linear) : -999.0; }

void printLoudness(const brisolt::tools::BankBuild& build) {
  std::printf("key midi gain_dB peak_dBFS rms_dBFS\n");
  for (const auto& key : build.keys) {
    std::printf("%3d %4d %7.2f %9.2f %8.2f\n", key.key, key.midiNote, decibels(key.gain), decibels(key.peak),
                decibels(key.rms));
  }
}

}  // namespace

int main(int argc, char** argv) {
  using namespace brisolt::tools;
  const std::string folder = brisolt::platform::executableFolder();
  std::string output = (folder.empty() ? std::string() : folder + "/") + std::string(brisolt::audio::kSampleDataFileName);
  std::string soundfont(kDefaultSoundfont);
  bool report = false;

  CLI::App app{"Renders the sample data file Data.dat (209 piano clips, 16-bit mono) from a SoundFont."};
  app.add_option("-o,--output", output, "where to write the sample data file")->capture_default_str();
  app.add_option("--soundfont", soundfont, "General MIDI SoundFont whose program 0 is a piano")->capture_default_str();
  app.add_flag("--report", report, "print the gain, peak and RMS of every key");
  try {
    app.parse(argc, argv);
  } catch (const CLI::ParseError& e) {
    return app.exit(e) == 0 ? kMakeBankOk : kMakeBankBadOptions;
  }

  const BankBuild build = buildSampleBank(soundfont);
  if (!build.error.empty()) {
    std::cerr << "brisolt-make-bank: " << build.error << "\n";
    return kMakeBankNoSoundfont;
  }
  // The user's data folder may not be there yet on a first run.
  std::error_code folderError;
  const std::filesystem::path parent = std::filesystem::path(output).parent_path();
  if (!parent.empty()) std::filesystem::create_directories(parent, folderError);
  std::string error;
  if (!writeSampleBank(build.bytes, output, error)) {
    std::cerr << "brisolt-make-bank: " << error << "\n";
    return kMakeBankWriteFailed;
  }
  if (report) printLoudness(build);
  std::cout << "wrote " << output << " (" << build.bytes.size() << " bytes)\n";
  return kMakeBankOk;
}
