// Subcommands of kavel-data. Each file of this folder registers its own
// commands with a static DataCommandRegistrar, so adding a command touches no
// other file.
#ifndef KAVEL_TOOLS_DATATOOL_COMMAND_H_
#define KAVEL_TOOLS_DATATOOL_COMMAND_H_

#include <string>
#include <vector>

// Runs a subcommand with its own arguments (without the command name).
// Returns the process exit code: 0 on success.
using DataCommandFn = int (*)(const std::vector<std::string>& args);

struct DataCommand {
  const char* name;   // e.g. "pdat-import"
  const char* usage;  // e.g. "<words.txt> <out.pdat> [mode]"
  const char* help;   // one line
  DataCommandFn run;
};

std::vector<DataCommand>& DataCommands();

struct DataCommandRegistrar {
  explicit DataCommandRegistrar(const DataCommand& command) { DataCommands().push_back(command); }
};

// Prints "kavel-data: <message>" to stderr and returns 1.
int DataCommandFail(const std::string& sMessage);

#endif  // KAVEL_TOOLS_DATATOOL_COMMAND_H_
