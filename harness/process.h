// Starting programs, waiting for their windows and their exit codes.
//
// Handles: a Program owns its process handle (the thread handle is closed
// at the start) until EndProgram closes it; the other routines keep none.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

struct Program {
    HANDLE process = NULL;
    DWORD id = 0;
};

// Starts commandLine (program path quoted by the caller when needed) in
// folder (empty: the current one). False when it cannot be started.
bool StartProgram(const std::string &commandLine, const std::string &folder, Program *program);
// The same with a command line in UTF-16, as a shell passes letters that
// the ANSI code page lacks; folder is ASCII.
bool StartProgram(const std::wstring &commandLine, const std::string &folder, Program *program);

// Waits for a visible top-level window of the process (0: any process) with
// the class and/or title (NULL: any). NULL on timeout.
HWND WaitForWindow(DWORD processId, const char *windowClass, const char *title,
                   DWORD timeoutMs);

// Waits until the process has ended and returns its exit code; STILL_ACTIVE
// (259) on timeout.
DWORD WaitForExit(const Program &program, DWORD timeoutMs);

// Ends a program that is still running (by its handle) and closes the handle.
void EndProgram(Program *program);

// The running processes whose program file has one of these names (no
// folder), compared without regard to letter case.
int CountRunning(const std::vector<std::string> &names);

// Starts a program of the host system, named by its Unix path, and reads
// what it writes to stdout until that holds `until`. Wine starts such a
// program without a process handle and hands it files but not pipes, so
// its output, through a file, is the only sign of how far it got. False
// when it cannot be started or `until` does not come within timeoutMs.
bool RunHostProgram(const std::string &commandLine, const std::string &until, DWORD timeoutMs,
                    std::string *output);

// True for a 32-bit program on 64-bit Windows (WoW64).
bool RunningUnderWow64();

// The running test program's file.
std::string TestProgramPath();
// The folder that holds the running test program, with a trailing backslash.
std::string TestProgramFolder();
