// The version text, from the project version the build passes in.
#include "app/cli/version.h"

#ifndef BRISOLT_VERSION
#error "BRISOLT_VERSION must name the project version"
#endif

namespace brisolt {

std::string versionText() { return std::string("brisolt ") + BRISOLT_VERSION; }

}  // namespace brisolt
