// Fuzzes the reader of the settings file Brisolt.INI: any bytes at all must
// give settings within their ranges, and the file written from them must
// read back as the same settings.
#include <cstdint>
#include <cstdlib>

#include "app/settings/settings_file.h"
#include "fuzz/fuzz_input_file.h"

namespace {

void check(bool condition) {
  if (!condition) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace brisolt;
  const std::string& path = fuzz::writeInputFile(data, size, ".ini");
  const StoredSettings stored = readSettingsFile(path);
  check(stored.keySignature >= 1 && stored.keySignature <= 12);
  check(stored.scale >= 0 && stored.scale <= 11);
  check(stored.phraseCount >= 5 && stored.phraseCount <= 90);
  const CompositionSettings settings = settingsFromStored(stored);
  for (const SettingsEntry* entry : {&kKeySignatureEntry, &kScaleEntry, &kMotifModeEntry, &kPhraseModeEntry,
                                     &kPhrasesEntry}) {
    check(lookupSettingsEntry(path, *entry).size() <= 128);
  }
  // What the program writes, it reads back unchanged.
  const std::string text = settingsFileText(settings);
  const std::string& again = fuzz::writeInputFile(reinterpret_cast<const std::uint8_t*>(text.data()), text.size(),
                                                  ".ini");
  const CompositionSettings reread = settingsFromStored(readSettingsFile(again));
  check(settingsFileText(reread) == text);
  return 0;
}
