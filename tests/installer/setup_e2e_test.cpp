// setup.exe run from a distribution folder that the test makes, its options
// dialog driven through its controls: what an installation leaves on the
// machine, the application it starts, the running product it asks to close,
// and the boxes of files it cannot copy.
#include <gtest/gtest.h>

#include <ole2.h>
#include <shellapi.h>
#include <shlobj.h>

#include <set>

#include "app.h"
#include "files.h"
#include "installer_helpers.h"
#include "msgbox.h"
#include "process.h"
#include "product.h"
#include "registry.h"

namespace {

const char kDist[] = "C:\\tests\\e2e dist";
const char kInstallRoot[] = "C:\\tests\\e2e install";
const char kInstall[] = "C:\\tests\\e2e install\\Velkor Chronex";
const char kSecondInstall[] = "C:\\tests\\e2e second";
const char kLinkName[] = "Velkor Chronex.lnk";
const char kLink98Name[] = "Velkor Chronex 98.lnk";

const int kEditPath = 1000;
const int kCheckShortcut = 1002;
const int kCheckStart = 1003;

// ---- a product window of the test's own, to see setup's WM_CLOSE ----

int g_closeCount;

LRESULT CALLBACK ProductWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_CLOSE) {
        ++g_closeCount;
        return 0;  // stays open: only the request is counted
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

void PumpMessages()
{
    MSG msg;
    while (PeekMessageA(&msg, NULL, 0, 0, PM_REMOVE)) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
}

// Waits for a process while the test thread's windows get their messages.
DWORD WaitPumping(const Program &program, DWORD timeoutMs)
{
    DWORD start = GetTickCount();
    for (;;) {
        PumpMessages();
        DWORD waited = GetTickCount() - start;
        if (waited >= timeoutMs)
            return STILL_ACTIVE;
        DWORD r = MsgWaitForMultipleObjects(1, &program.process, FALSE, timeoutMs - waited,
                                            QS_ALLINPUT);
        if (r == WAIT_OBJECT_0) {
            PumpMessages();
            return WaitForExit(program, 0);
        }
    }
}

// ---- the application windows that setup or the shell started ----

struct AppWindow {
    HWND window = NULL;
    DWORD processId = 0;
};

BOOL CALLBACK FindForeignProductWindow(HWND window, LPARAM param)
{
    char name[64] = "";
    GetClassNameA(window, name, sizeof(name));
    DWORD pid = 0;
    GetWindowThreadProcessId(window, &pid);
    if (lstrcmpA(name, PRODUCT_WINDOW_CLASS) != 0 || pid == GetCurrentProcessId())
        return TRUE;
    AppWindow *found = (AppWindow *)param;
    found->window = window;
    found->processId = pid;
    return FALSE;
}

AppWindow WaitForApplication(DWORD timeoutMs)
{
    DWORD start = GetTickCount();
    AppWindow found;
    for (;;) {
        EnumWindows(FindForeignProductWindow, (LPARAM)&found);
        if (found.window || GetTickCount() - start > timeoutMs)
            return found;
        Sleep(20);
    }
}

std::string ControlText(HWND window, int id)
{
    char text[1024] = "";
    SendMessageTimeoutA(GetDlgItem(window, id), WM_GETTEXT, sizeof(text), (LPARAM)text,
                        SMTO_ABORTIFHUNG, 2000, NULL);
    return text;
}

std::string ImagePath(DWORD processId)
{
    HANDLE process = OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, processId);
    if (!process)
        return "";
    char path[MAX_PATH] = "";
    DWORD size = sizeof(path);
    QueryFullProcessImageNameA(process, 0, path, &size);
    CloseHandle(process);
    return path;
}

// Closes every application window of another process and waits for it.
void CloseApplications()
{
    for (int i = 0; i < 10; ++i) {
        AppWindow app = WaitForApplication(0);
        if (!app.window)
            return;
        HANDLE process = OpenProcess(SYNCHRONIZE | PROCESS_TERMINATE, FALSE, app.processId);
        PostMessageA(app.window, WM_CLOSE, 0, 0);
        if (process) {
            if (WaitForSingleObject(process, 5000) != WAIT_OBJECT_0)
                TerminateProcess(process, 255);
            WaitForSingleObject(process, 5000);
            CloseHandle(process);
        }
    }
}

