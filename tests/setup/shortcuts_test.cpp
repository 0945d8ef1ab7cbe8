// The shortcut stage in the test process: deleting the old product
// shortcuts from the four special folders, creating the Start-menu shortcut
// through the shell link object and reading it back, and the notifications
// of both.
#include <gtest/gtest.h>

#include <ole2.h>
#include <shlobj.h>

#include "files.h"
#include "folder_shortcuts.h"
#include "import_hook.h"
#include "links.h"
#include "machine.h"
#include "msgbox.h"
#include "product.h"
#include "registry.h"
#include "setup.h"

namespace {

const char kLinkName[] = "Velkor Chronex.lnk";
const char kLink98Name[] = "Velkor Chronex 98.lnk";
const char kTestShellFolder[] = "Chronex Test Folder";
// A CSIDL that the shell does not know, so it cannot be resolved.
const int kNoSuchFolder = 0xFE;

std::string Events(const std::vector<ShellNotifyCall> &calls)
{
    std::string text;
    for (const ShellNotifyCall &c : calls)
        text += std::to_string(c.event) + "/" + std::to_string(c.flags) + " " + c.path1 + "\n";
    return text;
}

class Shortcuts : public ::testing::Test {
protected:
    void SetUp() override
    {
        OleInitialize(NULL);
        CleanProductState();
        DeleteValue(HKEY_CURRENT_USER, SHELL_FOLDERS_KEY_PATH, kTestShellFolder);
        startMenu_ = SpecialFolder(CSIDL_STARTMENU);
        ASSERT_FALSE(startMenu_.empty());
    }
    void TearDown() override
    {
        DeleteValue(HKEY_CURRENT_USER, SHELL_FOLDERS_KEY_PATH, kTestShellFolder);
        CleanProductState();
        RemoveTree("C:\\tests\\shortcut_folder");
        OleUninitialize();
    }
    std::string startMenu_;
};

TEST_F(Shortcuts, DeleteOldShortcutsWithNothingThereSendsFourDeletions)
{
    ShellNotifyLog log;
    DeleteOldShortcuts(0);
    const std::string expected[] = {
        SpecialFolder(CSIDL_STARTMENU) + kLinkName,
        SpecialFolder(CSIDL_PROGRAMS) + kLinkName,
        SpecialFolder(CSIDL_DESKTOPDIRECTORY) + kLinkName,
    };
    ASSERT_EQ(7u, log.calls.size()) << Events(log.calls);
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(SHCNE_DELETE, log.calls[2 * i].event);
        EXPECT_EQ((UINT)SHCNF_PATHA, log.calls[2 * i].flags);
        EXPECT_EQ(expected[i], log.calls[2 * i].path1);
        EXPECT_EQ(0, log.calls[2 * i + 1].event);
        EXPECT_EQ((UINT)SHCNF_FLUSH, log.calls[2 * i + 1].flags);
    }
    EXPECT_EQ(SHCNE_DELETE, log.calls[6].event);
    EXPECT_EQ((UINT)SHCNF_PATHA, log.calls[6].flags);
    EXPECT_EQ(SpecialFolder(CSIDL_STARTUP) + kLink98Name, log.calls[6].path1)
        << "Startup: only the 98 name, and no flush after it";
}

TEST_F(Shortcuts, DeleteOldShortcutsKeepsOnlyTheStartupShortcutOfTheCurrentName)
{
    const int folders[] = {CSIDL_STARTMENU, CSIDL_PROGRAMS, CSIDL_DESKTOPDIRECTORY, CSIDL_STARTUP};
    for (int csidl : folders) {
        WriteFileText(SpecialFolder(csidl) + kLinkName, "old");
        WriteFileText(SpecialFolder(csidl) + kLink98Name, "old 98");
    }
    ShellNotifyLog log;
    DeleteOldShortcuts(0);
    for (int csidl : {CSIDL_STARTMENU, CSIDL_PROGRAMS, CSIDL_DESKTOPDIRECTORY}) {
        EXPECT_FALSE(FileExists(SpecialFolder(csidl) + kLinkName)) << csidl;
        EXPECT_FALSE(FileExists(SpecialFolder(csidl) + kLink98Name)) << csidl;
    }
    EXPECT_TRUE(FileExists(SpecialFolder(CSIDL_STARTUP) + kLinkName));
    EXPECT_FALSE(FileExists(SpecialFolder(CSIDL_STARTUP) + kLink98Name));
    for (size_t i = 0; i + 1 < log.calls.size(); ++i)
        EXPECT_EQ(std::string::npos, log.calls[i].path1.find(" 98.lnk"))
            << "the 98 name is announced only for Startup: " << log.calls[i].path1;
    EXPECT_EQ(7u, log.calls.size()) << Events(log.calls);
}

