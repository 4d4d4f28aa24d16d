// Registers a subcommand's text options with their help from the table of
// command options (data/command_options.txt).
#include "app/cli/command.h"

#include <sstream>
#include <stdexcept>

#include "app/cli/output_format.h"
#include "embedded/app_command_options.h"

namespace brisolt {
namespace {

struct OptionText {
  std::string valueName;
  std::string help;
};

// The option `names` of `subcommand` as the table gives it; throws when the
// table lacks it, a fault of the program caught by its tests.
OptionText optionText(std::string_view subcommand, std::string_view names) {
  std::istringstream lines{std::string(embedded::app_command_options)};
  OptionText found;
  bool inside = false;
  for (std::string line; std::getline(lines, line);) {
    if (line.empty() || line.front() == '#') {
      if (inside) break;
      continue;
    }
    if (line.front() != ' ') {
      if (inside) break;
      std::istringstream words(line);
      std::string command, optionNames;
      words >> command >> optionNames >> found.valueName;
      inside = command == subcommand && optionNames == names;
      continue;
    }
    if (inside) {
      const std::size_t start = line.find_first_not_of(' ');
      found.help += (found.help.empty() ? "" : " ") + line.substr(start);
    }
  }
  if (found.help.empty()) {
    throw std::logic_error("no help for " + std::string(subcommand) + " " + std::string(names) +
                           " in command_options.txt");
  }
  if (const std::size_t at = found.help.find("{formats}"); at != std::string::npos) {
    found.help.replace(at, std::string("{formats}").size(), supportedExtensionsText());
  }
  return found;
}

}  // namespace

void addTextOptions(CLI::App& parser, std::string_view subcommand, std::initializer_list<TextOption> options) {
  for (const TextOption& option : options) {
    const OptionText text = optionText(subcommand, option.names);
    parser.add_option(option.names, *option.value, text.help)->type_name(text.valueName);
  }
}

}  // namespace brisolt
