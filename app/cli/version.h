// The version the command line reports: "brisolt 2.1.0", from the build's
// project version.
#pragma once

#include <string>

namespace brisolt {

std::string versionText();

}  // namespace brisolt