// An unresolvable folder must not turn into the current directory.
TEST_F(Shortcuts, UnresolvableFolderDeletesNothingAndAnnouncesNothing)
{
    std::string scratch = MakeScratchFolder("shortcut_folder");
    char saved[MAX_PATH] = "";
    GetCurrentDirectoryA(sizeof(saved), saved);
    ASSERT_TRUE(SetCurrentDirectoryA(scratch.c_str()));
    WriteFileText(scratch + "\\" + kLinkName, "keep");
    WriteFileText(scratch + "\\" + kLink98Name, "keep");
    WriteFileText("C:\\" + std::string(kLinkName), "keep");

    ShellNotifyLog log;
    DeleteFolderShortcuts(kNoSuchFolder);
    DeleteFolderFile(kNoSuchFolder, kLink98Name);
    SetCurrentDirectoryA(saved);

    EXPECT_TRUE(FileExists(scratch + "\\" + kLinkName));
    EXPECT_TRUE(FileExists(scratch + "\\" + kLink98Name));
    EXPECT_TRUE(FileExists("C:\\" + std::string(kLinkName)));
    EXPECT_EQ(0u, log.calls.size()) << Events(log.calls);
    DeleteFileA(("C:\\" + std::string(kLinkName)).c_str());
}

TEST_F(Shortcuts, StartMenuShortcutFromStoredInstallPath)
{
    BoxAnswerer answerer;
    WriteString(HKEY_LOCAL_MACHINE, SETTINGS_KEY_PATH, VALUE_INSTALL_PATH,
                "C:\\Program Files\\Velkor Chronex");
    lstrcpyA(g_installFolder, "C:\\not\\this\\one");
    ShellNotifyLog log;
    CreateProductShortcut("Start Menu", "", 0, "");

    // The "Start Menu" value, not the special folder, names the place.
    std::string folder = ShellFolderValue("Start Menu");
    if (folder.back() != '\\')
        folder += '\\';
    const std::string shortcut = folder + kLinkName;
    LinkInfo link;
    ASSERT_TRUE(ReadLink(shortcut, &link)) << shortcut;
    EXPECT_EQ("C:\\Program Files\\Velkor Chronex\\Chronex.exe", link.target);
    EXPECT_EQ("", link.arguments);
    EXPECT_EQ("C:\\Program Files\\Velkor Chronex", link.workingDirectory);
    EXPECT_EQ(0, link.hotkey);
    EXPECT_EQ(1u, link.fileShowCommand) << "SW_SHOWNORMAL";
    EXPECT_EQ(0, link.fileHotkey);
    EXPECT_EQ("", link.iconPath) << "the target's own icon";

    ASSERT_EQ(2u, log.calls.size()) << Events(log.calls);
    EXPECT_EQ(SHCNE_CREATE, log.calls[0].event);
    EXPECT_EQ((UINT)SHCNF_PATHA, log.calls[0].flags);
    EXPECT_EQ(shortcut, log.calls[0].path1);
    EXPECT_EQ(0, log.calls[1].event);
    EXPECT_EQ((UINT)SHCNF_FLUSH, log.calls[1].flags);
    EXPECT_EQ(0u, answerer.boxes.size());
}

TEST_F(Shortcuts, NamedShortcutWithArgumentsAndHotkeyInAFolderEndingInBackslash)
{
    std::string folder = MakeScratchFolder("shortcut_folder");
    WriteString(HKEY_CURRENT_USER, SHELL_FOLDERS_KEY_PATH, kTestShellFolder, folder + "\\");
    WriteString(HKEY_LOCAL_MACHINE, SETTINGS_KEY_PATH, VALUE_INSTALL_PATH, "D:\\Apps\\Chronex");
    ShellNotifyLog log;
    CreateProductShortcut(kTestShellFolder, "/quiet doc.qsx", 0x10641, "Chronex Quiet");

    const std::string shortcut = folder + "\\Chronex Quiet.lnk";
    ASSERT_EQ(2u, log.calls.size()) << Events(log.calls);
    EXPECT_EQ(shortcut, log.calls[0].path1) << "no doubled backslash";
    LinkInfo link;
    ASSERT_TRUE(ReadLink(shortcut, &link));
    EXPECT_EQ("D:\\Apps\\Chronex\\Chronex.exe", link.target);
    EXPECT_EQ("/quiet doc.qsx", link.arguments);
    EXPECT_EQ("D:\\Apps\\Chronex", link.workingDirectory);
    EXPECT_EQ(0x0641, link.hotkey) << "only the low 16 bits";
    EXPECT_EQ(0x0641, link.fileHotkey);
    EXPECT_EQ(std::vector<std::string>{"Chronex Quiet.lnk"}, ListFolder(folder));
}

