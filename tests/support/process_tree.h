// Following a program and every process it starts, however indirectly (the
// uninstaller's temporary copy, the command interpreter of its script), to
// the end of each, with the exit codes. The test thread becomes their
// debugger, which is how every descendant's start and end are seen.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

struct TreeProcess {
    DWORD id = 0;
    std::string image;  // full path of the program file
    DWORD exitCode = STILL_ACTIVE;
    bool ended = false;
};

class ProcessTree {
public:
    ProcessTree() = default;
    ProcessTree(const ProcessTree &) = delete;
    ProcessTree &operator=(const ProcessTree &) = delete;
    // Ends whatever is still running.
    ~ProcessTree();

    // Starts commandLine in folder (empty: the current one).
    bool Start(const std::string &commandLine, const std::string &folder);
    // Runs until every process of the tree has ended; false on timeout.
    // Must be called from the thread that called Start.
    bool WaitForAll(DWORD timeoutMs);

    // The processes in the order they started.
    std::vector<TreeProcess> processes;
    // The processes whose program file name (without folder) is name,
    // compared without regard to letter case.
    std::vector<TreeProcess> Named(const std::string &name) const;

private:
    struct Handle {
        DWORD id;
        HANDLE process;
    };
    std::vector<Handle> handles_;
    int running_ = 0;
    bool started_ = false;
};
