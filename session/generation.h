// The steps of the generation sequence (session/generation_sequence.h runs
// them in order) and the names of one session's files:
//
//   checkSampleData     the sample data file is there and whole
//   checkRoom           the render's peak need on the archive's and the temporary folder's file systems
//   prepareArchiveFolder  the archive folder exists and can be written
//   claimSession        the session prefix from the local time, claimed by its log
//   planSession         the planner with the options made from the settings
//   removeSessionFiles  after a failed or cancelled render, the session's files
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "app/settings/composition_settings.h"
#include "session/disk_check.h"
#include "compose/composer.h"

namespace brisolt {

enum class GenerationProblem {
  kNone,
  kNoSampleData,        // the sample data file is missing or short
  kArchiveNotWritable,  // the archive folder cannot be made or written (the log included)
  kNoDiskSpace,         // less room than the piece needs
  kPlanRefused,         // the planner rejected the options
  kRenderFailed,        // the render did not write the final mix (failed or cancelled)
};

// The outcome of one step: kNone, or the problem with a message that names
// what failed (a path, a value) and, where it can, what would fix it. The
// message starts in lower case; a window shows it as a sentence.
struct GenerationStep {
  GenerationProblem problem = GenerationProblem::kNone;
  std::string message;
  DiskCheck room;  // the figures of a kNoDiskSpace refusal
  // What the user must hear although the step passed: the room that could
  // not be checked because the system did not tell the free space.
  std::string notice;
  bool ok() const { return problem == GenerationProblem::kNone; }
};

// The names of one session's files.
struct Session {
  std::string archiveFolder;  // ends in '/'
  std::string prefix;         // "%y%m%d_%H%M%S_" of the local time it began
  std::string outputPrefix() const { return archiveFolder + prefix; }
  std::string finalMix() const;  // outputPrefix + "Pelko.wav"
  std::string logFile() const;   // outputPrefix + "log.txt"
  std::string scoreFile() const; // outputPrefix + "score.json": the notes the mix is made of
};

// Archive/ and Data.dat beside the program: exeFolder + "/Archive/" and
// exeFolder + "/Data.dat" (relative to the current folder when exeFolder is empty).
std::string archiveFolderBeside(const std::string& exeFolder);
std::string sampleDataPathBeside(const std::string& exeFolder);

// A session id given as text: a whole decimal number 0..4294967295.
std::optional<std::uint32_t> parseSessionId(std::string_view text);

// The sample data file must open and hold at least the 15696272 bytes of the
// clip table. `makeBankCommand` is named in the message as what builds it.
GenerationStep checkSampleData(const std::string& path, const std::string& makeBankCommand);

// Creates the folder with its parents when missing; it must then be a folder
// this program may write into.
GenerationStep prepareArchiveFolder(const std::string& folder);

// The disk check of the archive folder (the final mix and log) and the
// temporary folder (the voice files at their peak); when both lie on one file
// system (`shared`) it must hold the two together. The message is the
// window's, "Not enough space on disk.\nFree: %d MB\nNeed: %d MB", what the
// need is made of, and the folder. A file system whose free space the system
// cannot tell is not refused (a full disk later fails the render cleanly),
// but the step's notice says that its room went unchecked.
using FreeBytesQuery = std::function<std::optional<std::uint64_t>(const std::string& folder)>;
struct RoomFolders {
  std::string archive;
  std::string temporary;
  bool shared = false;  // one file system holds both
};
GenerationStep checkRoom(const RoomFolders& folders, const RoomNeed& need, const FreeBytesQuery& freeBytes);

// A new session in `archiveFolder` named after the local time `now`. Every
// session is claimed here and nowhere else: its log is created empty and
// exclusively, so that no other run (another process included) can take the
// same prefix. When the name is taken (by a log, a link or anything else),
// or any other name in the folder already begins with the prefix, the next
// second is tried, up to kClaimAttempts seconds on.
inline constexpr int kClaimAttempts = 600;
struct ClaimStep : GenerationStep {
  Session session;
};
ClaimStep claimSession(const std::string& archiveFolder, std::int64_t now);

// `message` as a sentence: a capital first letter and a closing full stop.
std::string asSentence(std::string message);

struct PlanStep : GenerationStep {
  int phraseCount = 0;  // the planner's result when ok: the piece's phrases
};

// Plans the piece into `composer` with the options made from `settings`,
// writing the log as session.logFile(). With `sessionId` the piece is seeded
// with it instead of the Composer's clock. A log that cannot be written stops
// here: the Composer then still holds the previous plan, which must not be
// rendered into this session.
PlanStep planSession(compose::Composer& composer, const CompositionSettings& settings, const Session& session,
                     std::optional<std::uint32_t> sessionId);

// Deletes every file of the session (archive folder + prefix + anything), as
// the archive cleanup does for an unsaved session with nothing kept. Returns
// the paths that could not be deleted.
std::vector<std::string> removeSessionFiles(const Session& session);

}  // namespace brisolt
