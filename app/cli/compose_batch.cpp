// Several pieces in one call, each in a session of its own.
#include "app/cli/compose_batch.h"

#include <filesystem>

#include "app/exit_status.h"
#include "platform/process/termination_signals.h"

namespace brisolt {

std::string numberedOutputPath(const std::string& path, int index, int count) {
  if (path.empty() || count <= 1) return path;
  const std::filesystem::path file(path);
  const std::string numbered = file.stem().string() + "-" + std::to_string(index) + file.extension().string();
  return (file.parent_path() / numbered).string();
}

int runComposeBatch(const ComposeRequest& request, const ComposeEnvironment& environment, int count,
                    const std::function<void()>& pause, std::ostream& out, std::ostream& err) {
  ComposeRequest piece = request;
  ComposeEnvironment pieceEnvironment = environment;
  std::int64_t lastStart = 0;
  for (int index = 1; index <= count; ++index) {
    if (index > 1) {
      while (environment.clock() <= lastStart) pause();
    }
    lastStart = environment.clock();
    pieceEnvironment.clock = [lastStart] { return lastStart; };
    if (request.sessionId) piece.sessionId = static_cast<std::uint32_t>(*request.sessionId + (index - 1));
    piece.outputFile = numberedOutputPath(request.outputFile, index, count);
    piece.pictureFile = numberedOutputPath(request.pictureFile, index, count);
    const int status = runCompose(piece, pieceEnvironment, out, err);
    if (status != kExitOk) return status;
    // A signal after the piece was done (its paths printed) ends the batch there.
    if (platform::TerminationSignals::pending()) return platform::TerminationSignals::exitStatus();
  }
  return kExitOk;
}

}  // namespace brisolt
