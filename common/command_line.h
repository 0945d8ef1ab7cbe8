// The switches on both programs' command lines, for runs that nobody
// watches: whole arguments after the program's name, in any letter case.
// No Win32 calls, so the reading is also tested and fuzzed natively.
#pragma once

#include <stddef.h>

// Room for a folder or file named on the command line, terminator included.
#define SWITCH_VALUE_CAPACITY 260

#define SWITCH_SILENT       "/S"
#define SWITCH_NO_SHORTCUT  "/NOSHORTCUT"
#define SWITCH_LOG          "/LOG="
#define SWITCH_FOLDER       "/D="

struct CommandLine {
    int silent;      // /S: no window of any kind
    int noShortcut;  // /NOSHORTCUT
    int unknown;     // an argument that is none of these, or a value that does not fit
    char folder[SWITCH_VALUE_CAPACITY];  // /D=, empty when not given
    char log[SWITCH_VALUE_CAPACITY];     // /LOG=, empty when not given
};

// Reads the arguments after the program's name. An argument in double
// quotes is taken without them. /D= is the last argument: it takes the rest
// of the line as it stands, blanks included, without the double quotes
// around it.
void ReadCommandLine(const char *line, CommandLine *switches);

// The program's own switches, read once by its entry point (startup.cpp)
// before WinMain: the DLL search depends on /S.
extern CommandLine g_switches;
