// The uninstall command: runs the uninstall entry's command, answers the
// boxes of the uninstaller and of its temporary copy, and waits until the
// copy and the cleanup script are gone; reports the times of both phases.
#include "driver.h"

#include "files.h"
#include "machine_state.h"
#include "product.h"
#include "registry.h"

namespace driver {

int Uninstall(const Options &options)
{
    std::string command;
    if (!ReadString(HKEY_LOCAL_MACHINE, UNINSTALL_KEY_PATH "\\" UNINSTALL_ENTRY_NAME,
                    VALUE_UNINSTALL_STRING, &command)) {
        Say("problem", "no UninstallString in the uninstall entry");
        return 2;
    }
    std::string folder;
    ReadString(HKEY_LOCAL_MACHINE, SETTINGS_KEY_PATH, VALUE_INSTALL_PATH, &folder);
    if (!options.fast)
        Say("uninstall-string", command);
    if (!options.fast && !folder.empty())
        Say("install-path", folder);
    // The software list runs the command as it stands: a quoted path with
    // arguments, or a bare path, spaces and all.
    PROCESS_INFORMATION info;
    Clock clock;
    g_run.clock.Restart();
    if (!StartCommand(command, &info)) {
        Say("problem", "cannot start " + command + " (error " + std::to_string(GetLastError()) + ")");
        return 2;
    }
    CloseHandle(info.hThread);
    // Boxes come from the first process and from its temporary copy.
    Answerer answerer(0, options);
    bool firstEnded = false;
    double firstMs = 0;
    const std::vector<std::string> uninstallers = {UNINSTALL_EXE_NAME};
    for (;;) {
        answerer.Step();
        if (!firstEnded && WaitForSingleObject(info.hProcess, 0) == WAIT_OBJECT_0) {
            firstEnded = true;
            firstMs = clock.Ms();
            Trace("first process ended");
        }
        if (g_run.trace) {
            static bool copySeen, copyGone, folderGone, scriptSeen;
            std::vector<std::string> left = UninstallerLeftovers();
            bool copy = false, script = false;
            for (const std::string &path : left)
                (path.find("delme") != std::string::npos ? script : copy) = true;
            if (copy && !copySeen)
                Trace("temporary copy written"), copySeen = true;
            if (!copy && copySeen && !copyGone)
                Trace("temporary copy deleted"), copyGone = true;
            if (script && !scriptSeen)
                Trace("cleanup script written"), scriptSeen = true;
            if (!folder.empty() && !PathExists(folder) && !folderGone)
                Trace("install folder removed"), folderGone = true;
        }
        // The first process starts the copy before it ends; the copy removes
        // the folder and starts the script before it ends; the script
        // deletes the copy and then itself.
        if (firstEnded && RunningCount(uninstallers) == 0 && UninstallerLeftovers().empty())
            break;
        if (clock.Ms() > options.timeoutMs) {
            Say("problem", "the uninstallation did not finish within " +
                               std::to_string(options.timeoutMs / 1000) + " s");
            break;
        }
        Sleep(g_run.pollMs);
    }
    double ms = clock.Ms();
    DWORD code = 0;
    GetExitCodeProcess(info.hProcess, &code);
    CloseHandle(info.hProcess);
    Say("uninstall-exit", ExitText(code));
    Say("first-phase-ms", Millis(firstMs));
    Say("elapsed-ms", Millis(ms));
    if (g_run.firstAnswerMs >= 0)
        Say("after-confirmation-ms", Millis(ms - g_run.firstAnswerMs));
    return 0;
}

}  // namespace driver