// ---- running setup ----

struct SetupResult {
    DWORD exitCode = STILL_ACTIVE;
    std::vector<BoxRecord> boxes;
};

// Starts setup, fills in the options dialog and presses OK. NULL when the
// dialog did not appear.
HWND StartAndFillDialog(const std::string &setupPath, const std::string &installFolder,
                        bool shortcut, bool start, Program *program)
{
    if (!StartProgram("\"" + setupPath + "\"", kDist, program))
        return NULL;
    HWND dialog = WaitForWindow(program->id, "#32770", PRODUCT_DISPLAY_NAME, 20000);
    if (!dialog)
        return NULL;
    SendMessageA(GetDlgItem(dialog, kEditPath), WM_SETTEXT, 0, (LPARAM)installFolder.c_str());
    SendMessageA(GetDlgItem(dialog, kCheckShortcut), BM_SETCHECK,
                 shortcut ? BST_CHECKED : BST_UNCHECKED, 0);
    SendMessageA(GetDlgItem(dialog, kCheckStart), BM_SETCHECK,
                 start ? BST_CHECKED : BST_UNCHECKED, 0);
    PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED),
                 (LPARAM)GetDlgItem(dialog, IDOK));
    return dialog;
}

SetupResult RunSetup(const std::string &setupPath, const std::string &installFolder,
                     bool shortcut, bool start)
{
    SetupResult result;
    Program program;
    HWND dialog = StartAndFillDialog(setupPath, installFolder, shortcut, start, &program);
    EXPECT_TRUE(dialog != NULL) << "no options dialog from " << setupPath;
    if (dialog) {
        BoxWatcher watcher(program.id);
        result.exitCode = WaitPumping(program, 60000);
        watcher.Stop();
        result.boxes = watcher.Boxes();
    }
    EndProgram(&program);
    return result;
}

// ---- the distribution ----

// Plain files of every kind, names the filter must tell apart, a subfolder
// that is not copied, and images with a subfolder that is not copied.
void MakeDistribution(const char *setupName)
{
    std::string dist = MakeScratchFolder("e2e dist");
    CopyFileA((TestProgramFolder() + SETUP_EXE_NAME).c_str(), (dist + "\\" + setupName).c_str(),
              FALSE);
    CopyFileA((TestProgramFolder() + PRODUCT_EXE_NAME).c_str(),
              (dist + "\\" PRODUCT_EXE_NAME).c_str(), FALSE);
    WriteFileText(dist + "\\uninstall.exe", "stand-in uninstaller");
    WriteFileText(dist + "\\readme.txt", "readme");
    WriteFileText(dist + "\\mysetup.exe", "not the installer");
    WriteFileText(dist + "\\Settings.ico", "icon");
    WriteFileText(dist + "\\hidden.dat", "hidden");
    SetFileAttributesA((dist + "\\hidden.dat").c_str(), FILE_ATTRIBUTE_HIDDEN);
    WriteFileText(dist + "\\readonly.txt", "read-only");
    SetFileAttributesA((dist + "\\readonly.txt").c_str(), FILE_ATTRIBUTE_READONLY);
    MakeFolders(dist + "\\tools");
    WriteFileText(dist + "\\tools\\extra.exe", "not copied");
    MakeFolders(dist + "\\images\\thumbs");
    WriteFileText(dist + "\\images\\logo.png", "logo");
    WriteFileText(dist + "\\images\\back.gif", "back");
    WriteFileText(dist + "\\images\\Setup.Exe", "not copied either");
    WriteFileText(dist + "\\images\\thumbs\\small.png", "not copied");
}

const std::set<std::string> kInstalledFiles = {
    "Chronex.exe", "Settings.ico", "hidden.dat",    "images",
    "mysetup.exe", "readme.txt",   "readonly.txt", "uninstall.exe"};

std::set<std::string> Listing(const std::string &folder)
{
    std::vector<std::string> names = ListFolder(folder);
    return std::set<std::string>(names.begin(), names.end());
}

std::string StartMenuLink()
{
    std::string folder = ShellFolderValue("Start Menu");
    if (!folder.empty() && folder.back() != '\\')
        folder += '\\';
    return folder + kLinkName;
}

