// setup.exe run from a distribution folder that the test makes, its options
// dialog driven through its controls: what an installation leaves on the
// machine, the application it starts, the running product it asks to close,
// and the boxes of files it cannot copy.
#include <gtest/gtest.h>

#include <ole2.h>
#include <shellapi.h>
#include <shlobj.h>

#include <memory>
#include <set>

#include "app.h"
#include "application.h"
#include "dialog_driver.h"
#include "distribution.h"
#include "expect.h"
#include "files.h"
#include "installation.h"
#include "links.h"
#include "machine.h"
#include "msgbox.h"
#include "process.h"
#include "product.h"
#include "registry.h"
#include "setup_run.h"
#include "stand_in_window.h"

namespace {

const char kDist[] = "C:\\tests\\e2e dist";
const char kInstallRoot[] = "C:\\tests\\e2e install";
const char kInstall[] = "C:\\tests\\e2e install\\Velkor Chronex";
const char kSecondInstall[] = "C:\\tests\\e2e second";
const char kLinkName[] = "Velkor Chronex.lnk";
const char kLink98Name[] = "Velkor Chronex 98.lnk";

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
        CleanProductState();
        RemoveTree(kInstallRoot);
        RemoveTree(kSecondInstall);
    }
    void TearDown() override
    {
        product_.reset();
        CloseApplications();
        RestoreKey(HKEY_LOCAL_MACHINE, SETTINGS_KEY_PATH);
        CleanProductState();
        RemoveTree(kDist);
        RemoveTree(kInstallRoot);
        RemoveTree(kSecondInstall);
        OleUninitialize();
    }
    // A hidden top-level window of the product's class, as a running copy
    // of the application would have.
    void OpenProductWindow()
    {
        product_.reset(new ProductWindow);
        ASSERT_TRUE(product_->Handle() != NULL);
    }
    std::unique_ptr<ProductWindow> product_;
};

TEST_F(SetupEndToEnd, InstallsIntoAFolderWithBlanksAndStartsTheApplication)
{
    MakeDistribution("e2e dist", true, "SETUP.EXE");
    MakeFolders(kInstall);
    for (const std::string &name : PreCopyNames())
        WriteFileText(std::string(kInstall) + "\\" + name, "other tool");
    WriteFileText(std::string(kInstall) + "\\notes.txt", "the user's own");
    WriteFileText(StartMenuLink(), "old shortcut");
    WriteFileText(SpecialFolder(CSIDL_DESKTOPDIRECTORY) + kLink98Name, "old shortcut");
    WriteFileText(SpecialFolder(CSIDL_STARTUP) + kLinkName, "the user's own");
    OpenProductWindow();

    SetupRun run = RunSetup(std::string(kDist) + "\\SETUP.EXE", {kInstall, true, true});
    EXPECT_TRUE(run.dialog) << "no options dialog";
    EXPECT_EQ(1u, run.exitCode);
    EXPECT_EQ(0u, run.boxes.size()) << (run.boxes.empty() ? "" : run.boxes[0].text);
    EXPECT_EQ(1, product_->Closes()) << "one WM_CLOSE to the running product";

    ExpectRegistryValues(ExpectedRegistration(kInstall, true, kDist));
    EXPECT_EQ((int)ExpectedUninstallEntry(kInstall).size(),
              ValueCount(HKEY_LOCAL_MACHINE, UNINSTALL_ENTRY_PATH));

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
    EXPECT_EQ(kInstall, ItemText(app.window, IDC_FOLDER)) << "started in the install folder";
    EXPECT_EQ("", ItemText(app.window, IDC_DOCUMENT));
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
    EXPECT_EQ(document, ItemText(app.window, IDC_DOCUMENT));
}

