// Drives setup.exe, the application and the uninstaller the way a person
// would, for the main command and the benchmarks: finds their windows,
// answers dialogs and message boxes (by default as a person who accepts the
// defaults), saves a picture of each one, and reports what the installation
// left on the machine. Output is one "key: value" line per fact, for
// scripts to read; docs/driver.md lists the commands, options and keys.
#include "driver.h"

#include <stdio.h>
#include <string.h>

using namespace driver;

namespace {

struct Command {
    const char *name;
    int (*run)(const Options &options);
};

const Command kCommands[] = {
    {"install", Install},  {"uninstall", Uninstall},          {"app", App},
    {"state", State},      {"time", Time},                    {"until-gone", Time},
    {"installed-files", InstalledFiles},
};

}  // namespace

int main(int argc, char **argv)
{
    Options options;
    if (argc >= 2 && ParseOptions(argc, argv, 2, &options))
        for (const Command &command : kCommands)
            if (strcmp(argv[1], command.name) == 0) {
                StartReport(options);
                return command.run(options);
            }
    fprintf(stderr, "usage: driver install|uninstall|app|state|time|until-gone|installed-files"
                    " [options] (see docs/driver.md)\n");
    return 2;
}
