// A subcommand of the brisolt executable: its CLI11 parser and the function
// that runs it once the command line has been parsed.
#pragma once

#include <CLI/CLI.hpp>

#include <functional>

namespace brisolt {

struct Command {
  CLI::App* parser = nullptr;
  std::function<int()> run;  // returns an ExitStatus
};

}  // namespace brisolt
