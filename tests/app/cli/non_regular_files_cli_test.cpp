// The built program given FIFOs, devices, folders and links where it expects
// its own files: settings, sample data, a mix to play, and the names of the
// next seconds' sessions in the archive. Each case answers at once (a
// watchdog kills a run that waits, so a hang fails here instead of blocking
// the test run) and nothing is ever written through a link.
#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <ctime>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "platform/files/file_system.h"
#include "rendition/soundfont_locator.h"
#include "session/session_prefix.h"
#include "tests/support/file_bytes.h"
#include "tests/support/synthetic_bank.h"
#include "tests/support/temp_folder.h"
#include "tests/support/watched_run.h"

namespace brisolt {
namespace {

using namespace std::chrono_literals;

// Long enough for a loaded machine to start the program, or to compose a
// short piece with its rendition; a run that waits on a FIFO never ends by
// itself.
constexpr auto kWatchdog = 10s;
constexpr auto kComposeWatchdog = 180s;
// The seconds around now whose session names are planted in the archive.
constexpr int kPlantedSeconds = 20;

class NonRegularFilesCli : public test::TempFolderTest {
 protected:
  NonRegularFilesCli() {
    std::filesystem::create_directories(folder().file("program"));
    std::filesystem::copy_file(BRISOLT_EXECUTABLE, program());
    platform::createFolder(folder().file("scratch"));
  }
  std::string program() const { return folder().file("program/brisolt"); }
  std::string settingsFile() const { return folder().file("program/Brisolt.INI"); }
  std::string archive() const { return folder().file("Archive/"); }