void ExpectShortcutTo(const std::string &folder)
{
    LinkInfo link;
    ASSERT_TRUE(ReadLink(StartMenuLink(), &link)) << StartMenuLink();
    EXPECT_EQ(folder + "\\Chronex.exe", link.target);
    EXPECT_EQ("", link.arguments);
    EXPECT_EQ(folder, link.workingDirectory);
    EXPECT_EQ(1u, link.fileShowCommand) << "SW_SHOWNORMAL";
    EXPECT_EQ(0, link.fileHotkey);
    EXPECT_EQ(0, link.hotkey);
    EXPECT_EQ("", link.iconPath) << "no .url in the path: the target's own icon";
}

class SetupEndToEnd : public ::testing::Test {
protected:
    void SetUp() override
    {
        OleInitialize(NULL);
        CloseApplications();
        CleanInstallerState();
        RemoveTree(kInstallRoot);
        RemoveTree(kSecondInstall);
        g_closeCount = 0;
        WNDCLASSA windowClass = {};
        windowClass.lpfnWndProc = ProductWindowProc;
        windowClass.hInstance = GetModuleHandleA(NULL);
        windowClass.lpszClassName = PRODUCT_WINDOW_CLASS;
        RegisterClassA(&windowClass);
    }
    void TearDown() override
    {
        if (productWindow_)
            DestroyWindow(productWindow_);
        UnregisterClassA(PRODUCT_WINDOW_CLASS, GetModuleHandleA(NULL));
        CloseApplications();
        RestoreKey(HKEY_LOCAL_MACHINE, SETTINGS_KEY_PATH);
        CleanInstallerState();
        RemoveTree(kDist);
        RemoveTree(kInstallRoot);
        RemoveTree(kSecondInstall);
        OleUninitialize();
    }
    // A hidden top-level window of the product's class, as a running copy
    // of the application would have.
    void OpenProductWindow()
    {
        productWindow_ = CreateWindowExA(0, PRODUCT_WINDOW_CLASS, "running copy",
                                         WS_OVERLAPPED, 0, 0, 10, 10, NULL, NULL,
                                         GetModuleHandleA(NULL), NULL);
        ASSERT_TRUE(productWindow_ != NULL);
    }
    HWND productWindow_ = NULL;
};

TEST_F(SetupEndToEnd, InstallsIntoAFolderWithBlanksAndStartsTheApplication)
{
    MakeDistribution("SETUP.EXE");
    MakeFolders(kInstall);
    for (const std::string &name : PreCopyNames())
        WriteFileText(std::string(kInstall) + "\\" + name, "other tool");
    WriteFileText(std::string(kInstall) + "\\notes.txt", "the user's own");
    WriteFileText(StartMenuLink(), "old shortcut");
    WriteFileText(SpecialFolder(CSIDL_DESKTOPDIRECTORY) + kLink98Name, "old shortcut");
    WriteFileText(SpecialFolder(CSIDL_STARTUP) + kLinkName, "the user's own");
    OpenProductWindow();

    SetupResult run = RunSetup(std::string(kDist) + "\\SETUP.EXE", kInstall, true, true);
    EXPECT_EQ(1u, run.exitCode);
    EXPECT_EQ(0u, run.boxes.size()) << (run.boxes.empty() ? "" : run.boxes[0].text);
    EXPECT_EQ(1, g_closeCount) << "one WM_CLOSE to the running product";

    ExpectRegistryValues(ExpectedRegistration(kInstall));
    EXPECT_EQ(2, ValueCount(HKEY_LOCAL_MACHINE, UNINSTALL_ENTRY_PATH));

    std::set<std::string> expected = kInstalledFiles;
    expected.insert("notes.txt");
    EXPECT_EQ(expected, Listing(kInstall)) << "the 13 files of other tools are gone";
    EXPECT_EQ((std::set<std::string>{"back.gif", "logo.png"}),
              Listing(std::string(kInstall) + "\\images"));
    EXPECT_EQ(ReadFileText(TestProgramFolder() + PRODUCT_EXE_NAME),
              ReadFileText(std::string(kInstall) + "\\" PRODUCT_EXE_NAME));
    EXPECT_EQ("read-only", ReadFileText(std::string(kInstall) + "\\readonly.txt"));

    ExpectShortcutTo(kInstall);
    EXPECT_FALSE(FileExists(SpecialFolder(CSIDL_DESKTOPDIRECTORY) + kLink98Name));
    EXPECT_TRUE(FileExists(SpecialFolder(CSIDL_STARTUP) + kLinkName));

    AppWindow app = WaitForApplication(10000);
    ASSERT_TRUE(app.window != NULL) << "the application was not started";
    EXPECT_EQ(std::string(kInstall) + "\\" PRODUCT_EXE_NAME, ImagePath(app.processId));
    EXPECT_EQ(kInstall, ControlText(app.window, IDC_FOLDER)) << "started in the install folder";
    EXPECT_EQ("", ControlText(app.window, IDC_DOCUMENT));
    CloseApplications();

    // The settings document type opens a document with the installed program.
    const std::string document = std::string(kInstallRoot) + "\\My evening.qsx";
    WriteFileText(document, "[settings]\r\n");
    INT_PTR shell = (INT_PTR)ShellExecuteA(NULL, NULL, document.c_str(), NULL, kInstallRoot,
                                           SW_SHOWNORMAL);
    EXPECT_GT(shell, 32) << "ShellExecuteA on " << document;
    app = WaitForApplication(10000);
    ASSERT_TRUE(app.window != NULL) << "the open verb started nothing";
    EXPECT_EQ(std::string(kInstall) + "\\" PRODUCT_EXE_NAME, ImagePath(app.processId));
    EXPECT_EQ(document, ControlText(app.window, IDC_DOCUMENT));
}

