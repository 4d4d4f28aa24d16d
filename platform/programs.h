// Other programs of the desktop: finding one on $PATH and starting one in the
// background, without waiting for it and without leaving a child to reap.
#pragma once

#include <string>

namespace brisolt::platform {

// The path of `program` in the first folder of $PATH (or of the usual
// /usr/local/bin:/usr/bin:/bin without one) where it can be run; empty when
// there is none.
std::string findOnPath(const std::string& program);

// Starts `program` with the one argument, its output and input going nowhere,
// and returns at once. False when it could not be started.
bool startInBackground(const std::string& program, const std::string& argument);

}  // namespace brisolt::platform
