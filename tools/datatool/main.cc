// kavel-data: compiles the data set's text tables into binary data files and
// turns binary files back into text.
#include <algorithm>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "command.h"

std::vector<DataCommand>& DataCommands() {
  static std::vector<DataCommand> commands;
  return commands;
}

int DataCommandFail(const std::string& sMessage) {
  fprintf(stderr, "kavel-data: %s\n", sMessage.c_str());
  return 1;
}

static void PrintUsage() {
  std::vector<DataCommand> commands = DataCommands();
  std::sort(commands.begin(), commands.end(),
            [](const DataCommand& a, const DataCommand& b) { return strcmp(a.name, b.name) < 0; });
  fprintf(stderr, "usage: kavel-data <command> [arguments]\n\ncommands:\n");
  for (const DataCommand& c : commands) {
    fprintf(stderr, "  %s %s\n      %s\n", c.name, c.usage, c.help);
  }
}

int main(int argc, char** argv) {
  if (argc < 2 || strcmp(argv[1], "-h") == 0 || strcmp(argv[1], "--help") == 0) {
    PrintUsage();
    return argc < 2 ? 2 : 0;
  }
  for (const DataCommand& c : DataCommands()) {
    if (strcmp(c.name, argv[1]) == 0) {
      return c.run(std::vector<std::string>(argv + 2, argv + argc));
    }
  }
  fprintf(stderr, "kavel-data: unknown command '%s'\n", argv[1]);
  PrintUsage();
  return 2;
}