TEST_F(Shortcuts, IconOnlyForATargetMentioningUrlInAnyCase)
{
    std::string folder = MakeScratchFolder("shortcut_folder");
    WriteString(HKEY_CURRENT_USER, SHELL_FOLDERS_KEY_PATH, kTestShellFolder, folder);
    char system[MAX_PATH] = "";
    GetSystemDirectoryA(system, sizeof(system));
    // Not SysWOW64: the shell that shows the link may be a 64-bit one.
    if (RunningUnderWow64()) {
        EXPECT_EQ(0, lstrcmpiA("C:\\windows\\system32", system)) << system;
    }
    struct Case {
        const char *installPath;
        bool icon;
    } cases[] = {
        {"C:\\Tools\\Links.URL\\Chronex", true},
        {"C:\\Tools\\my.Url", true},
        {"C:\\Tools\\url\\Chronex", false},
        {"C:\\Tools\\Velkor Chronex", false},
    };
    for (const Case &c : cases) {
        WriteString(HKEY_LOCAL_MACHINE, SETTINGS_KEY_PATH, VALUE_INSTALL_PATH, c.installPath);
        CreateProductShortcut(kTestShellFolder, "", 0, "");
        LinkInfo link;
        ASSERT_TRUE(ReadLink(folder + "\\" + kLinkName, &link)) << c.installPath;
        EXPECT_EQ(std::string(c.installPath) + "\\Chronex.exe", link.target)
            << "the path keeps its letter case";
        if (c.icon) {
            EXPECT_EQ(std::string(system) + "\\SHELL32.dll", link.iconPath) << c.installPath;
            EXPECT_EQ(30, link.iconIndex) << c.installPath;
        } else {
            EXPECT_EQ("", link.iconPath) << c.installPath;
        }
        DeleteFileA((folder + "\\" + kLinkName).c_str());
    }
}

// No shortcut and no notification when the install folder or the shell
// folder cannot be known; nothing lands in the current directory.
TEST_F(Shortcuts, NoShortcutWithoutInstallPathOrUsableShellFolder)
{
    std::string scratch = MakeScratchFolder("shortcut_folder");
    char saved[MAX_PATH] = "";
    GetCurrentDirectoryA(sizeof(saved), saved);
    ASSERT_TRUE(SetCurrentDirectoryA(scratch.c_str()));
    BoxAnswerer answerer;
    ShellNotifyLog log;

    CreateProductShortcut("Start Menu", "", 0, "");
    EXPECT_EQ(0u, log.calls.size()) << "no InstallPath: " << Events(log.calls);

    WriteString(HKEY_LOCAL_MACHINE, SETTINGS_KEY_PATH, VALUE_INSTALL_PATH, "C:\\Apps\\Chronex");
    CreateProductShortcut(kTestShellFolder, "", 0, "");
    EXPECT_EQ(0u, log.calls.size()) << "missing value: " << Events(log.calls);

    WriteString(HKEY_CURRENT_USER, SHELL_FOLDERS_KEY_PATH, kTestShellFolder, "");
    CreateProductShortcut(kTestShellFolder, "", 0, "");
    EXPECT_EQ(0u, log.calls.size()) << "empty value: " << Events(log.calls);

    WriteString(HKEY_CURRENT_USER, SHELL_FOLDERS_KEY_PATH, kTestShellFolder,
                "C:\\" + std::string(300, 'v'));
    CreateProductShortcut(kTestShellFolder, "", 0, "");
    EXPECT_EQ(0u, log.calls.size()) << "value too long to read: " << Events(log.calls);

    WriteDword(HKEY_CURRENT_USER, SHELL_FOLDERS_KEY_PATH, kTestShellFolder, 0x5C3A43);
    CreateProductShortcut(kTestShellFolder, "", 0, "");
    EXPECT_EQ(0u, log.calls.size()) << "not a string: " << Events(log.calls);

    // Fits the buffer when read, but not with the shortcut name behind it.
    WriteString(HKEY_CURRENT_USER, SHELL_FOLDERS_KEY_PATH, kTestShellFolder,
                "C:\\" + std::string(250, 'w'));
    CreateProductShortcut(kTestShellFolder, "", 0, "");
    EXPECT_EQ(0u, log.calls.size()) << "no room for the name: " << Events(log.calls);

    SetCurrentDirectoryA(saved);
    EXPECT_TRUE(ListFolder(scratch).empty());
    EXPECT_FALSE(FileExists("C:\\" + std::string(kLinkName)));
    EXPECT_EQ(0u, answerer.boxes.size());
}