TEST_F(SetupEndToEnd, ReinstallIntoASecondFolderMovesEveryValueAndTheShortcut)
{
    MakeDistribution("Setup.exe");
    const std::string setup = std::string(kDist) + "\\Setup.exe";
    SetupResult first = RunSetup(setup, kInstall, true, false);
    EXPECT_EQ(1u, first.exitCode);
    ExpectShortcutTo(kInstall);

    SetupResult second = RunSetup(setup, kSecondInstall, true, false);
    EXPECT_EQ(1u, second.exitCode);
    for (const SetupResult *run : {&first, &second}) {
        ASSERT_EQ(1u, run->boxes.size());
        EXPECT_EQ(MSG_INSTALLED_SUCCESS, run->boxes[0].text);
        EXPECT_EQ(PRODUCT_DISPLAY_NAME, run->boxes[0].caption);
        EXPECT_STREQ("information", IconKindName(run->boxes[0].icon));
        EXPECT_EQ(std::vector<int>{IDOK}, run->boxes[0].buttons);
    }
    ExpectRegistryValues(ExpectedRegistration(kSecondInstall));
    EXPECT_EQ(2, ValueCount(HKEY_LOCAL_MACHINE, UNINSTALL_ENTRY_PATH));
    ExpectShortcutTo(kSecondInstall);
    EXPECT_EQ(kInstalledFiles, Listing(kSecondInstall));
    EXPECT_EQ(kInstalledFiles, Listing(kInstall)) << "the first copy is left as it was";
    EXPECT_FALSE(WaitForApplication(0).window) << "the start option was off";
}

