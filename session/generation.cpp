// The steps of the generation sequence: checks, the session's names,
// planning and the removal of a session that did not finish.
#include "session/generation.h"

#include <cctype>
#include <charconv>
#include <filesystem>
#include <system_error>

#include "session/disk_check.h"
#include "session/plan_options_from_settings.h"
#include "session/session_prefix.h"
#include "audio/output_files.h"
#include "audio/sample_table.h"
#include "platform/files/file_check.h"
#include "platform/files/file_handle.h"
#include "platform/files/file_system.h"
#include "render/score_json.h"

namespace brisolt {
namespace {

std::string besideProgram(const std::string& exeFolder, std::string_view name) {
  return (exeFolder.empty() ? std::string() : exeFolder + "/") + std::string(name);
}

GenerationStep problem(GenerationProblem kind, std::string message) { return {kind, std::move(message), {}, {}}; }

}  // namespace

std::string Session::finalMix() const { return audio::finalMixPath(outputPrefix()); }
std::string Session::logFile() const { return outputPrefix() + "log.txt"; }
std::string Session::scoreFile() const { return render::scoreFilePath(outputPrefix()); }

std::string archiveFolderBeside(const std::string& exeFolder) { return besideProgram(exeFolder, "Archive/"); }

std::string sampleDataPathBeside(const std::string& exeFolder) {
  return besideProgram(exeFolder, audio::kSampleDataFileName);
}

std::optional<std::uint32_t> parseSessionId(std::string_view text) {
  std::uint32_t value = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (text.empty() || error != std::errc{} || end != text.data() + text.size()) return std::nullopt;
  return value;
}

GenerationStep checkSampleData(const std::string& path, const std::string& makeBankCommand) {
  const platform::FileCheck kind = platform::checkRegularFile(path);
  if (kind == platform::FileCheck::kMissing) {
    return problem(GenerationProblem::kNoSampleData,
                   "the sample data file '" + path + "' is missing; build it with " + makeBankCommand);
  }
  if (kind != platform::FileCheck::kRegular) {
    return problem(GenerationProblem::kNoSampleData, "the sample data file '" + path + "' " +
                                                         platform::describeFileCheck(kind) +
                                                         "; put the bank there or build it with " + makeBankCommand);
  }
  std::error_code error;
  const std::uintmax_t size = std::filesystem::file_size(path, error);
  if (error || size < audio::kSampleDataSize) {
    return problem(GenerationProblem::kNoSampleData,
                   "the sample data file '" + path + "' holds " + std::to_string(error ? 0 : size) +
                       " bytes, fewer than the " + std::to_string(audio::kSampleDataSize) +
                       " of a whole bank; build it again with " + makeBankCommand);
  }
  return {};
}

GenerationStep prepareArchiveFolder(const std::string& folder) {
  std::error_code error;
  std::filesystem::create_directories(folder, error);
  if (error || !std::filesystem::is_directory(folder)) {
    return problem(GenerationProblem::kArchiveNotWritable, "cannot create the archive folder '" + folder +
                                                               "': " + (error ? error.message() : "not a folder"));
  }
  if (!platform::canWriteInto(folder)) {
    return problem(GenerationProblem::kArchiveNotWritable,
                   "cannot write into the archive folder '" + folder + "': permission denied");
  }
  return {};
}

GenerationStep checkRoom(const RoomFolders& folders, const RoomNeed& need, const FreeBytesQuery& freeBytes) {
  struct Side {
    const std::string& folder;
    std::int64_t temporaryBytes;
    std::int64_t archiveBytes;
    std::int64_t renditionBytes;
  };
  std::vector<Side> sides;
  if (folders.shared) {
    sides.push_back({folders.archive, need.temporaryBytes, need.archiveBytes(), need.renditionBytes});
  } else {
    sides.push_back({folders.archive, 0, need.archiveBytes(), need.renditionBytes});
    if (need.temporaryBytes > 0) sides.push_back({folders.temporary, need.temporaryBytes, 0, 0});
  }
  GenerationStep passed;
  for (const Side& side : sides) {
    const DiskCheck check =
        checkDiskSpace(freeBytes(side.folder), side.temporaryBytes, side.archiveBytes, side.renditionBytes);
    if (check.refused) {
      GenerationStep step = problem(GenerationProblem::kNoDiskSpace,
                                    diskSpaceMessage(check) + "\n(on the file system of '" + side.folder + "')");
      step.room = check;
      return step;
    }
    if (check.unknown) {
      passed.notice += (passed.notice.empty() ? "" : "\n") + std::string("the free space on the file system of '") +
                       side.folder + "' could not be read, so the " + std::to_string(check.needMb) +
                       " MB the piece needs there were not checked";
    }
  }
  return passed;
}

ClaimStep claimSession(const std::string& archiveFolder, std::int64_t now) {
  ClaimStep step;
  for (int second = 0; second < kClaimAttempts; ++second) {
    Session candidate{archiveFolder, sessionPrefix(now + second)};
    platform::OpenFailure failure;
    platform::File log = platform::File::createNew(candidate.logFile(), &failure);
    if (log) {
      // The second is ours only when nothing else bears its prefix: a link
      // planted under the mix's name, or an older session's file, is passed by.
      if (platform::listNames(archiveFolder, candidate.prefix).size() == 1) {
        step.session = std::move(candidate);
        return step;
      }
      log.close();
      platform::deleteFile(candidate.logFile());
      continue;
    }
    // A name taken by anything (another run's log, a link, a FIFO) belongs to
    // someone else: try the next second. Any other failure is the folder's.
    const bool taken = failure.error == platform::OpenError::kExists || failure.error == platform::OpenError::kLink ||
                       failure.error == platform::OpenError::kFolder ||
                       failure.error == platform::OpenError::kNotRegular;
    if (!taken) {
      step.problem = GenerationProblem::kArchiveNotWritable;
      step.message = "cannot create the generation log '" + candidate.logFile() +
                     "': " + platform::describeOpenFailure(failure);
      return step;
    }
  }
  step.problem = GenerationProblem::kArchiveNotWritable;
  step.message = "every session name of the " + std::to_string(kClaimAttempts) + " seconds from '" +
                 sessionPrefix(now) + "' on is taken in the archive folder '" + archiveFolder +
                 "'; move or delete old sessions";
  return step;
}

std::string asSentence(std::string message) {
  if (message.empty()) return message;
  message.front() = static_cast<char>(std::toupper(static_cast<unsigned char>(message.front())));
  if (message.back() != '.') message += '.';
  return message;
}

PlanStep planSession(compose::Composer& composer, const CompositionSettings& settings, const Session& session,
                     std::optional<std::uint32_t> sessionId) {
  composer.fixSessionId(sessionId);
  PlanStep step;
  const int planned = composer.planPiece(planOptionsFromSettings(settings, session.outputPrefix()));
  if (planned == compose::kPlanLogNotOpened || planned == compose::kPlanLogNotWritten) {
    step.problem = GenerationProblem::kArchiveNotWritable;
    step.message = "cannot write the generation log '" + session.logFile() + "'; check that the folder '" +
                   session.archiveFolder + "' can be written and has room";
  } else if (planned != settings.phraseCount) {
    step.problem = GenerationProblem::kPlanRefused;
    step.message = "the planner refused the settings (result " + std::to_string(planned) + ")";
  } else {
    step.phraseCount = planned;
  }
  return step;
}

std::vector<std::string> removeSessionFiles(const Session& session) {
  std::vector<std::string> kept;
  if (session.prefix.empty()) return kept;
  for (const std::string& name : platform::listFiles(session.archiveFolder, session.prefix)) {
    const std::string path = session.archiveFolder + name;
    if (!platform::deleteFile(path)) kept.push_back(path);
  }
  return kept;
}

}  // namespace brisolt