// A link or a hard link at the shortcut's name, leading to another file:
// that file keeps its bytes. A hard link's name is replaced by the new
// shortcut; a link that Wine shows as the file itself stays, and no
// shortcut is made.
TEST_F(Shortcuts, NeverWritesThroughALinkAtTheName)
{
    const std::string scratch = MakeScratchFolder("shortcut_folder");
    WriteString(HKEY_LOCAL_MACHINE, SETTINGS_KEY_PATH, VALUE_INSTALL_PATH, "C:\\Apps\\Chronex");
    for (bool hardLink : {true, false}) {
        SCOPED_TRACE(hardLink ? "hard link" : "link");
        const std::string folder = scratch + (hardLink ? "\\hard" : "\\soft");
        const std::string other = folder + "\\other.txt";
        const std::string shortcut = folder + "\\" + kLinkName;
        MakeFolders(folder);
        WriteString(HKEY_CURRENT_USER, SHELL_FOLDERS_KEY_PATH, kTestShellFolder, folder);
        WriteFileText(other, "another file");
        ASSERT_TRUE(hardLink ? CreateHardLinkA(shortcut.c_str(), other.c_str(), NULL) != FALSE
                             : MakeFileLink(shortcut, other));

        CreateProductShortcut(kTestShellFolder, "", 0, "");

        EXPECT_EQ("another file", ReadFileText(other));
        LinkInfo link;
        EXPECT_EQ(hardLink, ReadLink(shortcut, &link));
    }
    RemoveTreeWithLinks(scratch);
}

DWORD WINAPI CreateWithoutCom(void *)
{
    CreateProductShortcut(kTestShellFolder, "", 0, "");
    return 0;
}

TEST_F(Shortcuts, WithoutComNoFileButBothNotifications)
{
    std::string folder = MakeScratchFolder("shortcut_folder");
    WriteString(HKEY_CURRENT_USER, SHELL_FOLDERS_KEY_PATH, kTestShellFolder, folder);
    WriteString(HKEY_LOCAL_MACHINE, SETTINGS_KEY_PATH, VALUE_INSTALL_PATH, "C:\\Apps\\Chronex");
    ShellNotifyLog log;
    // A fresh thread has no COM apartment.
    HANDLE thread = CreateThread(NULL, 0, CreateWithoutCom, NULL, 0, NULL);
    ASSERT_TRUE(thread != NULL);
    WaitForSingleObject(thread, INFINITE);
    CloseHandle(thread);

    EXPECT_TRUE(ListFolder(folder).empty());
    ASSERT_EQ(2u, log.calls.size()) << Events(log.calls);
    EXPECT_EQ(SHCNE_CREATE, log.calls[0].event);
    EXPECT_EQ(folder + "\\" + kLinkName, log.calls[0].path1);
    EXPECT_EQ((UINT)SHCNF_FLUSH, log.calls[1].flags);
}

DWORD WINAPI CreateLinkWithoutCom(void *result)
{
    *(HRESULT *)result = CreateShellLink("C:\\tests\\shortcut_folder\\x.lnk", "C:\\x.exe", "",
                                         "C:\\", 0);
    return 0;
}

TEST_F(Shortcuts, CreateShellLinkReturnsTheFailingResult)
{
    std::string folder = MakeScratchFolder("shortcut_folder");
    EXPECT_EQ(S_OK, CreateShellLink((folder + "\\ok.lnk").c_str(), "C:\\x.exe", "", "C:\\", 0));
    EXPECT_TRUE(FileExists(folder + "\\ok.lnk"));

    HRESULT saved = CreateShellLink((folder + "\\missing\\x.lnk").c_str(), "C:\\x.exe", "",
                                    "C:\\", 0);
    EXPECT_TRUE(FAILED(saved)) << std::hex << saved << ": the save into a missing folder";

    HRESULT created = S_OK;
    HANDLE thread = CreateThread(NULL, 0, CreateLinkWithoutCom, &created, 0, NULL);
    WaitForSingleObject(thread, INFINITE);
    CloseHandle(thread);
    EXPECT_EQ(CO_E_NOTINITIALIZED, created);
    EXPECT_EQ(std::vector<std::string>{"ok.lnk"}, ListFolder(folder));
}

}  // namespace