  test::WatchedRun run(const std::vector<std::string>& arguments,
                       std::chrono::milliseconds limit = kWatchdog) const {
    return test::runWatched(program(), arguments, folder().file("scratch"), limit);
  }
  std::string makeFifo(const std::string& path) const {
    EXPECT_EQ(::mkfifo(path.c_str(), 0600), 0) << path;
    return path;
  }
  std::string makeLink(const std::string& path, const std::string& target) const {
    EXPECT_EQ(::symlink(target.c_str(), path.c_str()), 0) << path;
    return path;
  }
  static bool isFifo(const std::string& path) {
    struct stat status {};
    return ::lstat(path.c_str(), &status) == 0 && S_ISFIFO(status.st_mode);
  }
};

TEST_F(NonRegularFilesCli, ASettingsFileThatIsNoFileIsNamedAndTheDefaultsServe) {
  const std::vector<std::pair<std::string, std::function<void()>>> cases = {
      {"a FIFO", [this] { makeFifo(settingsFile()); }},
      {"a link to /dev/zero", [this] { makeLink(settingsFile(), "/dev/zero"); }},
      {"a folder", [this] { platform::createFolder(settingsFile()); }},
  };
  for (const auto& [what, make] : cases) {
    SCOPED_TRACE(what);
    std::filesystem::remove(settingsFile());
    make();
    const test::WatchedRun plan = run({"plan", "--format", "json", "--session-id", "7"});
    ASSERT_FALSE(plan.timedOut) << "brisolt plan waited on the settings file";
    EXPECT_EQ(plan.status, 0) << plan.err;
    const std::string said = "brisolt: the settings file '" + settingsFile() + "' ";
    EXPECT_NE(plan.err.find(said), std::string::npos) << plan.err;
    EXPECT_NE(plan.err.find("; the default settings are used\n"), std::string::npos) << plan.err;
    EXPECT_EQ(plan.err.find(said, plan.err.find(said) + 1), std::string::npos) << "said once: " << plan.err;
    EXPECT_NE(plan.out.find("\"barCount\": 80,"), std::string::npos) << "the default five phrases: " << plan.out;

    const test::WatchedRun help = run({"--help"});
    ASSERT_FALSE(help.timedOut) << "even --help waited";
    EXPECT_EQ(help.status, 0);
  }
  EXPECT_EQ(std::filesystem::status(settingsFile()).type(), std::filesystem::file_type::directory)
      << "the subcommands never write the file";
}

TEST_F(NonRegularFilesCli, PlayRefusesWhatIsNoFileAtOnce) {
  const std::string fifo = makeFifo(folder().file("mix.wav"));
  const std::string link = makeLink(folder().file("zero.wav"), "/dev/zero");
  for (const std::string& path : {fifo, link, std::string("/dev/zero"), folder().file("scratch")}) {
    SCOPED_TRACE(path);
    const test::WatchedRun play = run({"play", path});
    ASSERT_FALSE(play.timedOut) << "brisolt play waited on it";
    EXPECT_EQ(play.status, 6) << play.err;
    EXPECT_EQ(play.err.rfind("brisolt play: '" + path + "' is a ", 0), 0u) << play.err;
    EXPECT_NE(play.err.find("not a file; name a WAV file\n"), std::string::npos) << play.err;
  }
}

TEST_F(NonRegularFilesCli, SampleDataThatIsNoFileIsRefusedForWhatItIs) {
  const std::string fifo = makeFifo(folder().file("Data.dat"));
  for (const std::string& path : {fifo, std::string("/dev/zero"), folder().file("scratch")}) {
    SCOPED_TRACE(path);
    const test::WatchedRun compose = run({"compose", "--data", path, "--archive", archive(), "--no-hifi"});
    ASSERT_FALSE(compose.timedOut) << "brisolt compose waited on the sample data";
    EXPECT_EQ(compose.status, 3) << compose.err;
    EXPECT_NE(compose.err.find("the sample data file '" + path + "' is a "), std::string::npos) << compose.err;
  }
  EXPECT_FALSE(platform::nameExists(archive())) << "nothing was made";
}

// Plants `make(prefix)` for every second from a little before now on.
template <typename Make>
void plantAroundNow(Make make) {
  const std::int64_t now = static_cast<std::int64_t>(std::time(nullptr));
  for (std::int64_t second = now - 2; second < now + kPlantedSeconds; ++second) make(sessionPrefix(second));
}

TEST_F(NonRegularFilesCli, FifosAtTheNextLogNamesArePassedBy) {
  test::writeSyntheticBank(folder().file("Data.dat"));
  platform::createFolder(archive());
  plantAroundNow([this](const std::string& prefix) { makeFifo(archive() + prefix + "log.txt"); });
  const test::WatchedRun compose =
      run({"compose", "--data", folder().file("Data.dat"), "--archive", archive(), "--no-hifi", "-q"}, kComposeWatchdog);
  ASSERT_FALSE(compose.timedOut) << "brisolt compose waited on a FIFO";
  EXPECT_EQ(compose.status, 0) << compose.err;
  const std::string mix = compose.out.substr(0, compose.out.find('\n'));
  EXPECT_TRUE(platform::fileExists(mix)) << compose.out;
  std::size_t fifos = 0;
  for (const std::string& name : platform::listNames(archive(), "")) fifos += isFifo(archive() + name) ? 1 : 0;
  EXPECT_EQ(fifos, static_cast<std::size_t>(kPlantedSeconds + 2)) << "every FIFO is left as it was";
}

TEST_F(NonRegularFilesCli, LinksPlantedUnderTheNextSessionsNamesAreNeverWrittenThrough) {
  test::writeSyntheticBank(folder().file("Data.dat"));
  platform::createFolder(archive());
  const std::string victim = folder().file("victim.txt");
  const test::Bytes untouched{'m', 'i', 'n', 'e'};
  test::writeFileBytes(victim, untouched);
  // Every name a session writes, for the seconds to come; the log's name
  // only for every other second, so that some seconds look free by their log.
  int second = 0;
  plantAroundNow([&](const std::string& prefix) {
    for (const char* name : {"Pelko.wav", "Piano.mid", "PelkoL.wav"}) makeLink(archive() + prefix + name, victim);
    if (second++ % 2 == 0) makeLink(archive() + prefix + "log.txt", victim);
  });
  std::vector<std::string> arguments{"compose", "--data", folder().file("Data.dat"), "--archive", archive(), "-q"};
  arguments.push_back(rendition::findPianoSoundfont().empty() ? "--no-hifi" : "--hifi");
  for (const char* engine : {"streaming", "files"}) {
    SCOPED_TRACE(engine);
    std::vector<std::string> withEngine = arguments;
    withEngine.insert(withEngine.end(), {"--engine", engine});
    const test::WatchedRun compose = run(withEngine, kComposeWatchdog);
    ASSERT_FALSE(compose.timedOut);
    EXPECT_EQ(compose.status, 0) << compose.err;
    EXPECT_EQ(test::readFileBytes(victim), untouched) << "a link's target was written";
    const std::string mix = compose.out.substr(0, compose.out.find('\n'));
    struct stat status {};
    ASSERT_EQ(::lstat(mix.c_str(), &status), 0) << compose.out;
    EXPECT_TRUE(S_ISREG(status.st_mode)) << "the printed mix is a file of the run's own";
  }
}

}  // namespace
}  // namespace brisolt
