// Both programs run as software distribution tools run them: /S and its
// companions on the command line, the exit code read, no window of any kind
// on the screen, and the machine looked at the moment the run returns.
#include <gtest/gtest.h>

#include <shlobj.h>

#include <algorithm>
#include <map>
#include <string>
#include <vector>

#include "dialog_driver.h"
#include "distribution.h"
#include "expect.h"
#include "files.h"
#include "installation.h"
#include "machine.h"
#include "process.h"
#include "product.h"
#include "registry.h"
#include "snapshot.h"

namespace {

const char kDist[] = "C:\\tests\\unattended dist";
const char kRoot[] = "C:\\tests\\unattended root";
// Blanks in it, as deployment tools write it after /D=.
const char kInstall[] = "C:\\tests\\unattended root\\Velkor Software\\Chronex dir";
const char kLog[] = "C:\\tests\\unattended log\\setup.log";
const char kRenames[] = "System\\CurrentControlSet\\Control\\Session Manager";

struct QuietRun {
    DWORD exitCode = STILL_ACTIVE;
    bool windowSeen = false;
};

// Runs a command line to its end, watching every process's visible
// windows meanwhile.
template <typename Line>
QuietRun RunQuietly(const Line &commandLine)
{
    QuietRun run;
    std::vector<HWND> before = VisibleWindows(0);
    Program program;
    if (!StartProgram(commandLine, "C:\\tests", &program))
        return run;
    WaitUntil(
        [&] {
            for (HWND window : VisibleWindows(0))
                if (std::find(before.begin(), before.end(), window) == before.end())
                    run.windowSeen = true;
            return WaitForExit(program, 0) != STILL_ACTIVE;
        },
        60000);
    run.exitCode = WaitForExit(program, 0);
    EndProgram(&program);
    return run;
}

std::string CommonShortcut()
{
    return SpecialFolder(CSIDL_COMMON_STARTMENU) + PRODUCT_DISPLAY_NAME SHORTCUT_EXTENSION;
}

class Unattended : public ::testing::Test {
protected:
    void SetUp() override
    {
        Clean();
        CopyFolder(TestProgramFolder() + "..\\dist", kDist);
        MakeFolders("C:\\tests\\unattended log");
    }
    void TearDown() override
    {
        Clean();
        RemoveTree(kDist);
        RemoveTree("C:\\tests\\unattended log");
    }
    void Clean()
    {
        CleanProductState();
        DeleteFileA(CommonShortcut().c_str());
        RemoveTree(kRoot);
    }
    std::string Setup() const { return "\"" + std::string(kDist) + "\\" SETUP_EXE_NAME "\""; }
};

TEST_F(Unattended, SetupCommandLines)
{
    const std::string folder = std::string("/D=") + kInstall;
    const std::string stored = std::string(kRoot) + "\\stored";
    struct Case {
        std::string arguments;
        DWORD exitCode;
        const char *installedIn;  // NULL: nothing installed
        bool shortcut;
        bool busy = false;        // another setup holds the product's mark
        const char *storedPath = NULL;
    } cases[] = {
        {"/S " + folder, EXIT_DONE, kInstall, true},
        {"/s /noshortcut \"/LOG=" + std::string(kLog) + "\" " + folder, EXIT_DONE, kInstall, false},
        {"/S /D=\"" + std::string(kInstall) + "\"", EXIT_DONE, kInstall, true},
        {"/S", EXIT_DONE, stored.c_str(), true, false, stored.c_str()},
        {"/S /X " + folder, EXIT_BAD_ARGUMENT, NULL, false},
        {"/S /D=\\\\", EXIT_BAD_ARGUMENT, NULL, false},
        {"/S /D=Q:\\no such drive\\Chronex", EXIT_FAILED, NULL, false},
        {"/S " + folder, EXIT_ALREADY_RUNNING, NULL, false, true},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.arguments);
        Clean();
        if (c.storedPath)
            WriteString(HKEY_LOCAL_MACHINE, SETTINGS_KEY_PATH, VALUE_INSTALL_PATH, c.storedPath);
        HANDLE mark = c.busy ? CreateMutexA(NULL, FALSE, PRODUCT_RUN_MARK) : NULL;
        QuietRun run = RunQuietly(Setup() + " " + c.arguments);
        if (mark)
            CloseHandle(mark);
        EXPECT_EQ(c.exitCode, run.exitCode);
        EXPECT_FALSE(run.windowSeen);
        EXPECT_EQ(0, CountRunning({PRODUCT_EXE_NAME})) << "the application is not started";
        EXPECT_EQ(0, CountShortcuts()) << "nothing in the user's folders";
        EXPECT_EQ(c.shortcut, FileExists(CommonShortcut()));
        std::string installPath;
        bool registered = ReadString(HKEY_LOCAL_MACHINE, SETTINGS_KEY_PATH, VALUE_INSTALL_PATH,
                                     &installPath);
        if (!c.installedIn) {
            EXPECT_TRUE(!registered || installPath == (c.storedPath ? c.storedPath : ""));
            EXPECT_FALSE(KeyExists(HKEY_LOCAL_MACHINE, UNINSTALL_ENTRY_PATH));
            continue;
        }
        EXPECT_EQ(c.installedIn, installPath);
        ExpectRegistryValues(ExpectedRegistration(c.installedIn, true, kDist));
        for (const std::string &name : ListFolder(kDist))
            if (lstrcmpiA(name.c_str(), SETUP_EXE_NAME) != 0)
                EXPECT_TRUE(FileExists(std::string(c.installedIn) + "\\" + name) ||
                            FolderExists(std::string(c.installedIn) + "\\" + name))
                    << name;
    }
    // One line per stage, appended.
    std::string log = ReadFileText(kLog);
    EXPECT_NE(std::string::npos, log.find("setup.exe: Copying the distribution: done\r\n")) << log;
    EXPECT_EQ(std::string::npos, log.find("failed")) << log;
}

