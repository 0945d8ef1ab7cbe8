// Drives setup.exe, the application and the uninstaller the way a person
// would, for the main command and the benchmarks: finds their windows,
// answers dialogs and message boxes (by default as a person who accepts the
// defaults), saves a picture of each one, and reports what the installation
// left on the machine. Output is one "key: value" line per fact, for
// scripts to read.
//
//   driver install <setup.exe> [--shots DIR] [--folder PATH] [--no-start]
//                  [--no-shortcut] [--hotkey] [--cancel] [--fast] [--manual]
//   driver app [--shots DIR] [--open DOCUMENT] [--press-hotkey] [--close]
//   (--label NAME with --shots puts the scene into the pictures' names)
//   driver uninstall [--shots DIR] [--cancel] [--fast] [--manual]
//   driver state [--folder PATH]
//   driver time <program> [arguments...]
//   driver until-gone [--path P]... [--process NAME]... -- <program> [arguments...]
//   driver shot <file.bmp>            (the whole screen)
//   driver installed-files            (the uninstaller's list, one name a line)
#include "driver.h"

#include <stdio.h>

using namespace driver;

int main(int argc, char **argv)
{
    Options options;
    if (argc < 2 || !ParseOptions(argc, argv, 2, &options)) {
        fprintf(stderr, "usage: driver install|app|uninstall|state|time|until-gone|shot|"
                        "installed-files ...\n");
        return 2;
    }
    std::string command = argv[1];
    if (command == "install")
        return Install(options);
    if (command == "app")
        return App(options);
    if (command == "uninstall")
        return Uninstall(options);
    if (command == "state")
        return State(options);
    if (command == "time" || command == "until-gone")
        return Time(options);
    if (command == "shot")
        return Screen(options);
    if (command == "installed-files")
        return InstalledFiles(options);
    fprintf(stderr, "unknown command %s\n", command.c_str());
    return 2;
}
