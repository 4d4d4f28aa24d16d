// `brisolt compose --count N`: N pieces in one call, each its own session.
#pragma once

#include <functional>
#include <iosfwd>
#include <string>

#include "app/cli/compose_command.h"

namespace brisolt {

// The --output file of piece `index` (1-based) of `count`: `path` itself for
// a single piece, else with "-<index>" before its extension (song-2.flac).
std::string numberedOutputPath(const std::string& path, int index, int count);

// Composes `count` pieces with runCompose. Sessions are named after the
// second they start in, so each piece after the first waits, with `pause`,
// until environment.clock() has moved past the previous one's; a fixed
// session id is counted up by one per piece. Stops at the first piece that
// does not finish and returns its status.
int runComposeBatch(const ComposeRequest& request, const ComposeEnvironment& environment, int count,
                    const std::function<void()>& pause, std::ostream& out, std::ostream& err);

}  // namespace brisolt
