// A subcommand of the brisolt executable: its CLI11 parser and the function
// that runs it once the command line has been parsed.
#pragma once

#include <CLI/CLI.hpp>

#include <functional>
#include <initializer_list>
#include <string>
#include <string_view>

namespace brisolt {

struct Command {
  CLI::App* parser = nullptr;
  std::function<int()> run;  // returns an ExitStatus
};

// An option of a subcommand that takes a text: its names ("-o,--output")
// and where its value goes.
struct TextOption {
  const char* names;
  std::string* value;
};

// Adds `options` to `parser` in their order, each with the value name and
// help that data/command_options.txt gives it under `subcommand`.
void addTextOptions(CLI::App& parser, std::string_view subcommand, std::initializer_list<TextOption> options);

}  // namespace brisolt
