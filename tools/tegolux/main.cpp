// tegolux: the engine on the command line, for people who have no host program.

#include <cstdio>
#include <cstring>

#include "commands.h"
#include "tegolux.h"

namespace {

constexpr const char* kUsage =
    "Usage: tegolux <command> [options]\n"
    "\n"
    "The drawing and takeoff engine of a roof-estimating CAD application.\n"
    "\n"
    "Commands:\n"
    "  catalogue [--json] list the takeoff item types with their names, categories and\n"
    "                     reported quantities, as a table or as JSON\n"
    "  demo [--out DIR]   build the sample roof plan, print what the engine measures, and\n"
    "                     write and read its corners in the text, binary and exchange forms\n"
    "  swatches -o FILE   write a sheet of the colours, line types and fill patterns\n"
    "                     (PNG, PDF or SVG, chosen by the file's extension)\n"
    "  help [COMMAND]     show this text, or the help of one command\n"
    "\n"
    "Options:\n"
    "  -h, --help         show this text\n"
    "  --version          print the version\n";

struct Command {
  const char* name;
  int (*run)(int argc, char** argv);
};

constexpr Command kCommands[] = {
    {"catalogue", RunCatalogue},
    {"demo", RunDemo},
    {"swatches", RunSwatches},
};

const Command* FindCommand(const char* name) {
  for (const Command& command : kCommands) {
    if (std::strcmp(command.name, name) == 0) return &command;
  }
  return nullptr;
}

bool IsHelpOption(const char* arg) {
  return std::strcmp(arg, "-h") == 0 || std::strcmp(arg, "--help") == 0;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2 || IsHelpOption(argv[1])) {
    std::fputs(kUsage, stdout);
    return argc < 2 ? 2 : 0;
  }
  if (std::strcmp(argv[1], "--version") == 0) {
    std::printf("tegolux %s\n", TEGOLUX_VERSION_STRING);
    return 0;
  }
  if (std::strcmp(argv[1], "help") == 0) {
    if (argc < 3) {
      std::fputs(kUsage, stdout);
      return 0;
    }
    const Command* command = FindCommand(argv[2]);
    if (command == nullptr) {
      std::fprintf(stderr, "tegolux: unknown command '%s'; see tegolux --help\n", argv[2]);
      return 2;
    }
    char help[] = "--help";
    char* helpArgv[] = {argv[2], help, nullptr};
    return command->run(2, helpArgv);
  }
  const Command* command = FindCommand(argv[1]);
  if (command == nullptr) {
    std::fprintf(stderr, "tegolux: unknown command '%s'; see tegolux --help\n", argv[1]);
    return 2;
  }
  return command->run(argc - 1, argv + 1);
}
