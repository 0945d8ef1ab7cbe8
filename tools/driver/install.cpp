// The install command: runs setup.exe, answers its options dialog and boxes
// until it ends, and reports its exit code and how long it took.
#include "driver.h"

namespace driver {

int Install(const Options &options)
{
    if (options.words.empty()) {
        Say("problem", "install needs the path of setup.exe");
        return 2;
    }
    const std::string setup = options.words[0];
    PROCESS_INFORMATION info;
    Clock clock;
    g_run.clock.Restart();
    if (!StartProcess(setup, "", FolderOf(setup), &info)) {
        Say("problem", "cannot start " + setup + " (error " + std::to_string(GetLastError()) + ")");
        return 2;
    }
    CloseHandle(info.hThread);
    Answerer answerer(info.dwProcessId, options);
    while (WaitForSingleObject(info.hProcess, g_run.pollMs) == WAIT_TIMEOUT) {
        answerer.Step();
        if (clock.Ms() > options.timeoutMs) {
            Say("problem", "setup.exe did not end within " + std::to_string(options.timeoutMs / 1000) +
                               " s; ended it");
            TerminateProcess(info.hProcess, 255);
            CloseHandle(info.hProcess);
            return 2;
        }
    }
    double ms = clock.Ms();
    DWORD code = 0;
    GetExitCodeProcess(info.hProcess, &code);
    CloseHandle(info.hProcess);
    Say("setup-exit", ExitText(code));
    Say("elapsed-ms", Millis(ms));
    return 0;
}

}  // namespace driver
