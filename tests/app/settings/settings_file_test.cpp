#include "app/settings/settings_file.h"

#include <gtest/gtest.h>

#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>

#include "app/settings/settings_defaults.h"
#include "tests/support/file_bytes.h"
#include "tests/support/temp_folder.h"

namespace brisolt {
namespace {

using test::TempFolderTest;

class SettingsFile : public TempFolderTest {
 protected:
  std::string path() const { return folder().file("Brisolt.INI"); }
  void write(const std::string& text) const { test::writeFileBytes(path(), test::Bytes(text.begin(), text.end())); }
  CompositionSettings load() const { return settingsFromStored(readSettingsFile(path())); }
};

void expectSettings(const CompositionSettings& got, int key, int scale, int motif, int phraseMode, int phrases) {
  EXPECT_EQ(got.keySignature, key) << "key signature";
  EXPECT_EQ(got.scale, scale) << "scale";
  EXPECT_EQ(got.motifMode, motif) << "motif mode";
  EXPECT_EQ(got.phraseMode, phraseMode) << "phrase mode";
  EXPECT_EQ(got.phraseCount, phrases) << "phrases";
}

TEST_F(SettingsFile, NoFileGivesTheDefaults) {
  expectSettings(load(), 1, 0, 1, 1, 5);
}

TEST_F(SettingsFile, TheWrittenFileIsTheFiveLinesThenHiFiByteForByte) {
  ASSERT_EQ(saveSettingsFile(path(), CompositionSettings{}), kSettingsSaved);
  const std::string expected = "KeySignature=C\nScale=Major\nMotifMode=B\nPhraseMode=B\nPhrases=5\nHiFi=On\n";
  EXPECT_EQ(test::readFileBytes(path()), test::Bytes(expected.begin(), expected.end()));

  ASSERT_EQ(saveSettingsFile(path(), CompositionSettings{7, 4, 11, 0, 90, false}), kSettingsSaved);
  const std::string other =
      "KeySignature=FG\nScale=Hungarian (Gipsy)\nMotifMode=L\nPhraseMode=A\nPhrases=90\nHiFi=Off\n";
  EXPECT_EQ(test::readFileBytes(path()), test::Bytes(other.begin(), other.end()));
  expectSettings(load(), 7, 4, 11, 0, 90);
  EXPECT_FALSE(load().hifi);
}

TEST_F(SettingsFile, AFileWithoutTheHiFiLineReadsAsOnAndOnlyOffTurnsItOff) {
  write("KeySignature=FG\nScale=Blues\nMotifMode=A\nPhraseMode=D\nPhrases=7\n");
  EXPECT_TRUE(load().hifi) << "a file written before the sixth line";
  expectSettings(load(), 7, 11, 0, 3, 7);
  write("HiFi=Off\nPhrases=7\n");
  EXPECT_FALSE(load().hifi);
  write("HiFi=off\n");
  EXPECT_TRUE(load().hifi) << "the value is spelled On or Off; anything else is the default";
}

TEST_F(SettingsFile, AFileThatCannotBeCreatedReportsOne) {
  EXPECT_EQ(saveSettingsFile(folder().file("missing/Brisolt.INI"), CompositionSettings{}), kSettingsNotWritten);
}

TEST_F(SettingsFile, SavingReplacesALinkAsANameAndNeverWritesItsTarget) {
  const std::string target = folder().file("elsewhere.txt");
  test::writeFileBytes(target, {'k', 'e', 'e', 'p'});
  ASSERT_EQ(::symlink(target.c_str(), path().c_str()), 0);
  ASSERT_EQ(saveSettingsFile(path(), CompositionSettings{7, 4, 11, 0, 90, false}), kSettingsSaved);
  EXPECT_EQ(test::readFileBytes(target), (test::Bytes{'k', 'e', 'e', 'p'})) << "the link's target was written";
  struct stat status {};
  ASSERT_EQ(::lstat(path().c_str(), &status), 0);
  EXPECT_TRUE(S_ISREG(status.st_mode)) << "the settings now stand in a file of their own";
  expectSettings(load(), 7, 4, 11, 0, 90);
}

TEST_F(SettingsFile, AFifoOrAFolderIsNeitherReadNorReplaced) {
  ASSERT_EQ(::mkfifo(path().c_str(), 0600), 0);
  EXPECT_NE(settingsFileProblem(path()).find("is a FIFO, device or socket, not a file; the default settings are used"),
            std::string::npos)
      << settingsFileProblem(path());
  // Read in a child under a deadline: a blocking open of the FIFO would never return.
  const pid_t child = ::fork();
  if (child == 0) ::_exit(settingsFromStored(readSettingsFile(path())).phraseCount);
  int status = 0;
  for (int waited = 0; ::waitpid(child, &status, WNOHANG) == 0; ++waited) {
    if (waited == 500) {
      ::kill(child, SIGKILL);
      ::waitpid(child, &status, 0);
      FAIL() << "reading a FIFO as the settings file waited";
    }
    ::usleep(10000);
  }
  ASSERT_TRUE(WIFEXITED(status));
  EXPECT_EQ(WEXITSTATUS(status), 5) << "the defaults";
  EXPECT_EQ(saveSettingsFile(path(), CompositionSettings{}), kSettingsNotWritten);
  struct stat fifo {};
  EXPECT_TRUE(::lstat(path().c_str(), &fifo) == 0 && S_ISFIFO(fifo.st_mode)) << "left as it was";

  const std::string folderPath = folder().file("AsFolder.INI");
  ASSERT_TRUE(std::filesystem::create_directory(folderPath));
  EXPECT_EQ(saveSettingsFile(folderPath, CompositionSettings{}), kSettingsNotWritten);
  EXPECT_EQ(settingsFileProblem(folderPath),
            "the settings file '" + folderPath + "' is a folder, not a file; the default settings are used");
  EXPECT_EQ(settingsFileProblem(folder().file("missing.INI")), "") << "no file is no problem: the defaults";
}

TEST_F(SettingsFile, PhrasesAreHeldWithinFiveToNinetyButNotRoundedToFives) {
  for (const auto& [text, expected] : {std::pair{"3", 5}, {"200", 90}, {"7", 7}, {"12abc", 12}, {"abc", 5}, {"", 5},
                                       {"99999999999999999999", 90}, {"-40", 5}}) {
    write(std::string("Phrases=") + text + "\n");
    EXPECT_EQ(load().phraseCount, expected) << "Phrases=" << text;
  }
}

TEST_F(SettingsFile, ModeLettersStepFromAAndStopAtTheEnds) {
  for (const auto& [text, expected] : {std::pair{"Z", 11}, {"b", 11}, {"", 0}, {"D", 3}, {"L", 11}, {"@", 0},
                                       {"Cxyz", 2}}) {
    write(std::string("MotifMode=") + text + "\nPhraseMode=" + text + "\n");
    EXPECT_EQ(load().motifMode, expected) << "MotifMode=" << text;
    EXPECT_EQ(load().phraseMode, expected) << "PhraseMode=" << text;
  }
  write("MotifMode=b\n");
  EXPECT_EQ(readSettingsFile(path()).motifSteps, 'b' - 'A') << "the window steps up this often";
}

TEST_F(SettingsFile, KeyAndScaleNamesMatchExactlyOrGiveTheFirst) {
  for (const auto& [text, expected] : {std::pair{"c", 1}, {"C#", 1}, {"FG", 7}, {"B", 12}, {"CD", 2}, {"FG ", 1}}) {
    write(std::string("KeySignature=") + text + "\n");
    EXPECT_EQ(load().keySignature, expected) << "KeySignature=" << text;
  }
  for (const auto& [text, expected] : {std::pair{"Blues", 11}, {"blues", 0}, {"Spanish (Jewish)", 5}, {"Jazz!", 0}}) {
    write(std::string("Scale=") + text + "\n");
    EXPECT_EQ(load().scale, expected) << "Scale=" << text;
  }
}

TEST_F(SettingsFile, TheFirstLineBeginningWithTheNameWinsAndOnlyAtPositionZero) {
  write("PhraseMode=C\n Phrases=40\nPhrases=20\nPhrases=30\n");
  EXPECT_EQ(lookupSettingsEntry(path(), kPhrasesEntry), "20") << "PhraseMode= and ' Phrases' do not begin with Phrases";
  EXPECT_EQ(lookupSettingsEntry(path(), kPhraseModeEntry), "C");
  write("PhraseMode=C\n");
  EXPECT_EQ(lookupSettingsEntry(path(), kPhrasesEntry), "5") << "no Phrases line: the default text";
  write("phrases=20\n");
  EXPECT_EQ(lookupSettingsEntry(path(), kPhrasesEntry), "5") << "names are case-sensitive";
}

TEST_F(SettingsFile, TheValueFollowsTheFirstEqualsSign) {
  write("Scale=Minor=Harmonic\nPhrases\n");
  EXPECT_EQ(lookupSettingsEntry(path(), kScaleEntry), "Minor=Harmonic");
  EXPECT_EQ(lookupSettingsEntry(path(), kPhrasesEntry), "") << "a line without '=' has an empty value";
  write("Scale=Jazz\r\nKeySignature=D\r\n");
  EXPECT_EQ(lookupSettingsEntry(path(), kScaleEntry), "Jazz") << "a text-mode line end of CR LF is removed whole";
  EXPECT_EQ(load().keySignature, 3);
}

TEST_F(SettingsFile, LinesAreReadInPiecesOf127Characters) {
  // A 127-character piece ends a read: what follows on that line is read as
  // a line of its own, and so may be taken for an entry.
  const std::string filler = "Comment=" + std::string(119, 'x');
  ASSERT_EQ(filler.size(), 127u);
  write(filler + "Phrases=45\n");
  EXPECT_EQ(lookupSettingsEntry(path(), kPhrasesEntry), "45");
  write(filler.substr(1) + "Phrases=45\n");  // 126 + the rest: one piece holds the name, not at position 0
  EXPECT_EQ(lookupSettingsEntry(path(), kPhrasesEntry), "5");
}

TEST_F(SettingsFile, AValueIsCutAt128Characters) {
  write("Scale=" + std::string(200, 'y') + "\n");
  EXPECT_EQ(lookupSettingsEntry(path(), kScaleEntry), std::string(121, 'y')) << "the piece itself ends at 127";
}

TEST_F(SettingsFile, SubcommandDefaultsComeFromTheSavedFile) {
  write("KeySignature=GA\nScale=Arabic\nMotifMode=k\nPhraseMode=E\nPhrases=33\n");
  const CompositionSettings saved = loadSettingsDefaults(folder().path().substr(0, folder().path().size() - 1));
  expectSettings(saved, 9, 8, 11, 4, 33);
  // The option texts stand for the same settings when read back as options.
  CompositionSettings reread;
  ASSERT_EQ(readSettingTexts(settingTextsFrom(saved), reread), std::nullopt);
  expectSettings(reread, 9, 8, 11, 4, 33);
  expectSettings(loadSettingsDefaults(folder().file("nowhere")), 1, 0, 1, 1, 5);
}

}  // namespace
}  // namespace brisolt
