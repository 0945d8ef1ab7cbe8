// The time and until-gone commands: run a program, wait for it and, with
// paths or process names, until every path is gone and no such process
// runs; report the times.
#include "driver.h"

#include "files.h"
#include "machine_state.h"

namespace driver {
namespace {

std::string JoinArguments(const std::vector<std::string> &words, size_t first)
{
    std::string line;
    for (size_t i = first; i < words.size(); ++i) {
        bool quote = words[i].find(' ') != std::string::npos;
        line += (line.empty() ? "" : " ") + (quote ? "\"" + words[i] + "\"" : words[i]);
    }
    return line;
}

}  // namespace

// Runs a program and waits for it; with paths or process names, also until
// every path is gone and no process of those names runs.
int Time(const Options &options)
{
    if (options.words.empty()) {
        Say("problem", "nothing to run");
        return 2;
    }
    PROCESS_INFORMATION info;
    Clock clock;
    if (!StartProcess(options.words[0], JoinArguments(options.words, 1), "", &info)) {
        Say("problem", "cannot start " + options.words[0] + " (error " +
                           std::to_string(GetLastError()) + ")");
        return 2;
    }
    CloseHandle(info.hThread);
    if (WaitForSingleObject(info.hProcess, options.timeoutMs) != WAIT_OBJECT_0) {
        Say("problem", options.words[0] + " did not end in time");
        TerminateProcess(info.hProcess, 255);
    }
    double processMs = clock.Ms();
    for (;;) {
        bool left = RunningCount(options.processes) > 0;
        for (const std::string &path : options.paths)
            left = left || PathExists(path);
        if (!left)
            break;
        if (clock.Ms() > options.timeoutMs) {
            Say("problem", "something was still there after " +
                               std::to_string(options.timeoutMs / 1000) + " s");
            break;
        }
        Sleep(g_run.pollMs);
    }
    double ms = clock.Ms();
    DWORD code = 0;
    GetExitCodeProcess(info.hProcess, &code);
    CloseHandle(info.hProcess);
    Say("exit", ExitText(code));
    Say("process-ms", Millis(processMs));
    Say("elapsed-ms", Millis(ms));
    return 0;
}

}  // namespace driver
