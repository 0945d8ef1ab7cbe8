// The commands that run a program and wait for it: install (setup.exe with
// its dialogs answered), uninstall (the uninstall entry's command, until
// its temporary copy and script are gone), and time and until-gone (any
// program, until given paths and processes are gone too). One routine
// starts, watches, times out and times them all.
#include "driver.h"

#include "files.h"
#include "machine.h"
#include "process.h"
#include "product.h"
#include "registry.h"

namespace driver {

bool Watch(const std::string &commandLine, const std::string &folder, const Options &options,
           const std::function<void(DWORD)> &step, const std::function<bool()> &left, RunEnd *end)
{
    Program program;
    Clock clock;
    g_run.clock.Restart();
    if (!StartProgram(commandLine, folder, &program)) {
        Say("problem", "cannot start " + commandLine + " (error " + std::to_string(GetLastError()) +
                           ")");
        return false;
    }
    bool ended = false, inTime = true;
    for (;;) {
        if (step)
            step(program.id);
        if (!ended && WaitForSingleObject(program.process, 0) == WAIT_OBJECT_0) {
            ended = true;
            end->processMs = clock.Ms();
            Trace("process ended");
        }
        if (ended && !(left && left()))
            break;
        if (clock.Ms() > options.timeoutMs) {
            std::string seconds = std::to_string(options.timeoutMs / 1000) + " s";
            Say("problem", commandLine + (ended ? " ended, but what it left was still there after "
                                                : " did not end within ") +
                               seconds + (ended ? "" : "; ended it"));
            inTime = false;
            break;
        }
        // Waiting on the process wakes at its end; afterwards only a pause.
        if (ended)
            Sleep(options.pollMs);
        else
            WaitForSingleObject(program.process, options.pollMs);
    }
    end->elapsedMs = clock.Ms();
    end->exitCode = WaitForExit(program, 0);
    EndProgram(&program);
    return inTime;
}

int Install(const Options &options)
{
    if (options.words.empty()) {
        Say("problem", "install needs the path of setup.exe");
        return 2;
    }
    const std::string setup = options.words[0];
    Answerer answerer(options);
    RunEnd end;
    if (!Watch("\"" + setup + "\"", FolderOf(setup), options,
               [&](DWORD pid) { answerer.Step(pid); }, nullptr, &end))
        return 2;
    Say("setup-exit", std::to_string(end.exitCode));
    Say("elapsed-ms", Millis(end.elapsedMs));
    return 0;
}

int Uninstall(const Options &options)
{
    std::string command, folder;
    if (!ReadString(HKEY_LOCAL_MACHINE, UNINSTALL_ENTRY_PATH, VALUE_UNINSTALL_STRING, &command)) {
        Say("problem", "no UninstallString in the uninstall entry");
        return 2;
    }
    ReadString(HKEY_LOCAL_MACHINE, SETTINGS_KEY_PATH, VALUE_INSTALL_PATH, &folder);
    if (!options.fast) {
        Say("uninstall-string", command);
        if (!folder.empty())
            Say("install-path", folder);
    }
    // The software list runs the command as it stands: a quoted path with
    // arguments, or a bare path, spaces and all.
    if (command.empty() || command[0] != '"')
        command = "\"" + command + "\"";
    // Boxes come from the first process and from its temporary copy.
    Answerer answerer(options);
    bool copySeen = false, copyGone = false, scriptSeen = false, folderGone = false;
    auto step = [&](DWORD) {
        answerer.Step(0);
        if (!g_run.trace)
            return;
        bool copy = false, script = false;
        for (const std::string &path : UninstallerLeftovers())
            (path.find("delme") != std::string::npos ? script : copy) = true;
        if (copy && !copySeen)
            Trace("temporary copy written"), copySeen = true;
        if (!copy && copySeen && !copyGone)
            Trace("temporary copy deleted"), copyGone = true;
        if (script && !scriptSeen)
            Trace("cleanup script written"), scriptSeen = true;
        if (!folder.empty() && !PathExists(folder) && !folderGone)
            Trace("install folder removed"), folderGone = true;
    };
    // The first process starts the copy before it ends; the copy removes
    // the folder and starts the script before it ends; the script deletes
    // the copy and then itself.
    auto left = [] {
        return CountRunning({UNINSTALL_EXE_NAME}) > 0 || !UninstallerLeftovers().empty();
    };
    RunEnd end;
    bool inTime = Watch(command, "", options, step, left, &end);
    Say("uninstall-exit", std::to_string(end.exitCode));
    Say("first-phase-ms", Millis(end.processMs));
    Say("elapsed-ms", Millis(end.elapsedMs));
    if (g_run.firstAnswerMs >= 0)
        Say("after-confirmation-ms", Millis(end.elapsedMs - g_run.firstAnswerMs));
    return inTime ? 0 : 2;
}

// Runs a program and waits for it; with paths or process names, also until
// every path is gone and no process of those names runs.
int Time(const Options &options)
{
    if (options.words.empty()) {
        Say("problem", "nothing to run");
        return 2;
    }
    // The program quoted, its arguments only where they hold a blank.
    std::string line = "\"" + options.words[0] + "\"";
    for (size_t i = 1; i < options.words.size(); ++i) {
        const std::string &word = options.words[i];
        line += word.find(' ') == std::string::npos ? " " + word : " \"" + word + "\"";
    }
    auto left = [&options] {
        bool found = CountRunning(options.processes) > 0;
        for (const std::string &path : options.paths)
            found = found || PathExists(path);
        return found;
    };
    RunEnd end;
    bool inTime = Watch(line, "", options, nullptr, left, &end);
    Say("exit", std::to_string(end.exitCode));
    Say("process-ms", Millis(end.processMs));
    Say("elapsed-ms", Millis(end.elapsedMs));
    return inTime ? 0 : 2;
}

}  // namespace driver
