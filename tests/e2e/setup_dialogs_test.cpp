// The dialogs of the real setup.exe, driven from this process through their
// controls: the initial state, OK with existing, missing and refused
// folders, Cancel answered both ways, and the hotkey dialog.
#include <gtest/gtest.h>

#include <commctrl.h>

#include "dialog_driver.h"
#include "dialog_texts.h"
#include "expect.h"
#include "files.h"
#include "machine.h"
#include "msgbox.h"
#include "process.h"
#include "product.h"
#include "registry.h"
#include "resource.h"

namespace {

const DWORD kTimeout = 20000;

// setup.exe copied alone into a distribution folder of its own, so that
// the stages after the dialog copy nothing but itself.
class SetupDialogs : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        source_ = MakeScratchFolder("dialogs_dist");
        CopyFileA((TestProgramFolder() + SETUP_EXE_NAME).c_str(),
                  (source_ + "\\" SETUP_EXE_NAME).c_str(), FALSE);
    }
    void SetUp() override { CleanProductState(); }
    void TearDown() override
    {
        if (watcher_)
            watcher_->Stop();
        EndProgram(&program_);
        CleanProductState();
    }
    // Starts setup.exe with boxes answered in this order (then OK) and
    // returns its install options dialog.
    HWND Start(std::vector<int> answers = {}, const std::string &arguments = "")
    {
        if (watcher_)
            watcher_->Stop();
        EndProgram(&program_);
        if (!StartProgram("\"" + source_ + "\\" SETUP_EXE_NAME "\"" + arguments, source_,
                          &program_))
            return NULL;
        watcher_.reset(new BoxWatcher(program_.id, answers));
        return WaitForWindow(program_.id, "#32770", PRODUCT_DISPLAY_NAME, kTimeout);
    }
    std::vector<BoxRecord> Boxes() { return watcher_->Boxes(); }
    bool WaitForBoxes(size_t count) { return watcher_->WaitForBoxes(count, kTimeout); }
    DWORD Exit() { return WaitForExit(program_, kTimeout); }
    bool Running() { return WaitForExit(program_, 0) == STILL_ACTIVE; }

    // OK pressed; returns once count boxes have come, or the program ended.
    void PressOk(HWND dialog) { PostClick(dialog, IDOK); }

    static std::string source_;
    Program program_;
    std::unique_ptr<BoxWatcher> watcher_;
};

std::string SetupDialogs::source_;

