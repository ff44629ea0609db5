#include <cstdio>
#include <cstring>
#include <iostream>

#include "cli/commands.h"

namespace habitopia::cli {
namespace {

const Command kCommands[] = {
    {"info", "info FILE.mor [--json]",
     "build the model and print its faces, corners, surface and volume", RunInfo},
};

void PrintHelp(std::ostream& out) {
  out << "habitopia-cli: batch use of the Habitopia crystal-morphology engine\n\n"
         "Usage: habitopia-cli COMMAND [ARGUMENTS]\n\nCommands:\n";
  for (const Command& command : kCommands)
    out << "  " << command.usage << "\n      " << command.summary << "\n";
  out << "\nExit status: 0 success, 1 model read but result incomplete (e.g. hull not "
         "closed),\n2 bad input or failed write.\n";
}

}  // namespace
}  // namespace habitopia::cli

int main(int argc, char** argv) {
  using namespace habitopia::cli;
  if (argc < 2 || !std::strcmp(argv[1], "--help") || !std::strcmp(argv[1], "-h") ||
      !std::strcmp(argv[1], "help")) {
    PrintHelp(std::cout);
    return argc < 2 ? 2 : 0;
  }
  for (const Command& command : kCommands)
    if (!std::strcmp(argv[1], command.name)) return command.run(Arguments(argv + 2, argv + argc));
  std::cerr << "habitopia-cli: unknown command \"" << argv[1] << "\" (see --help)\n";
  return 2;
}