// A file that cannot be replaced fails the run, and the log names it with
// the text its box shows in a run with a window.
TEST_F(Unattended, SetupWithAFileInUseFailsAndLogsIt)
{
    MakeFolders(kInstall);
    WriteFileText(std::string(kInstall) + "\\la.txt", "old");
    QuietRun run;
    {
        FileLock lock(std::string(kInstall) + "\\la.txt");
        ASSERT_TRUE(lock.Held());
        run = RunQuietly(Setup() + " /S \"/LOG=" + kLog + "\" /D=" + kInstall);
    }
    EXPECT_EQ((DWORD)EXIT_FAILED, run.exitCode);
    EXPECT_FALSE(run.windowSeen);
    std::string log = ReadFileText(kLog);
    EXPECT_NE(std::string::npos,
              log.find("setup.exe: Cannot copy 'la.txt' because the file is in use.    Please "
                       "restart your computer, then run setup again.\r\n"))
        << log;
    EXPECT_NE(std::string::npos, log.find("Copying the distribution: failed")) << log;
    EXPECT_TRUE(FileExists(std::string(kInstall) + "\\" PRODUCT_EXE_NAME)) << "the rest is copied";
}

// GetCommandLineA gives a letter that the code page lacks as a look-alike:
// a folder with a Polish barred L would be made with an L, another folder
// than the one asked for.
TEST_F(Unattended, FolderWithALetterOutsideTheCodePageIsNotMadeElsewhere)
{
    const std::string setup = Setup() + " /S /D=" + kRoot + "\\";
    QuietRun run = RunQuietly(std::wstring(setup.begin(), setup.end()) + L"\x0141\x00f3" L"d\x017a");
    EXPECT_EQ((DWORD)EXIT_FAILED, run.exitCode);
    EXPECT_FALSE(run.windowSeen);
    std::vector<std::string> made = ListFolder(kRoot);
    EXPECT_TRUE(made.empty()) << made.size() << " made, the first " << (made.empty() ? "" : made[0]);
    EXPECT_FALSE(KeyExists(HKEY_LOCAL_MACHINE, UNINSTALL_ENTRY_PATH));
}

