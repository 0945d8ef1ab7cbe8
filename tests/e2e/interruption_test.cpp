// Installations and uninstallations ended at an exact call, as a power cut
// or an ended task ends them, followed by what a user tries first. Whatever
// the moment, that first try with the product's own programs must leave the
// machine as it was before the installation, apart from the settings
// document type.
#include <gtest/gtest.h>

#include <map>
#include <string>

#include "expect.h"
#include "distribution.h"
#include "files.h"
#include "machine.h"
#include "msgbox.h"
#include "process.h"
#include "process_tree.h"
#include "product.h"
#include "registry.h"
#include "setup_run.h"
#include "snapshot.h"

namespace {

#define ROOT    "C:\\tests\\interrupted"
#define DIST    "C:\\tests\\interrupted dist"
#define TEMP    "C:\\tests\\interrupted temp"
#define INSTALL ROOT "\\Velkor Software\\Chronex"
const char kSetup[] = DIST "\\" SETUP_EXE_NAME;
const char kKernel[] = "kernel32.dll";
const DWORD kRunTimeoutMs = 90000;

// What the user tries first once the machine runs again: the software list
// where it names the product or where the uninstallation was started from
// it; the install folder's uninstall.exe once the list no longer names the
// product; setup again after a setup that the list does not know of.
enum FirstTry {
    kSoftwareList,   // the Uninstall of the software list
    kListOrSetup,    // the same; when the list names nothing, setup again
                     // into the same folder, then the list's Uninstall
    kInstalledCopy,  // the install folder's uninstall.exe
};

class Interruption : public ::testing::Test {
protected:
    void SetUp() override
    {
        CleanProductState();
        RemoveTree(DIST);
        CopyFolder(TestProgramFolder() + "..\\dist", DIST);
    }
    void TearDown() override
    {
        CleanProductState();
        for (const char *folder : {DIST, ROOT, TEMP})
            RemoveTree(folder);
    }
    static void Fresh()
    {
        CleanProductState();
        for (const char *folder : {ROOT, TEMP}) {
            RemoveTree(folder);
            MakeFolders(folder);
        }
    }
    static std::string Listed()
    {
        std::string command;
        ReadString(HKEY_LOCAL_MACHINE, UNINSTALL_ENTRY_PATH, VALUE_UNINSTALL_STRING, &command);
        return command;
    }
    // Runs a program and whatever it starts, every box answered with OK and
    // setup's options dialog with the install folder; false when it cannot
    // start, or when the stop point was not reached.
    static bool Run(const std::string &program, const StopPoint *stop = nullptr)
    {
        ProcessTree tree;
        if (stop)
            tree.StopAt(*stop);
        if (program.empty() || !tree.Start("\"" + program + "\"", ROOT))
            return false;
        HANDLE options = program == kSetup ? AnswerOptionsWhenShown({INSTALL, false, false}) : NULL;
        BoxWatcher watcher(0);
        EXPECT_TRUE(tree.WaitForAll(kRunTimeoutMs)) << program;
        watcher.Stop();
        if (options) {
            WaitForSingleObject(options, INFINITE);
            CloseHandle(options);
        }
        return !stop || tree.stopped;
    }
    static std::string Unquoted(const std::string &command)
    {
        return command.size() > 1 && command[0] == '"' ? command.substr(1, command.size() - 2)
                                                       : command;
    }
    static void TryFirst(FirstTry first)
    {
        if (first == kInstalledCopy) {
            EXPECT_TRUE(Run(INSTALL "\\" UNINSTALL_EXE_NAME)) << "no uninstall.exe to run";
            return;
        }
        if (Listed().empty() && first == kListOrSetup)
            EXPECT_TRUE(Run(kSetup));
        EXPECT_TRUE(Run(Unquoted(Listed())))
            << "the software list cannot start \"" << Listed() << "\"";
    }
    TemporaryFolderOverride temp_{TEMP};
};

TEST_F(Interruption, EveryStopIsFinishedByWhatTheUserTriesFirst)
{
    struct Case {
        const char *moment;
        StopPoint stop;
        FirstTry firstTry;
    } cases[] = {
        {"setup, before uninstall.exe is copied", {kSetup, kKernel, "CopyFileA", 1}, kListOrSetup},
        {"the first uninstaller, before its temporary copy starts",
         {INSTALL "\\" UNINSTALL_EXE_NAME, kKernel, "CopyFileA", 1}, kSoftwareList},
        // 8 for the shortcut names, then 32 of the installed-file list:
        // Chronex.exe and chronex.htm are gone, the other files not yet.
        {"the removal phase, among the installed files",
         {TEMP "\\" UNINSTALL_EXE_NAME, kKernel, "DeleteFileA", 40}, kInstalledCopy},
        {"the cleanup script, before it runs", {"cmd.exe", nullptr, nullptr, 0}, kListOrSetup},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.moment);
        Fresh();
        std::map<std::string, std::string> before = MachineSnapshot(ROOT);
        bool inSetup = c.stop.image == kSetup;
        ASSERT_TRUE(Run(kSetup, inSetup ? &c.stop : nullptr)) << "setup";
        if (!inSetup)
            ASSERT_TRUE(Run(Unquoted(Listed()), &c.stop)) << "the uninstallation";
        TryFirst(c.firstTry);
        ExpectOnlyDocumentTypeLeft(before, MachineSnapshot(ROOT));
    }
}

}  // namespace
