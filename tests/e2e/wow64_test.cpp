// The 32-bit programs as 64-bit Windows runs them (WoW64), in a 64-bit
// prefix: setup offers "Program Files (x86)", its keys land in the 32-bit
// registry view, where the system's 64-bit software list still finds the
// product and removes it through the stored command.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "files.h"
#include "machine.h"
#include "msgbox.h"
#include "process.h"
#include "product.h"
#include "registry.h"
#include "setup_run.h"

namespace {

const char kInstallRoot[] = "C:\\tests\\wow64";
const char kInstall[] = "C:\\tests\\wow64\\Velkor Chronex";
const char kNativeUninstaller[] = "C:\\windows\\sysnative\\uninstaller.exe";

bool KeyInView(const std::string &path, REGSAM view)
{
    HKEY key;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, path.c_str(), 0, KEY_READ | view, &key) != ERROR_SUCCESS)
        return false;
    RegCloseKey(key);
    return true;
}

// Runs a console program and returns what it wrote, CRs removed.
std::string Output(const std::string &commandLine, DWORD *exitCode)
{
    SECURITY_ATTRIBUTES inherit = {sizeof(inherit), NULL, TRUE};
    HANDLE readEnd = NULL, writeEnd = NULL;
    if (!CreatePipe(&readEnd, &writeEnd, &inherit, 0))
        return "<no pipe>";
    SetHandleInformation(readEnd, HANDLE_FLAG_INHERIT, 0);
    STARTUPINFOA startup = {};
    startup.cb = sizeof(startup);
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdOutput = startup.hStdError = writeEnd;
    PROCESS_INFORMATION info = {};
    std::string line = commandLine;
    BOOL started = CreateProcessA(NULL, &line[0], NULL, NULL, TRUE, 0, NULL, NULL, &startup, &info);
    CloseHandle(writeEnd);
    std::string text;
    char chunk[512];
    DWORD got;
    while (started && ReadFile(readEnd, chunk, sizeof(chunk), &got, NULL) && got)
        text.append(chunk, got);
    CloseHandle(readEnd);
    if (!started)
        return "<not started: " + commandLine + ">";
    WaitForSingleObject(info.hProcess, 60000);
    GetExitCodeProcess(info.hProcess, exitCode);
    CloseHandle(info.hProcess);
    CloseHandle(info.hThread);
    text.erase(std::remove(text.begin(), text.end(), '\r'), text.end());
    return text;
}

bool WaitUntilMissing(const std::string &path, DWORD timeoutMs)
{
    for (DWORD waited = 0; GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
         waited += 50) {
        if (waited >= timeoutMs)
            return false;
        Sleep(50);
    }
    return true;
}

class Wow64 : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(RunningUnderWow64()) << "runs only as a 32-bit program in a 64-bit prefix";
        Clean();
    }
    void TearDown() override { Clean(); }
    static void Clean()
    {
        CleanProductState();
        RemoveTree(kInstallRoot);
    }
};

TEST_F(Wow64, InstallsInTheThirtyTwoBitViewAndTheSystemListRemovesIt)
{
    const std::string dist = TestProgramFolder() + "..\\dist";
    SetupRun setup = RunSetup(dist + "\\" SETUP_EXE_NAME, {kInstall, true, false});
    ASSERT_TRUE(setup.dialog) << "no options dialog";
    EXPECT_EQ("C:\\Program Files (x86)\\" PRODUCT_DISPLAY_NAME, setup.offered);
    EXPECT_EQ(1u, setup.exitCode);
    ASSERT_EQ(1u, setup.boxes.size());
    EXPECT_EQ(PRODUCT_DISPLAY_NAME " has been installed successfully.", setup.boxes[0].text);

    // The keys are in the 32-bit view, which the 64-bit view shows under
    // WOW6432Node, and nowhere else.
    for (const char *path : {SETTINGS_KEY_PATH, UNINSTALL_ENTRY_PATH}) {
        SCOPED_TRACE(path);
        EXPECT_TRUE(KeyInView(path, KEY_WOW64_32KEY));
        EXPECT_FALSE(KeyInView(path, KEY_WOW64_64KEY));
        std::string redirected = std::string("Software\\WOW6432Node") + (path + 8);
        EXPECT_TRUE(KeyInView(redirected, KEY_WOW64_64KEY)) << redirected;
    }

    DWORD exitCode = 0xDEADBEEF;
    std::string list = Output(std::string(kNativeUninstaller) + " --list", &exitCode);
    EXPECT_NE(std::string::npos, list.find(UNINSTALL_ENTRY_NAME "|||" PRODUCT_DISPLAY_NAME))
        << list;

    // The software list runs the stored command; the confirmation is answered.
    BoxWatcher watcher(0, {IDOK});
    Output(std::string(kNativeUninstaller) + " --remove " UNINSTALL_ENTRY_NAME, &exitCode);
    EXPECT_TRUE(WaitUntilMissing(kInstall, 30000)) << "the install folder stays";
    watcher.Stop();
    ASSERT_EQ(1u, watcher.Boxes().size());
    EXPECT_EQ("This will uninstall " PRODUCT_DISPLAY_NAME ".", watcher.Boxes()[0].text);
    EXPECT_FALSE(KeyInView(UNINSTALL_ENTRY_PATH, KEY_WOW64_32KEY));
    EXPECT_FALSE(KeyInView(SETTINGS_KEY_PATH, KEY_WOW64_32KEY));
    list = Output(std::string(kNativeUninstaller) + " --list", &exitCode);
    EXPECT_EQ(std::string::npos, list.find(PRODUCT_DISPLAY_NAME)) << list;
}

}  // namespace