// Setup is held in the box of its first registry write (the settings key is
// made unwritable): by then the product window must have its WM_CLOSE and
// nothing may have been written yet.
TEST_F(SetupEndToEnd, RunningProductIsAskedToCloseBeforeAnythingIsWritten)
{
    MakeDistribution("setup.exe");
    WriteString(HKEY_LOCAL_MACHINE, SETTINGS_KEY_PATH, "Marker", "x");
    DeleteValue(HKEY_LOCAL_MACHINE, SETTINGS_KEY_PATH, "Marker");
    DenyKeyWrite(HKEY_LOCAL_MACHINE, SETTINGS_KEY_PATH);
    OpenProductWindow();

    Program program;
    ASSERT_TRUE(StartAndFillDialog(std::string(kDist) + "\\setup.exe", kInstall, false, false,
                                   &program));
    HWND box = NULL;
    BoxRecord record;
    for (DWORD start = GetTickCount(); !box && GetTickCount() - start < 20000;) {
        PumpMessages();
        HWND candidate = WaitForWindow(program.id, "#32770", PRODUCT_DISPLAY_NAME, 50);
        if (candidate && ReadMessageBox(candidate, &record))
            box = candidate;
    }
    ASSERT_TRUE(box != NULL) << "no box for the unwritable settings key";
    PumpMessages();
    EXPECT_EQ(1, g_closeCount) << "WM_CLOSE arrived before the first write";
    EXPECT_EQ(0u, record.text.find("Error writing SZ value to registry. Cannot open key."))
        << record.text;
    EXPECT_FALSE(KeyExists(HKEY_LOCAL_MACHINE, UNINSTALL_ENTRY_PATH));
    EXPECT_FALSE(KeyExists(HKEY_CLASSES_ROOT, DOCUMENT_EXTENSION));
    EXPECT_TRUE(ListFolder(kInstall).empty()) << "no file copied yet";

    PostMessageA(box, WM_COMMAND, IDOK, 0);
    for (DWORD start = GetTickCount(); IsWindow(box) && GetTickCount() - start < 10000;)
        Sleep(10);
    BoxWatcher watcher(program.id);
    EXPECT_EQ(1u, WaitPumping(program, 60000));
    watcher.Stop();
    EndProgram(&program);
    std::vector<BoxRecord> boxes = watcher.Boxes();
    ASSERT_EQ(1u, boxes.size());
    EXPECT_EQ(MSG_INSTALLED_SUCCESS, boxes[0].text) << "the installation went on";
    EXPECT_EQ(1, g_closeCount) << "and no second WM_CLOSE";
    EXPECT_FALSE(ValueExists(HKEY_LOCAL_MACHINE, SETTINGS_KEY_PATH, VALUE_INSTALL_PATH));
    std::vector<RegistryValue> rest = ExpectedRegistration(kInstall);
    rest.erase(rest.begin());
    ExpectRegistryValues(rest);
    EXPECT_EQ(kInstalledFiles, Listing(kInstall));
}

// Destination files held open by the test: each gets its pass's box naming
// it, and everything else is copied.
TEST_F(SetupEndToEnd, FilesHeldOpenAreReportedOneBoxEachAndTheRestIsCopied)
{
    MakeDistribution("SETUP.EXE");
    MakeFolders(std::string(kInstall) + "\\images");
    for (const char *name : {"\\readme.txt", "\\mysetup.exe", "\\images\\back.gif"})
        WriteFileText(kInstall + std::string(name), "held");
    SetupResult run;
    {
        FileLock a(std::string(kInstall) + "\\readme.txt");
        FileLock b(std::string(kInstall) + "\\mysetup.exe");
        FileLock c(std::string(kInstall) + "\\images\\back.gif");
        ASSERT_TRUE(a.Held() && b.Held() && c.Held());
        run = RunSetup(std::string(kDist) + "\\SETUP.EXE", kInstall, false, false);
    }
    EXPECT_EQ(1u, run.exitCode);
    ASSERT_EQ(4u, run.boxes.size());
    // The file system orders the first pass; the images pass follows it.
    EXPECT_EQ((std::set<std::string>{SourceCopyMessage("readme.txt"),
                                     SourceCopyMessage("mysetup.exe")}),
              (std::set<std::string>{run.boxes[0].text, run.boxes[1].text}));
    EXPECT_EQ(ImagesCopyMessage("back.gif"), run.boxes[2].text);
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(PRODUCT_DISPLAY_NAME, run.boxes[i].caption);
        EXPECT_STREQ("error", IconKindName(run.boxes[i].icon));
        EXPECT_EQ(std::vector<int>{IDOK}, run.boxes[i].buttons);
    }
    EXPECT_EQ(MSG_INSTALLED_SUCCESS, run.boxes[3].text);

    EXPECT_EQ(kInstalledFiles, Listing(kInstall));
    EXPECT_EQ("held", ReadFileText(std::string(kInstall) + "\\readme.txt"));
    EXPECT_EQ("held", ReadFileText(std::string(kInstall) + "\\images\\back.gif"));
    EXPECT_EQ("logo", ReadFileText(std::string(kInstall) + "\\images\\logo.png"));
    EXPECT_EQ("icon", ReadFileText(std::string(kInstall) + "\\Settings.ico"));
}

}  // namespace
