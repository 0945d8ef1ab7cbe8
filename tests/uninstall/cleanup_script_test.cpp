// The cleanup script: its name and bytes, the first free number, the start
// through the command interpreter, a real run that deletes the temporary
// copy once its process has ended, and the deletion of scripts that earlier
// removals left. The temporary folder is redirected with TMP.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "dialog_driver.h"
#include "files.h"
#include "import_hook.h"
#include "msgbox.h"
#include "process.h"
#include "product.h"
#include "uninstall.h"

extern "C" BOOL WINAPI SetShellWindow(HWND window);

namespace {

// The command line that starts a script: the system's command interpreter,
// no AutoRun commands, the quoted script path.
std::string ScriptCommandLine(const std::string &script)
{
    char system[MAX_PATH] = "";
    GetSystemDirectoryA(system, sizeof(system));
    return std::string("\"") + system + "\\cmd.exe\" /d /s /c \"\"" + script + "\"\"";
}

std::string ExpectedScript(const std::string &temp, const std::string &script)
{
    return "\r\n@echo off\r\n:myLabel\r\ndel \"" + temp + "uninstall.exe\"\r\nif exist \"" + temp +
           "uninstall.exe\" goto myLabel\r\ndel \"" + script + "\"\r\n";
}

class CleanupScript : public ::testing::Test {
protected:
    void SetUp() override
    {
        char old[32767];
        DWORD length = GetEnvironmentVariableA("TMP", old, sizeof(old));
        hadTmp_ = length > 0 && length < sizeof(old);
        oldTmp_ = hadTmp_ ? old : "";
        root_ = MakeScratchFolder(
            std::string("uninstall_script_") +
            ::testing::UnitTest::GetInstance()->current_test_info()->name());
        temp_ = root_ + "\\tmp dir\\";
        MakeFolders(root_ + "\\tmp dir");
        UseTemp(temp_);
    }
    void TearDown() override
    {
        SetEnvironmentVariableA("TMP", hadTmp_ ? oldTmp_.c_str() : NULL);
        RemoveTree(root_);
    }
    static void UseTemp(const std::string &folder)
    {
        SetEnvironmentVariableA("TMP", folder.c_str());
    }
    std::string root_;
    std::string temp_;
    bool hadTmp_ = false;
    std::string oldTmp_;
};

TEST_F(CleanupScript, FirstScriptHasTheExactBytesAndStartsHidden)
{
    char given[MAX_PATH] = "";
    ASSERT_EQ(temp_.size(), GetTempPathA(sizeof(given), given));
    ASSERT_EQ(temp_, given);
    ProgramStartLog starts;
    ASSERT_TRUE(starts.Active());
    StartCleanupScript();

    std::string script = temp_ + "delme1.bat";
    EXPECT_EQ(std::vector<std::string>{"delme1.bat"}, ListFolder(temp_));
    EXPECT_EQ(ExpectedScript(temp_, script), ReadFileText(script));
    ASSERT_EQ(1u, starts.starts.size());
    const ProgramStart &call = starts.starts[0];
    EXPECT_TRUE(call.applicationNull);
    EXPECT_EQ(ScriptCommandLine(script), call.commandLine);
    EXPECT_EQ(temp_, call.folder);
    EXPECT_EQ(SW_HIDE, call.show);
}

TEST_F(CleanupScript, TakesTheFirstFreeNumberAndLeavesOlderScripts)
{
    for (int n = 1; n <= 4; ++n)
        WriteFileText(temp_ + "delme" + std::to_string(n) + ".bat", "old " + std::to_string(n));
    ProgramStartLog starts;
    ASSERT_TRUE(starts.Active());
    StartCleanupScript();

    for (int n = 1; n <= 4; ++n)
        EXPECT_EQ("old " + std::to_string(n),
                  ReadFileText(temp_ + "delme" + std::to_string(n) + ".bat"));
    std::string script = temp_ + "delme5.bat";
    EXPECT_EQ(ExpectedScript(temp_, script), ReadFileText(script));
    ASSERT_EQ(1u, starts.starts.size());
    EXPECT_EQ(ScriptCommandLine(script), starts.starts[0].commandLine);
}

// Scripts of earlier removals that never ran to their end go; a file that
// is not byte for byte the script of its own name, and a link, stay.
TEST_F(CleanupScript, LeftoverScriptsGoAndNothingElse)
{
    auto script = [&](int n) {
        return ExpectedScript(temp_, temp_ + "delme" + std::to_string(n) + ".bat");
    };
    const std::string outside = root_ + "\\outside.bat";
    WriteFileText(outside, script(4));
    struct {
        int number;
        std::string bytes;
        bool stays;
    } files[] = {
        {1, script(1), false},
        {2, script(2) + " ", true},
        {3, script(1), true},
        {5, script(5), false},
        {6, ExpectedScript(root_ + "\\", temp_ + "delme6.bat"), true},
    };
    for (const auto &f : files)
        WriteFileText(temp_ + "delme" + std::to_string(f.number) + ".bat", f.bytes);
    // A second name of a file elsewhere (Wine shows no symbolic link to a
    // file as a link; a hard link it does).
    ASSERT_TRUE(CreateHardLinkA((temp_ + "delme4.bat").c_str(), outside.c_str(), NULL));

    DeleteLeftoverScripts(temp_.c_str());

    for (const auto &f : files) {
        std::string path = temp_ + "delme" + std::to_string(f.number) + ".bat";
        EXPECT_EQ(f.stays, FileExists(path)) << path;
        if (f.stays)
            EXPECT_EQ(f.bytes, ReadFileText(path)) << path;
    }
    EXPECT_TRUE(FileExists(temp_ + "delme4.bat")) << "the link stays";
    EXPECT_EQ(script(4), ReadFileText(outside)) << "and the file it names";
}

TEST_F(CleanupScript, AllTwoHundredNamesTakenWritesAndStartsNothing)
{
    for (int n = 1; n <= 200; ++n)
        WriteFileText(temp_ + "delme" + std::to_string(n) + ".bat", "old");
    ProgramStartLog starts;
    ASSERT_TRUE(starts.Active());
    StartCleanupScript();
    EXPECT_TRUE(starts.starts.empty());
    std::vector<std::string> names = ListFolder(temp_);
    EXPECT_EQ(200u, names.size());
    EXPECT_EQ("old", ReadFileText(temp_ + "delme200.bat"));
}

TEST_F(CleanupScript, ReadOnlyTemporaryCopyIsClearedBeforeTheScript)
{
    std::string copy = temp_ + UNINSTALL_EXE_NAME;
    WriteFileText(copy, "MZ");
    SetFileAttributesA(copy.c_str(), FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN);
    ProgramStartLog starts;
    ASSERT_TRUE(starts.Active());
    StartCleanupScript();
    DWORD attributes = GetFileAttributesA(copy.c_str());
    ASSERT_NE(INVALID_FILE_ATTRIBUTES, attributes);
    EXPECT_EQ(0u, attributes & (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN));
    EXPECT_EQ(ExpectedScript(temp_, temp_ + "delme1.bat"), ReadFileText(temp_ + "delme1.bat"));
}

TEST_F(CleanupScript, NoTemporaryFolderOrOneTooLongGivesNoScript)
{
    ProgramStartLog starts;
    ASSERT_TRUE(starts.Active());
    char given[MAX_PATH];

    UseTemp("C:\\" + std::string(300, 't'));
    ASSERT_EQ(0u, GetTempPathA(sizeof(given), given)) << "no temporary folder";
    StartCleanupScript();

    // 250 characters with the backslash: delme1.bat would make 260.
    std::string tooLong = root_ + "\\" + std::string(249 - root_.size() - 1, 'l');
    MakeFolders(tooLong);
    ASSERT_TRUE(FolderExists(tooLong));
    UseTemp(tooLong);
    ASSERT_EQ(250u, GetTempPathA(sizeof(given), given));
    StartCleanupScript();

    EXPECT_TRUE(starts.starts.empty());
    EXPECT_TRUE(ListFolder(tooLong).empty());
}

TEST_F(CleanupScript, ScriptDeletesARunningReadOnlyCopyAfterItExitsAndThenItself)
{
    std::string copy = temp_ + UNINSTALL_EXE_NAME;
    std::string script = temp_ + "delme1.bat";
    ASSERT_TRUE(CopyFileA((TestProgramFolder() + UNINSTALL_EXE_NAME).c_str(), copy.c_str(), FALSE));
    SetFileAttributesA(copy.c_str(), FILE_ATTRIBUTE_READONLY);
    // Without arguments the copy waits in its confirmation box.
    Program program;
    ASSERT_TRUE(StartProgram("\"" + copy + "\"", root_, &program));
    ASSERT_TRUE(WaitForWindow(program.id, "#32770", PRODUCT_DISPLAY_NAME, 10000));

    StartCleanupScript();
    EXPECT_TRUE(FileExists(copy)) << "the copy cannot go while it runs";
    EXPECT_TRUE(FileExists(script)) << "the script waits for the copy";

    BoxWatcher watcher(program.id, {IDCANCEL});
    EXPECT_EQ(1u, WaitForExit(program, 10000));
    EndProgram(&program);
    EXPECT_TRUE(WaitUntil([&] { return !FileExists(copy) && !FileExists(script); }, 10000));
    EXPECT_TRUE(ListFolder(temp_).empty());
}

// Without a desktop shell (Wine has none) the script runs with the
// uninstaller's own rights; with one, with the shell's token, through
// CreateProcessWithTokenW rather than CreateProcessW.
TEST_F(CleanupScript, ScriptWithoutACopyDeletesItselfWithOrWithoutADesktopShell)
{
    StartCleanupScript();
    EXPECT_TRUE(WaitUntil([&] { return ListFolder(temp_).empty(); }, 10000));

    HWND shell = CreateWindowExA(0, "STATIC", "shell", WS_POPUP, 0, 0, 1, 1, NULL, NULL, NULL,
                                 NULL);
    ASSERT_TRUE(SetShellWindow(shell)) << "a shell window is set already";
    ProgramStartLog starts;
    StartCleanupScript();
    EXPECT_TRUE(starts.starts.empty());
    EXPECT_TRUE(WaitUntil([&] { return ListFolder(temp_).empty(); }, 10000));
    DestroyWindow(shell);
    EXPECT_EQ(NULL, GetShellWindow());
}

}  // namespace