// Exactly what the entry says, as a deployment tool runs it: when it
// returns, only its own uninstall.exe and the folders holding it may be
// left, and they go with the temporary copy and its script soon after.
TEST_F(Unattended, QuietUninstallStringRemovesEverythingBeforeItReturns)
{
    MakeFolders(kRoot);
    std::map<std::string, std::string> before = MachineSnapshot(kRoot);
    ASSERT_EQ((DWORD)EXIT_DONE, RunQuietly(Setup() + " /S /D=" + kInstall).exitCode);
    WriteDword(HKEY_CURRENT_USER, SETTINGS_KEY_PATH, VALUE_HOTKEY, 0x0648);
    ASSERT_TRUE(FileExists(CommonShortcut()));
    std::string command;
    ASSERT_TRUE(ReadString(HKEY_LOCAL_MACHINE, UNINSTALL_ENTRY_PATH, VALUE_QUIET_UNINSTALL,
                           &command));

    QuietRun run = RunQuietly(command);
    std::vector<std::string> left = ListFolder(kInstall);
    EXPECT_EQ((DWORD)EXIT_DONE, run.exitCode);
    EXPECT_FALSE(run.windowSeen);
    EXPECT_TRUE(left.empty() || left == std::vector<std::string>{UNINSTALL_EXE_NAME})
        << left.size() << " names left, the first " << (left.empty() ? "" : left[0]);
    EXPECT_FALSE(KeyExists(HKEY_LOCAL_MACHINE, SETTINGS_KEY_PATH));
    EXPECT_FALSE(KeyExists(HKEY_CURRENT_USER, SETTINGS_KEY_PATH));
    EXPECT_FALSE(KeyExists(HKEY_LOCAL_MACHINE, UNINSTALL_ENTRY_PATH));
    EXPECT_FALSE(FileExists(CommonShortcut()));

    // The removal retries its own uninstall.exe for 5 s while the first
    // process ends; the wait is longer than that.
    EXPECT_TRUE(WaitUntil(
        [] { return !FolderExists(kInstall) && UninstallerLeftovers().empty(); }, 10000))
        << ListFolder(kInstall).size() << " names in the install folder, "
        << UninstallerLeftovers().size() << " left in the temporary folder, "
        << CountRunning({UNINSTALL_EXE_NAME, "cmd.exe"}) << " uninstall.exe or cmd.exe running";
    ExpectOnlyDocumentTypeLeft(before, MachineSnapshot(kRoot));
}

class UnattendedRemoval : public Unattended {
protected:
    std::string Uninstaller() const
    {
        return "\"" + std::string(kInstall) + "\\" UNINSTALL_EXE_NAME "\" /S";
    }
};

TEST_F(UnattendedRemoval, NothingInstalledGives1605)
{
    MakeFolders(kInstall);
    CopyFileA((std::string(kDist) + "\\" UNINSTALL_EXE_NAME).c_str(),
              (std::string(kInstall) + "\\" UNINSTALL_EXE_NAME).c_str(), FALSE);
    QuietRun run = RunQuietly(Uninstaller());
    EXPECT_EQ((DWORD)EXIT_NOT_INSTALLED, run.exitCode);
    EXPECT_FALSE(run.windowSeen);
    EXPECT_TRUE(WaitUntil([] { return UninstallerLeftovers().empty(); }, 5000));
}

TEST_F(UnattendedRemoval, NoTemporaryCopyGives1603AndRemovesNothing)
{
    InstallByHand(kInstall);
    QuietRun run;
    {
        TemporaryFolderOverride temp("Q:\\no such drive\\temp");
        run = RunQuietly(Uninstaller());
    }
    EXPECT_EQ((DWORD)EXIT_FAILED, run.exitCode);
    EXPECT_FALSE(run.windowSeen);
    EXPECT_TRUE(ValueExists(HKEY_LOCAL_MACHINE, SETTINGS_KEY_PATH, VALUE_INSTALL_PATH));
    EXPECT_TRUE(FileExists(std::string(kInstall) + "\\" PRODUCT_EXE_NAME));
}

// A file in use goes at the next restart, the folder after it; Wine carries
// out the deletions when the prefix restarts.
TEST_F(UnattendedRemoval, FileInUseIsDeletedAtTheNextRestart)
{
    InstallByHand(kInstall);
    const std::string held = std::string(kInstall) + "\\" PRODUCT_EXE_NAME;
    QuietRun run;
    {
        FileLock lock(held);
        ASSERT_TRUE(lock.Held());
        run = RunQuietly(Uninstaller());
        // The folder is scheduled once the copy has given up on it.
        EXPECT_TRUE(WaitUntil([] { return UninstallerLeftovers().empty(); }, 10000));
    }
    EXPECT_EQ((DWORD)EXIT_RESTART_NEEDED, run.exitCode);
    EXPECT_FALSE(KeyExists(HKEY_LOCAL_MACHINE, SETTINGS_KEY_PATH));
    std::string renames;
    ReadValue(HKEY_LOCAL_MACHINE, kRenames, "PendingFileRenameOperations", &renames, NULL);
    size_t file = renames.find(held);
    size_t folder = renames.find(std::string(kInstall) + '\0');
    EXPECT_NE(std::string::npos, file);
    EXPECT_NE(std::string::npos, folder);
    EXPECT_LT(file, folder) << "the folder after its file";
    ASSERT_TRUE(FileExists(held));

    Program restart;
    ASSERT_TRUE(StartProgram("wineboot.exe -r", "C:\\", &restart));
    EXPECT_EQ(0u, WaitForExit(restart, 60000));
    EndProgram(&restart);
    EXPECT_FALSE(FileExists(held));
    EXPECT_FALSE(FolderExists(kInstall));
}

}  // namespace
