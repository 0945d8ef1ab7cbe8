// Following a program and every process it starts, however indirectly (the
// uninstaller's temporary copy, the command interpreter of its script), to
// the end of each, with the exit codes. The test thread becomes their
// debugger, which is how every descendant's start and end are seen, and how
// one of them can be ended at an exact call, as a power cut would end it.
//
// Handles: a ProcessTree owns the handles of every process it follows and
// closes them (ending what still runs) when it is destroyed.
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

// The process whose program file is image (a full path, or a bare file name
// in any folder) is ended with exit code 255 at its call-th call of
// dll!function, before that call is made; with call 0, as soon as it has
// started. Only the calls the program makes itself, through its import
// table, count. The first process that matches is the one ended.
struct StopPoint {
    std::string image;
    const char *dll = nullptr;
    const char *function = nullptr;
    int call = 0;
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
    // Arms a stop point; call it before Start.
    void StopAt(const StopPoint &stop);
    // The stop point was reached and its process ended there.
    bool stopped = false;

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
    void OnStart(DWORD id, const std::string &image, BYTE *base);
    void OnBreakpoint(const DEBUG_EVENT &event);
    HANDLE ProcessHandle(DWORD id) const;

    std::vector<Handle> handles_;
    StopPoint stop_;
    bool armed_ = false;
    DWORD stopId_ = 0;      // the process that is to be ended, once it has started
    BYTE *stopBase_ = nullptr;
    BYTE *stub_ = nullptr;  // what its import slot leads to: breakpoints
    void *original_ = nullptr;
    int calls_ = 0;
    int running_ = 0;
    bool started_ = false;
};