TEST_F(SetupEndToEnd, ReinstallIntoASecondFolderMovesEveryValueAndTheShortcut)
{
    MakeDistribution("e2e dist", true, "Setup.exe");
    const std::string setup = std::string(kDist) + "\\Setup.exe";
    SetupRun first = RunSetup(setup, {kInstall, true, false});
    EXPECT_TRUE(first.dialog) << "no options dialog";
    EXPECT_EQ(1u, first.exitCode);
    ExpectShortcutTo(kInstall);

    SetupRun second = RunSetup(setup, {kSecondInstall, true, false});
    EXPECT_TRUE(second.dialog) << "no options dialog";
    EXPECT_EQ(1u, second.exitCode);
    for (const SetupRun *run : {&first, &second}) {
        ASSERT_EQ(1u, run->boxes.size());
        ExpectBox(run->boxes[0], MSG_INSTALLED_SUCCESS, ICON_INFORMATION, {IDOK});
    }
    ExpectRegistryValues(ExpectedRegistration(kSecondInstall, true, kDist));
    EXPECT_EQ((int)ExpectedUninstallEntry(kSecondInstall).size(),
              ValueCount(HKEY_LOCAL_MACHINE, UNINSTALL_ENTRY_PATH));
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
    MakeDistribution("e2e dist", true, "setup.exe");
    WriteString(HKEY_LOCAL_MACHINE, SETTINGS_KEY_PATH, "Marker", "x");
    DeleteValue(HKEY_LOCAL_MACHINE, SETTINGS_KEY_PATH, "Marker");
    DenyKeyWrite(HKEY_LOCAL_MACHINE, SETTINGS_KEY_PATH);
    OpenProductWindow();

    Program program;
    ASSERT_TRUE(StartSetup(std::string(kDist) + "\\setup.exe", &program));
    HWND dialog = WaitForOptionsDialog(program);
    ASSERT_TRUE(dialog != NULL) << "no options dialog";
    AnswerOptions(dialog, {kInstall, false, false});
    HWND box = NULL;
    BoxRecord record;
    for (DWORD start = GetTickCount(); !box && GetTickCount() - start < 20000;) {
        PumpMessages();
        HWND candidate = WaitForWindow(program.id, "#32770", PRODUCT_DISPLAY_NAME, 50);
        if (candidate && ReadMessageBox(candidate, &record))
            box = candidate;
    }
    ASSERT_TRUE(box != NULL) << "no box for the unwritable settings key";
    EXPECT_EQ(1, product_->Closes()) << "WM_CLOSE arrived before the first write";
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
    EXPECT_EQ(1, product_->Closes()) << "and no second WM_CLOSE";
    EXPECT_FALSE(ValueExists(HKEY_LOCAL_MACHINE, SETTINGS_KEY_PATH, VALUE_INSTALL_PATH));
    std::vector<RegistryValue> rest = ExpectedRegistration(kInstall, true, kDist);
    rest.erase(rest.begin());
    ExpectRegistryValues(rest);
    EXPECT_EQ(kInstalledFiles, Listing(kInstall));
}

// Destination files held open by the test: each gets its pass's box naming
// it, and everything else is copied.
TEST_F(SetupEndToEnd, FilesHeldOpenAreReportedOneBoxEachAndTheRestIsCopied)
{
    MakeDistribution("e2e dist", true, "SETUP.EXE");
    MakeFolders(std::string(kInstall) + "\\images");
    for (const char *name : {"\\readme.txt", "\\mysetup.exe", "\\images\\back.gif"})
        WriteFileText(kInstall + std::string(name), "held");
    SetupRun run;
    {
        FileLock a(std::string(kInstall) + "\\readme.txt");
        FileLock b(std::string(kInstall) + "\\mysetup.exe");
        FileLock c(std::string(kInstall) + "\\images\\back.gif");
        ASSERT_TRUE(a.Held() && b.Held() && c.Held());
        run = RunSetup(std::string(kDist) + "\\SETUP.EXE", {kInstall, false, false});
        EXPECT_TRUE(run.dialog) << "no options dialog";
    }
    EXPECT_EQ(1u, run.exitCode);
    ASSERT_EQ(4u, run.boxes.size());
    // The file system orders the first pass; the images pass follows it.
    EXPECT_EQ((std::set<std::string>{SourceCopyMessage("readme.txt"),
                                     SourceCopyMessage("mysetup.exe")}),
              (std::set<std::string>{run.boxes[0].text, run.boxes[1].text}));
    EXPECT_EQ(ImagesCopyMessage("back.gif"), run.boxes[2].text);
    for (int i = 0; i < 3; ++i)
        ExpectBox(run.boxes[i], nullptr, ICON_ERROR, {IDOK});
    EXPECT_EQ(MSG_INSTALLED_SUCCESS, run.boxes[3].text);

    EXPECT_EQ(kInstalledFiles, Listing(kInstall));
    EXPECT_EQ("held", ReadFileText(std::string(kInstall) + "\\readme.txt"));
    EXPECT_EQ("held", ReadFileText(std::string(kInstall) + "\\images\\back.gif"));
    EXPECT_EQ("logo", ReadFileText(std::string(kInstall) + "\\images\\logo.png"));
    EXPECT_EQ("icon", ReadFileText(std::string(kInstall) + "\\Settings.ico"));
}

}  // namespace