TEST_F(SetupDialogs, InitialStateThenCancelAnsweredBothWays)
{
    HWND dialog = Start({IDCANCEL, IDCANCEL, IDOK});
    ASSERT_TRUE(dialog != NULL);
    EXPECT_EQ(PRODUCT_DISPLAY_NAME, WindowText(dialog));
    EXPECT_EQ("&OK", ItemText(dialog, IDOK));
    EXPECT_EQ("&Cancel", ItemText(dialog, IDCANCEL));
    EXPECT_EQ(OPTIONS_BROWSE_TEXT, ItemText(dialog, IDC_BROWSE));
    EXPECT_EQ(OPTIONS_HOTKEY_TEXT, ItemText(dialog, IDC_SET_HOTKEY));
    EXPECT_EQ(OPTIONS_SHORTCUT_TEXT, ItemText(dialog, IDC_CREATE_SHORTCUT));
    EXPECT_EQ("&Start " PRODUCT_DISPLAY_NAME " after Setup is Complete",
              ItemText(dialog, IDC_START_APP));
    EXPECT_EQ(BST_CHECKED, CheckState(dialog, IDC_CREATE_SHORTCUT));
    EXPECT_EQ(BST_CHECKED, CheckState(dialog, IDC_START_APP));
    EXPECT_EQ(DefaultInstallFolder(), ItemText(dialog, IDC_INSTALL_PATH));
    std::vector<std::string> statics;
    for (HWND child = GetWindow(dialog, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
        if (GetDlgCtrlID(child) == 0xFFFF &&
            (GetWindowLongA(child, GWL_STYLE) & SS_TYPEMASK) != SS_ICON)
            statics.push_back(WindowText(child));
    EXPECT_EQ((std::vector<std::string>{OPTIONS_WELCOME_TEXT, OPTIONS_PATH_LABEL}), statics);
    GUITHREADINFO thread = {};
    thread.cbSize = sizeof(thread);
    ASSERT_TRUE(GetGUIThreadInfo(GetWindowThreadProcessId(dialog, NULL), &thread));
    EXPECT_EQ(GetDlgItem(dialog, IDOK), thread.hwndFocus) << "the focus is on OK";

    // Typing stops at 259 characters, all of which OK reads.
    HWND edit = GetDlgItem(dialog, IDC_INSTALL_PATH);
    EXPECT_EQ(259, (int)SendMessageA(edit, EM_GETLIMITTEXT, 0, 0));
    SetItemText(dialog, IDC_INSTALL_PATH, "C:\\" + std::string(255, 'x'));
    SendMessageA(edit, EM_SETSEL, 258, 258);
    SendMessageA(edit, WM_CHAR, 'y', 0);
    SendMessageA(edit, WM_CHAR, 'z', 0);
    EXPECT_EQ("C:\\" + std::string(255, 'x') + "y", ItemText(dialog, IDC_INSTALL_PATH));

    PostClick(dialog, IDCANCEL);
    ASSERT_TRUE(WaitForBoxes(1));
    EXPECT_TRUE(Running()) << "the box's Cancel keeps the dialog";
    EXPECT_TRUE(IsWindow(dialog));
    PostMessageA(edit, WM_KEYDOWN, VK_ESCAPE, 0);
    ASSERT_TRUE(WaitForBoxes(2)) << "Escape asks too";
    EXPECT_TRUE(Running());
    PostMessageA(dialog, WM_SYSCOMMAND, SC_CLOSE, 0);
    EXPECT_EQ(0u, Exit()) << "the close button asks too; its OK ends setup with 0";
    std::vector<BoxRecord> boxes = Boxes();
    ASSERT_EQ(3u, boxes.size());
    for (const BoxRecord &box : boxes)
        ExpectBox(box, MSG_SETUP_WILL_STOP, ICON_QUESTION, {IDOK, IDCANCEL});
}

// The whole run with the dialog answered: the stages after it end in the
// success box, and text on the command line other than its switches
// changes nothing.
TEST_F(SetupDialogs, OkWithAnExistingFolderEndsWithTheSuccessBoxAndExitCode1)
{
    std::string parent = MakeScratchFolder("dialogs_ok");
    std::string target = parent + "\\target";
    CreateDirectoryA(target.c_str(), NULL);
    for (const char *arguments : {"", " /SILENT /DIR=C:\\elsewhere", " anything at all"}) {
        SCOPED_TRACE(arguments);
        HWND dialog = Start({}, arguments);
        ASSERT_TRUE(dialog != NULL);
        SetItemText(dialog, IDC_INSTALL_PATH, target);
        Click(dialog, IDC_START_APP);
        EXPECT_EQ(BST_UNCHECKED, CheckState(dialog, IDC_START_APP));
        PressOk(dialog);
        EXPECT_EQ(1u, Exit());
        std::vector<BoxRecord> boxes = Boxes();
        ASSERT_EQ(1u, boxes.size());
        ExpectBox(boxes[0], MSG_INSTALLED_SUCCESS, ICON_INFORMATION, {IDOK});
        EXPECT_EQ(std::vector<std::string>{"target"}, ListFolder(parent));
        CleanProductState();
    }
}

TEST_F(SetupDialogs, OkCreatesTheMissingLevels)
{
    std::string root = MakeScratchFolder("dialogs_abc");
    CreateDirectoryA((root + "\\A").c_str(), NULL);
    HWND dialog = Start();
    ASSERT_TRUE(dialog != NULL);
    SetItemText(dialog, IDC_INSTALL_PATH, root + "\\A\\B\\C\\");
    Click(dialog, IDC_START_APP);
    PressOk(dialog);
    EXPECT_EQ(1u, Exit());
    EXPECT_TRUE(FolderExists(root + "\\A\\B\\C"));
    EXPECT_EQ(std::vector<std::string>{"A"}, ListFolder(root));
    EXPECT_EQ(std::vector<std::string>{"B"}, ListFolder(root + "\\A"));
    std::string stored;
    EXPECT_TRUE(ReadString(HKEY_LOCAL_MACHINE, SETTINGS_KEY_PATH, VALUE_INSTALL_PATH, &stored));
    EXPECT_EQ(root + "\\A\\B\\C", stored) << "stored without the trailing backslash";
    std::vector<BoxRecord> boxes = Boxes();
    ASSERT_FALSE(boxes.empty());
    ExpectBox(boxes.back(), MSG_INSTALLED_SUCCESS, ICON_INFORMATION, {IDOK});
}

TEST_F(SetupDialogs, RefusedFoldersKeepTheDialogOpen)
{
    std::string drive = MissingDrive();
    ASSERT_NE("", drive);
    struct Case {
        std::string typed;
        const char *message;
    } cases[] = {
        {drive + "\\" PRODUCT_DISPLAY_NAME, MSG_CANNOT_CREATE_FOLDER},
        {"\\\\server", MSG_CANNOT_CREATE_FOLDER},
        {"", MSG_NO_INSTALL_FOLDER},
        {"\\\\", MSG_NO_INSTALL_FOLDER},
    };
    // A stored folder of backslashes alone is offered as it is, and refused
    // like the typed one: neither may install into the drive's root.
    const std::string stored = "\\\\";
    WriteString(HKEY_LOCAL_MACHINE, SETTINGS_KEY_PATH, VALUE_INSTALL_PATH, stored);
    const std::vector<std::string> root = ListFolder("C:\\");
    HWND dialog = Start();
    ASSERT_TRUE(dialog != NULL);
    EXPECT_EQ(stored, ItemText(dialog, IDC_INSTALL_PATH));
    PressOk(dialog);
    ASSERT_TRUE(WaitForBoxes(1));
    ExpectBox(Boxes().back(), MSG_NO_INSTALL_FOLDER, ICON_NONE, {IDOK});
    EXPECT_TRUE(IsWindow(dialog));
    size_t count = 1;
    for (const Case &c : cases) {
        SCOPED_TRACE("typed: " + c.typed);
        SetItemText(dialog, IDC_INSTALL_PATH, c.typed);
        PressOk(dialog);
        ASSERT_TRUE(WaitForBoxes(++count));
        ExpectBox(Boxes().back(), c.message, ICON_NONE, {IDOK});
        EXPECT_TRUE(Running());
        EXPECT_TRUE(IsWindow(dialog)) << "the dialog stays open";
        EXPECT_EQ(c.typed, ItemText(dialog, IDC_INSTALL_PATH));
    }
    EXPECT_FALSE(FolderExists(drive + "\\"));
    PostClick(dialog, IDCANCEL);
    EXPECT_EQ(0u, Exit());
    ASSERT_EQ(count + 1, Boxes().size());
    ExpectBox(Boxes().back(), MSG_SETUP_WILL_STOP, ICON_QUESTION, {IDOK, IDCANCEL});
    EXPECT_EQ(root, ListFolder("C:\\")) << "nothing written to the drive's root";
    std::string value;
    EXPECT_TRUE(ReadString(HKEY_LOCAL_MACHINE, SETTINGS_KEY_PATH, VALUE_INSTALL_PATH, &value));
    EXPECT_EQ(stored, value);
    EXPECT_FALSE(KeyExists(HKEY_LOCAL_MACHINE, UNINSTALL_ENTRY_PATH));
}

class SetupHotkeyDialog : public SetupDialogs {
protected:
    // Presses Set Hotkey and returns the hotkey dialog with its control.
    HWND OpenHotkey(HWND options, HWND *control)
    {
        Click(options, IDC_SET_HOTKEY);
        HWND dialog = WaitForWindow(program_.id, "#32770", HOTKEY_TITLE, kTimeout);
        *control = dialog ? FindWindowExA(dialog, NULL, HOTKEY_CLASSA, NULL) : NULL;
        return dialog;
    }
    static int Shown(HWND control) { return (int)SendMessageA(control, HKM_GETHOTKEY, 0, 0); }
    static bool Stored(DWORD *value)
    {
        return ReadDword(HKEY_CURRENT_USER, SETTINGS_KEY_PATH, VALUE_HOTKEY, value);
    }
    static HWND Focus(HWND dialog)
    {
        GUITHREADINFO thread = {};
        thread.cbSize = sizeof(thread);
        GetGUIThreadInfo(GetWindowThreadProcessId(dialog, NULL), &thread);
        return thread.hwndFocus;
    }
};

// Real key presses, as a keyboard user makes them: Alt+H opens the dialog,
// Enter is OK, Escape is Cancel, Tab leaves the field for OK. None of these
// keys becomes the hotkey, and none reaches the options dialog.
TEST_F(SetupHotkeyDialog, WorksFromTheKeyboard)
{
    HWND options = Start();
    ASSERT_TRUE(options != NULL);
    struct Case {
        const char *typed;  // into the field
        int shown;          // what the field then shows
        bool tabToOk;
        const char *closing;
        DWORD stored;  // HotKey afterwards
    } cases[] = {
        {"ctrl+shift+F5", 0x0374, false, "Return", 0x0374},
        {"ctrl+alt+a", 0x0641, false, "Escape", 0x0374},  // Cancel keeps the value
        {"ctrl+shift+F6", 0x0375, true, "Return", 0x0375},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(std::string(c.typed) + (c.tabToOk ? " Tab " : " ") + c.closing);
        SetForegroundWindow(options);
        ASSERT_EQ("", PressKeys("alt+h"));
        HWND dialog = WaitForWindow(program_.id, "#32770", HOTKEY_TITLE, kTimeout);
        ASSERT_TRUE(dialog != NULL) << "Alt+H opens the hotkey dialog";
        HWND control = FindWindowExA(dialog, NULL, HOTKEY_CLASSA, NULL);
        ASSERT_TRUE(WaitUntil([&] { return Focus(dialog) == control; }, kTimeout));
        ASSERT_EQ("", PressKeys(c.typed));
        EXPECT_TRUE(WaitUntil([&] { return Shown(control) == c.shown; }, kTimeout))
            << "shown: 0x" << std::hex << Shown(control);
        if (c.tabToOk) {
            ASSERT_EQ("", PressKeys("Tab"));
            EXPECT_TRUE(WaitUntil([&] { return Focus(dialog) == GetDlgItem(dialog, IDOK); },
                                  kTimeout));
            EXPECT_EQ(c.shown, Shown(control)) << "Tab keeps the combination";
        }
        ASSERT_EQ("", PressKeys(c.closing));
        ASSERT_TRUE(WaitUntilGone(dialog, kTimeout)) << c.closing << " closes the dialog";
        DWORD value = 0;
        EXPECT_TRUE(Stored(&value));
        EXPECT_EQ(c.stored, value);
    }
    EXPECT_TRUE(Boxes().empty()) << "no key reached the options dialog";
    SetForegroundWindow(options);
    ASSERT_EQ("", PressKeys("Escape"));
    EXPECT_EQ(0u, Exit()) << "Escape in the options dialog asks; OK ends setup";
    ASSERT_EQ(1u, Boxes().size());
    ExpectBox(Boxes()[0], MSG_SETUP_WILL_STOP, ICON_QUESTION, {IDOK, IDCANCEL});
}

TEST_F(SetupHotkeyDialog, ShowsStoresAndStaysSingle)
{
    HWND options = Start({IDOK});
    ASSERT_TRUE(options != NULL);
    HWND control = NULL;
    HWND dialog = OpenHotkey(options, &control);
    ASSERT_TRUE(dialog != NULL);
    ASSERT_TRUE(control != NULL);
    EXPECT_EQ(0x064E, Shown(control)) << "Ctrl+Alt+N when nothing is stored";
    RECT rect = ChildRect(control);
    EXPECT_EQ(60, rect.left);
    EXPECT_EQ(60, rect.top);
    EXPECT_EQ(200, rect.right - rect.left);
    EXPECT_EQ(20, rect.bottom - rect.top);

    Click(options, IDC_SET_HOTKEY);
    EXPECT_EQ(1, CountWindows(program_.id, "#32770", HOTKEY_TITLE)) << "no second dialog";
    EXPECT_TRUE(IsWindow(dialog));

    // Ctrl+Shift+F5.
    SendMessageA(control, HKM_SETHOTKEY, MAKEWORD(VK_F5, HOTKEYF_CONTROL | HOTKEYF_SHIFT), 0);
    PostClick(dialog, IDOK);
    ASSERT_TRUE(WaitUntilGone(dialog, kTimeout));
    std::string data;
    DWORD type = REG_NONE;
    ASSERT_TRUE(ReadValue(HKEY_CURRENT_USER, SETTINGS_KEY_PATH, VALUE_HOTKEY, &data, &type));
    EXPECT_EQ((DWORD)REG_DWORD, type);
    DWORD value = 0;
    Stored(&value);
    EXPECT_EQ(0x0374u, value);

    // Cancel, then the close button: nothing stored, the old value shown.
    dialog = OpenHotkey(options, &control);
    ASSERT_TRUE(control != NULL);
    EXPECT_EQ(0x0374, Shown(control));
    SendMessageA(control, HKM_SETHOTKEY, 0x0641, 0);
    PostClick(dialog, IDCANCEL);
    ASSERT_TRUE(WaitUntilGone(dialog, kTimeout));
    dialog = OpenHotkey(options, &control);
    ASSERT_TRUE(control != NULL);
    EXPECT_EQ(0x0374, Shown(control));
    SendMessageA(control, HKM_SETHOTKEY, 0x0641, 0);
    PostMessageA(dialog, WM_SYSCOMMAND, SC_CLOSE, 0);
    ASSERT_TRUE(WaitUntilGone(dialog, kTimeout));
    Stored(&value);
    EXPECT_EQ(0x0374u, value);

    // An emptied control stores 0, which stays after setup is cancelled.
    dialog = OpenHotkey(options, &control);
    ASSERT_TRUE(control != NULL);
    SendMessageA(control, HKM_SETHOTKEY, 0, 0);
    PostClick(dialog, IDOK);
    ASSERT_TRUE(WaitUntilGone(dialog, kTimeout));
    PostClick(options, IDCANCEL);
    EXPECT_EQ(0u, Exit());
    ASSERT_TRUE(Stored(&value));
    EXPECT_EQ(0u, value);
    EXPECT_EQ(1u, Boxes().size());
}

}  // namespace
