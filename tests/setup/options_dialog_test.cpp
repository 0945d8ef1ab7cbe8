// The installer's options dialog driven in the test program itself, which
// carries the installer's resources: what only shows from inside the
// process (shell notifications, the current directory, the shared state,
// the folder browser's tree); and both dialogs' layout at every screen
// density and their templates as built.
#include <gtest/gtest.h>

#include <commctrl.h>
#include <shlobj.h>

#include <algorithm>
#include <functional>
#include <iostream>
#include <string>
#include <utility>
#include <vector>
#include <thread>

#include "dialog_driver.h"
#include "dialog_texts.h"
#include "files.h"
#include "import_hook.h"
#include "msgbox.h"
#include "process.h"
#include "product.h"
#include "registry.h"
#include "resource.h"
#include "setup.h"

namespace {

std::string CurrentDirectory()
{
    char path[MAX_PATH] = "";
    GetCurrentDirectoryA(sizeof(path), path);
    return path;
}

struct Notice {
    LONG event;
    UINT flags;
    std::string path;
    bool operator==(const Notice &o) const
    {
        return event == o.event && flags == o.flags && path == o.path;
    }
};

void PrintTo(const Notice &n, std::ostream *os)
{
    *os << "{event " << n.event << ", flags 0x" << std::hex << n.flags << std::dec << ", \""
        << n.path << "\"}";
}

std::vector<Notice> Notices(const ShellNotifyLog &log)
{
    std::vector<Notice> notices;
    for (const ShellNotifyCall &call : log.calls) {
        EXPECT_EQ("", call.path2);
        notices.push_back({call.event, call.flags, call.path1});
    }
    return notices;
}

std::vector<Notice> Created(const std::vector<std::string> &levels)
{
    std::vector<Notice> notices;
    for (const std::string &level : levels) {
        notices.push_back({SHCNE_MKDIR, SHCNF_PATHA, level});
        notices.push_back({0, SHCNF_FLUSH, ""});
    }
    return notices;
}

class OptionsDialog : public ::testing::Test {
protected:
    void SetUp() override
    {
        DeleteTree(HKEY_LOCAL_MACHINE, COMPANY_KEY_PATH);
        g_instance = GetModuleHandleA(NULL);
        g_createShortcut = g_startApplication = -1;
        savedDirectory_ = CurrentDirectory();
        workDirectory_ = MakeScratchFolder("dialogs_cwd");
        SetCurrentDirectoryA(workDirectory_.c_str());
    }
    void TearDown() override
    {
        SetCurrentDirectoryA(savedDirectory_.c_str());
        DeleteTree(HKEY_LOCAL_MACHINE, COMPANY_KEY_PATH);
    }

    // Runs AskInstallOptions here while script drives the dialog from a
    // second thread; a dialog the script leaves open is cancelled.
    int RunDialog(const std::function<void(HWND)> &script)
    {
        std::thread driver([&] {
            HWND dialog = WaitForWindow(GetCurrentProcessId(), "#32770", PRODUCT_DISPLAY_NAME,
                                        10000);
            if (!dialog) {
                ADD_FAILURE() << "the install options dialog did not appear";
                return;
            }
            script(dialog);
            // An ended dialog goes once its modal loop has returned.
            if (!WaitUntilGone(dialog, 5000)) {
                ADD_FAILURE() << "the script left the dialog open";
                PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
            }
        });
        int result = AskInstallOptions();
        driver.join();
        return result;
    }

    std::string savedDirectory_;
    std::string workDirectory_;
};

TEST_F(OptionsDialog, CreatesMissingLevelsTopDownAndAnnouncesEach)
{
    std::string root = MakeScratchFolder("dialogs_levels");
    CreateDirectoryA((root + "\\A").c_str(), NULL);
    ShellNotifyLog log;
    BoxAnswerer answerer;
    HICON classIcon = NULL;
    int result = RunDialog([&](HWND dialog) {
        classIcon = (HICON)GetClassLongPtrA(dialog, GCLP_HICON);
        SetItemText(dialog, IDC_INSTALL_PATH, root + "\\A\\B\\C\\");
        Click(dialog, IDOK);
    });
    EXPECT_EQ(1, result);
    EXPECT_EQ(root + "\\A\\B\\C", g_installFolder) << "one trailing backslash removed";
    EXPECT_TRUE(FolderExists(root + "\\A\\B\\C"));
    EXPECT_EQ(Created({root + "\\A\\B", root + "\\A\\B\\C"}), Notices(log));
    EXPECT_EQ(workDirectory_, CurrentDirectory());
    EXPECT_EQ(1, g_createShortcut);
    EXPECT_EQ(1, g_startApplication);
    EXPECT_TRUE(answerer.boxes.empty());
    EXPECT_EQ(LoadIconA(g_instance, MAKEINTRESOURCEA(IDI_PRODUCT)), classIcon);
    EXPECT_TRUE(classIcon != NULL);
}

TEST_F(OptionsDialog, AcceptsWithoutCreatingWhenNothingIsMissing)
{
    std::string existing = MakeScratchFolder("dialogs_existing");
    struct Case {
        std::string typed;
        std::string stored;
    } cases[] = {
        {existing, existing},
        {existing + "\\\\", existing + ""},  // OK removes one, AskInstallOptions the other
        {"\\\\server\\share", "\\\\server\\share"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE("typed: " + c.typed);
        ShellNotifyLog log;
        BoxAnswerer answerer;
        int result = RunDialog([&](HWND dialog) {
            SetItemText(dialog, IDC_INSTALL_PATH, c.typed);
            Click(dialog, IDOK);
        });
        EXPECT_EQ(1, result);
        EXPECT_EQ(c.stored, g_installFolder);
        EXPECT_TRUE(Notices(log).empty());
        EXPECT_TRUE(answerer.boxes.empty());
        EXPECT_EQ(workDirectory_, CurrentDirectory());
        EXPECT_TRUE(ListFolder(workDirectory_).empty()) << "nothing created in the current folder";
        EXPECT_TRUE(ListFolder(existing).empty());
    }
}

TEST_F(OptionsDialog, RefusedFolderKeepsTheDialogOpenWithTheOptionsTaken)
{
    ASSERT_NE("", MissingDrive());
    struct Case {
        std::string typed;
        const char *message;
        std::string stored;
    } cases[] = {
        {MissingDrive() + "\\Velkor\\Chronex", MSG_CANNOT_CREATE_FOLDER,
         MissingDrive() + "\\Velkor\\Chronex"},
        {"\\\\server", MSG_CANNOT_CREATE_FOLDER, "\\\\server"},
        {"\\\\server\\\\", MSG_CANNOT_CREATE_FOLDER, "\\\\server\\"},
        // A folder that depends on the current one (all such forms in
        // folder_levels_test) gets the box of a folder not made.
        {"bare", MSG_CANNOT_CREATE_FOLDER, "bare"},
        {"", MSG_NO_INSTALL_FOLDER, ""},
        {"\\", MSG_NO_INSTALL_FOLDER, ""},
        // Backslashes alone: the second one that AskInstallOptions removes
        // would leave no folder, and one alone is the current drive's root.
        {"\\\\", MSG_NO_INSTALL_FOLDER, "\\"},
        {"\\\\\\", MSG_NO_INSTALL_FOLDER, "\\\\"},
    };
    ShellNotifyLog log;
    BoxAnswerer answerer;
    int result = RunDialog([&](HWND dialog) {
        Click(dialog, IDC_START_APP);
        for (const Case &c : cases) {
            SCOPED_TRACE("typed: " + c.typed);
            size_t before = answerer.boxes.size();
            SetItemText(dialog, IDC_INSTALL_PATH, c.typed);
            Click(dialog, IDOK);
            EXPECT_TRUE(IsWindow(dialog)) << "the dialog stays open";
            ASSERT_EQ(before + 1, answerer.boxes.size());
            const BoxRecord &box = answerer.boxes.back();
            EXPECT_EQ(c.message, box.text);
            EXPECT_EQ(PRODUCT_DISPLAY_NAME, box.caption);
            EXPECT_STREQ("none", IconKindName(box.icon));
            EXPECT_EQ(std::vector<int>{IDOK}, box.buttons);
            EXPECT_EQ(c.stored, g_installFolder);
            EXPECT_EQ(1, g_createShortcut) << "options are taken before the folder";
            EXPECT_EQ(0, g_startApplication);
            EXPECT_EQ(c.typed, ItemText(dialog, IDC_INSTALL_PATH)) << "the text stays for a fix";
        }
        Click(dialog, IDCANCEL);
    });
    EXPECT_EQ(0, result);
    EXPECT_TRUE(Notices(log).empty());
    EXPECT_EQ(workDirectory_, CurrentDirectory());
}

// Pasted as Unicode: a letter outside the ANSI code page (1252 has no Ł)
// would become a look-alike and another folder.
TEST_F(OptionsDialog, LetterOutsideTheCodePageIsRefused)
{
    ASSERT_EQ(1252u, GetACP());
    std::string root = MakeScratchFolder("dialogs_letters");
    std::wstring typed(root.begin(), root.end());
    typed += L"\\\x141\xf3d\x17a\\Chronex";  // Łódź
    BoxAnswerer answerer;
    std::string offered;
    int result = RunDialog([&](HWND dialog) {
        offered = g_installFolder;
        SendMessageW(GetDlgItem(dialog, IDC_INSTALL_PATH), WM_SETTEXT, 0, (LPARAM)typed.c_str());
        Click(dialog, IDOK);
        EXPECT_TRUE(IsWindow(dialog)) << "the dialog stays open";
        Click(dialog, IDCANCEL);
    });
    EXPECT_EQ(0, result);
    ASSERT_EQ(2u, answerer.boxes.size());
    EXPECT_EQ(MSG_CANNOT_CREATE_FOLDER, answerer.boxes[0].text);
    EXPECT_EQ(MSG_SETUP_WILL_STOP, answerer.boxes[1].text);
    EXPECT_EQ(offered, g_installFolder) << "nothing taken from the text";
    EXPECT_TRUE(ListFolder(root).empty()) << "no look-alike folder made";
}

TEST_F(OptionsDialog, LevelsMadeBeforeAFailingOneStayAnnounced)
{
    std::string root = MakeScratchFolder("dialogs_partial");
    ShellNotifyLog log;
    BoxAnswerer answerer;
    int result = RunDialog([&](HWND dialog) {
        // A name that no file system takes fails the second level.
        SetItemText(dialog, IDC_INSTALL_PATH, root + "\\made\\bad*name\\leaf");
        Click(dialog, IDOK);
        EXPECT_TRUE(IsWindow(dialog));
        Click(dialog, IDCANCEL);
    });
    EXPECT_EQ(0, result);
    ASSERT_EQ(2u, answerer.boxes.size());
    EXPECT_EQ(MSG_CANNOT_CREATE_FOLDER, answerer.boxes[0].text);
    EXPECT_EQ(MSG_SETUP_WILL_STOP, answerer.boxes[1].text);
    EXPECT_EQ(std::vector<std::string>{"made"}, ListFolder(root));
    EXPECT_EQ(Created({root + "\\made"}), Notices(log));
    EXPECT_EQ(workDirectory_, CurrentDirectory());
}

// The selected item of the folder browser's tree, by its text.
std::string SelectedTreeText(HWND tree)
{
    HTREEITEM item = TreeView_GetSelection(tree);
    char text[MAX_PATH] = "";
    TVITEMA info = {};
    info.mask = TVIF_TEXT;
    info.hItem = item;
    info.pszText = text;
    info.cchTextMax = sizeof(text);
    if (!item || !SendMessageA(tree, TVM_GETITEMA, 0, (LPARAM)&info))
        return "<none>";
    return text;
}

// The selections that the dialog asks of the folder browser, seen at the
// SendMessageA import: Wine's browser does not always honour a selection
// that arrives while it is still filling its tree.
struct SelectionLog {
    void *original = nullptr;
    void **slot = nullptr;
    CRITICAL_SECTION lock;
    std::vector<std::pair<WPARAM, std::string>> requests;
};
SelectionLog g_selections;

LRESULT WINAPI RecordSendMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == BFFM_SETSELECTIONA) {
        EnterCriticalSection(&g_selections.lock);
        g_selections.requests.push_back({wParam, lParam ? (const char *)lParam : "<null>"});
        LeaveCriticalSection(&g_selections.lock);
    }
    typedef LRESULT(WINAPI * SendFunction)(HWND, UINT, WPARAM, LPARAM);
    return ((SendFunction)g_selections.original)(window, message, wParam, lParam);
}

const char kBrowserTitle[] = "Browse for Folder";
const int kBrowserTree = 14145;
const int kBrowserText = 14146;

TEST_F(OptionsDialog, BrowseOpensOnTheTypedFolderAndPutsTheAnswerBack)
{
    std::string root = MakeScratchFolder("dialogs_browse");
    std::string typed = root + "\\pick";
    CreateDirectoryA(typed.c_str(), NULL);
    InitializeCriticalSection(&g_selections.lock);
    g_selections.slot = FindImportSlot("user32.dll", "SendMessageA");
    ASSERT_TRUE(g_selections.slot != nullptr);
    g_selections.original = SwapImportSlot(g_selections.slot, (void *)&RecordSendMessage);
    BoxAnswerer answerer;
    int result = RunDialog([&](HWND dialog) {
        SetItemText(dialog, IDC_INSTALL_PATH, typed);
        // Cancelled browser: the text stays.
        PostClick(dialog, IDC_BROWSE);
        HWND browser = WaitForWindow(GetCurrentProcessId(), "#32770", kBrowserTitle, 10000);
        ASSERT_TRUE(browser != NULL);
        EXPECT_EQ(BROWSE_TITLE, ItemText(browser, kBrowserText));
        EnterCriticalSection(&g_selections.lock);
        std::vector<std::pair<WPARAM, std::string>> requests = g_selections.requests;
        LeaveCriticalSection(&g_selections.lock);
        ASSERT_GE(requests.size(), 1u) << "the browser is asked to open on the folder";
        EXPECT_EQ((WPARAM)TRUE, requests[0].first);
        EXPECT_EQ(typed, requests[0].second);
        PostMessageA(browser, WM_COMMAND, IDCANCEL, 0);
        EXPECT_TRUE(WaitUntilGone(browser, 10000));
        EXPECT_EQ(typed, ItemText(dialog, IDC_INSTALL_PATH));

        // Another folder chosen: it replaces the text.
        PostClick(dialog, IDC_BROWSE);
        browser = WaitForWindow(GetCurrentProcessId(), "#32770", kBrowserTitle, 10000);
        ASSERT_TRUE(browser != NULL);
        // The user picks the parent folder; asked again until the browser's
        // tree is ready to take the selection.
        HWND tree = GetDlgItem(browser, kBrowserTree);
        for (int i = 0; i < 50 && SelectedTreeText(tree) != "dialogs_browse"; ++i) {
            SendMessageA(browser, BFFM_SETSELECTIONA, TRUE, (LPARAM)root.c_str());
            Sleep(100);
        }
        EXPECT_EQ("dialogs_browse", SelectedTreeText(tree));
        PostMessageA(browser, WM_COMMAND, IDOK, 0);
        EXPECT_TRUE(WaitUntilGone(browser, 10000));
        EXPECT_EQ(root, ItemText(dialog, IDC_INSTALL_PATH));
        EXPECT_EQ(DefaultInstallFolder(), std::string(g_installFolder))
            << "the install folder changes only on OK";
        Click(dialog, IDCANCEL);
    });
    EXPECT_EQ(0, result);
    SwapImportSlot(g_selections.slot, g_selections.original);
    DeleteCriticalSection(&g_selections.lock);
}

// Both dialogs at one screen density. A program reads the density
// (LogPixels) when it starts, so each density gets a process of its own:
// this program again, running LayoutChild.Run. It carries the installer's
// manifest, and with it the installer's DPI awareness.
const char kLayoutDpiVariable[] = "CHRONEX_LAYOUT_DPI";
const char kDesktopKey[] = "Control Panel\\Desktop";

std::string ClassOf(HWND control)
{
    char name[64] = "";
    GetClassNameA(control, name, sizeof(name));
    CharLowerA(name);
    return name;
}

bool IsIcon(HWND control)
{
    return ClassOf(control) == "static" &&
           (GetWindowLongA(control, GWL_STYLE) & SS_TYPEMASK) == SS_ICON;
}

std::string Describe(HWND control)
{
    std::string text = IsIcon(control) ? "icon" : "\"" + WindowText(control).substr(0, 24) + "\"";
    RECT r = ChildRect(control);
    return ClassOf(control) + " " + text + " at " +
           std::to_string(r.left) + "," + std::to_string(r.top) + " " +
           std::to_string(r.right - r.left) + "x" + std::to_string(r.bottom - r.top);
}

// What a control's text needs in its own font, against its client area.
// Statics wrap their text; buttons and check boxes hold one line, beside
// the box for a check box; edit and hotkey fields one line of any text.
void ExpectTextFits(HWND control)
{
    if (IsIcon(control))
        return;
    RECT client;
    GetClientRect(control, &client);
    std::string text = WindowText(control);
    HDC dc = GetDC(control);
    HGDIOBJ old = SelectObject(dc, (HFONT)SendMessageA(control, WM_GETFONT, 0, 0));
    TEXTMETRICA metrics = {};
    GetTextMetricsA(dc, &metrics);
    SIZE need = {0, metrics.tmHeight};
    if (ClassOf(control) == "static") {
        RECT wrapped = client;
        DrawTextA(dc, text.c_str(), -1, &wrapped, DT_CALCRECT | DT_WORDBREAK | DT_EXPANDTABS);
        need.cx = wrapped.right, need.cy = wrapped.bottom;
    } else if (ClassOf(control) == "button") {
        text.erase(std::remove(text.begin(), text.end(), '&'), text.end());
        GetTextExtentPoint32A(dc, text.c_str(), (int)text.size(), &need);
        need.cx += (GetWindowLongA(control, GWL_STYLE) & BS_TYPEMASK) == BS_AUTOCHECKBOX
                       ? GetSystemMetrics(SM_CXMENUCHECK) + metrics.tmAveCharWidth
                       : 2 * GetSystemMetrics(SM_CXEDGE);
    }
    SelectObject(dc, old);
    ReleaseDC(control, dc);
    EXPECT_LE(need.cx, client.right) << Describe(control) << ": text too wide";
    EXPECT_LE(need.cy, client.bottom) << Describe(control) << ": text too high";
}

// No visible control overlaps another (and so none covers another's text),
// and every text fits its control.
void ExpectReadable(HWND dialog, const std::string &name)
{
    SCOPED_TRACE(name);
    std::vector<HWND> shown;
    for (HWND child = GetWindow(dialog, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
        if (IsWindowVisible(child))
            shown.push_back(child);
    for (size_t i = 0; i < shown.size(); ++i) {
        std::cout << "    " << name << ": " << Describe(shown[i]) << "\n";
        for (size_t j = i + 1; j < shown.size(); ++j) {
            RECT a = ChildRect(shown[i]), b = ChildRect(shown[j]), both;
            EXPECT_FALSE(IntersectRect(&both, &a, &b))
                << Describe(shown[i]) << " overlaps " << Describe(shown[j]);
        }
        ExpectTextFits(shown[i]);
    }
}

TEST(LayoutChild, Run)
{
    char dpi[16] = "";
    if (!GetEnvironmentVariableA(kLayoutDpiVariable, dpi, sizeof(dpi)))
        GTEST_SKIP() << "started by DialogLayout.ReadableAtEveryDensity only";
    HDC screen = GetDC(NULL);
    ASSERT_EQ(atoi(dpi), GetDeviceCaps(screen, LOGPIXELSY)) << "LogPixels taken at the start";
    ReleaseDC(NULL, screen);
    g_instance = GetModuleHandleA(NULL);
    HWND options = CreateDialogParamA(g_instance, MAKEINTRESOURCEA(IDD_INSTALL_OPTIONS), NULL,
                                      InstallOptionsDlgProc, 0);
    ASSERT_TRUE(options != NULL);
    SendMessageA(options, WM_COMMAND, IDC_SET_HOTKEY, 0);
    ASSERT_TRUE(g_hotkeyDialog != NULL);
    ExpectReadable(options, std::string(dpi) + " dpi, options dialog");
    ExpectReadable(g_hotkeyDialog, std::string(dpi) + " dpi, hotkey dialog");
    SendMessageA(g_hotkeyDialog, WM_COMMAND, IDCANCEL, 0);
    DestroyWindow(options);
}

// Puts the density back whatever happened.
struct SavedDensity {
    DWORD value = 0;
    bool had = ReadDword(HKEY_CURRENT_USER, kDesktopKey, "LogPixels", &value);
    ~SavedDensity()
    {
        if (had)
            WriteDword(HKEY_CURRENT_USER, kDesktopKey, "LogPixels", value);
        else
            DeleteValue(HKEY_CURRENT_USER, kDesktopKey, "LogPixels");
    }
};

TEST(DialogLayout, ReadableAtEveryDensity)
{
    SavedDensity saved;
    for (int dpi : {96, 120, 144, 192}) {
        SCOPED_TRACE(testing::Message() << dpi << " dpi");
        WriteDword(HKEY_CURRENT_USER, kDesktopKey, "LogPixels", dpi);
        SetEnvironmentVariableA(kLayoutDpiVariable, std::to_string(dpi).c_str());
        Program child;
        bool started = StartProgram("\"" + TestProgramPath() +
                                        "\" --gtest_filter=LayoutChild.Run --gtest_brief=1",
                                    "", &child);
        SetEnvironmentVariableA(kLayoutDpiVariable, NULL);
        ASSERT_TRUE(started);
        EXPECT_EQ(0u, WaitForExit(child, 60000)) << "the child's failures are above";
        EndProgram(&child);
    }
}

// The templates as built, read back from the resources.
struct Item {
    DWORD style;
    int x, y, cx, cy;
    int id;
    std::string windowClass;
    std::string text;
    bool operator==(const Item &o) const
    {
        return style == o.style && x == o.x && y == o.y && cx == o.cx && cy == o.cy &&
               id == o.id && windowClass == o.windowClass && text == o.text;
    }
};

void PrintTo(const Item &i, std::ostream *os)
{
    *os << "{0x" << std::hex << i.style << std::dec << ", " << i.x << "," << i.y << " " << i.cx
        << "x" << i.cy << ", id " << i.id << ", " << i.windowClass << ", \"" << i.text << "\"}";
}

struct Template {
    DWORD style = 0, exStyle = 0;
    int x = 0, y = 0, cx = 0, cy = 0;
    std::string title, font;
    int points = 0;
    std::vector<Item> items;
};

std::string ReadSzOrOrd(const WORD *&p, const char *const *ordinals = nullptr)
{
    if (*p == 0xFFFF) {
        WORD ordinal = p[1];
        p += 2;
        if (ordinals && ordinal >= 0x80 && ordinal <= 0x82)
            return ordinals[ordinal - 0x80];
        return "#" + std::to_string(ordinal);
    }
    std::string text;
    for (; *p; ++p)
        text += (char)*p;
    ++p;
    return text;
}

Template ReadTemplate(int id)
{
    static const char *const kClasses[] = {"BUTTON", "EDIT", "STATIC"};
    Template t;
    HRSRC resource = FindResourceA(NULL, MAKEINTRESOURCEA(id), (LPCSTR)RT_DIALOG);
    if (!resource)
        return t;
    const DLGTEMPLATE *head = (const DLGTEMPLATE *)LockResource(LoadResource(NULL, resource));
    t.style = head->style;
    t.exStyle = head->dwExtendedStyle;
    t.x = head->x, t.y = head->y, t.cx = head->cx, t.cy = head->cy;
    const WORD *p = (const WORD *)(head + 1);
    ReadSzOrOrd(p);  // menu
    ReadSzOrOrd(p);  // class
    t.title = ReadSzOrOrd(p);
    t.points = *p++;
    t.font = ReadSzOrOrd(p);
    for (int i = 0; i < head->cdit; ++i) {
        p = (const WORD *)(((ULONG_PTR)p + 3) & ~(ULONG_PTR)3);
        const DLGITEMTEMPLATE *item = (const DLGITEMTEMPLATE *)p;
        p = (const WORD *)(item + 1);
        Item read;
        read.style = item->style;
        read.x = item->x, read.y = item->y, read.cx = item->cx, read.cy = item->cy;
        read.id = (short)item->id;
        read.windowClass = ReadSzOrOrd(p, kClasses);
        read.text = ReadSzOrOrd(p);
        p += 1 + *p / sizeof(WORD);  // creation data
        t.items.push_back(read);
    }
    return t;
}

TEST(DialogTemplates, AsTheInstallerLaysThemOut)
{
    Template options = ReadTemplate(IDD_INSTALL_OPTIONS);
    EXPECT_EQ(0x90C80AC4u, options.style);
    EXPECT_EQ(0u, options.exStyle);
    EXPECT_EQ(0, options.x);
    EXPECT_EQ(0, options.y);
    EXPECT_EQ(272, options.cx);
    EXPECT_EQ(109, options.cy);
    EXPECT_EQ(OPTIONS_TEMPLATE_TITLE, options.title);
    EXPECT_EQ(DIALOG_FONT_FACE, options.font);
    EXPECT_EQ(8, options.points);
    std::vector<Item> optionItems = {
        {0x50010001, 216, 5, 50, 14, 1, "BUTTON", "&OK"},
        {0x50010000, 216, 20, 50, 14, 2, "BUTTON", "&Cancel"},
        {0x50000003, 5, 5, 20, 20, -1, "STATIC", "#101"},
        {0x50020000, 40, 5, 160, 30, -1, "STATIC", OPTIONS_WELCOME_TEXT},
        {0x50020000, 40, 42, 120, 8, -1, "STATIC", OPTIONS_PATH_LABEL},
        {0x50810080, 40, 51, 167, 12, 1000, "EDIT", ""},
        {0x50010000, 216, 50, 50, 14, 1001, "BUTTON", OPTIONS_BROWSE_TEXT},
        {0x50010003, 40, 73, 170, 8, 1002, "BUTTON", OPTIONS_SHORTCUT_TEXT},
        {0x50010003, 40, 89, 225, 8, 1003, "BUTTON", OPTIONS_START_TEMPLATE},
        {0x50010000, 215, 71, 50, 14, 1005, "BUTTON", OPTIONS_HOTKEY_TEXT},
    };
    EXPECT_EQ(optionItems, options.items);

    Template hotkey = ReadTemplate(IDD_HOTKEY);
    EXPECT_EQ(0x90C80AC4u, hotkey.style);
    EXPECT_EQ(0u, hotkey.exStyle);
    EXPECT_EQ(257, hotkey.cx);
    EXPECT_EQ(61, hotkey.cy);
    EXPECT_EQ(HOTKEY_TITLE, hotkey.title);
    EXPECT_EQ(DIALOG_FONT_FACE, hotkey.font);
    EXPECT_EQ(8, hotkey.points);
    std::vector<Item> hotkeyItems = {
        {0x50010001, 200, 5, 50, 14, 1, "BUTTON", "OK"},
        {0x50010000, 200, 20, 50, 14, 2, "BUTTON", "Cancel"},
        {0x50020000, 40, 5, 155, 27, -1, "STATIC", HOTKEY_TEXT},
        {0x50000003, 5, 5, 20, 20, -1, "STATIC", "#101"},
    };
    EXPECT_EQ(hotkeyItems, hotkey.items);
}

TEST(DialogTemplates, ProductIconHoldsOne16AndOne32PixelImageOf16Colours)
{
    HRSRC resource = FindResourceA(NULL, MAKEINTRESOURCEA(IDI_PRODUCT), (LPCSTR)RT_GROUP_ICON);
    ASSERT_TRUE(resource != NULL);
    const BYTE *group = (const BYTE *)LockResource(LoadResource(NULL, resource));
    const WORD count = *(const WORD *)(group + 4);
    ASSERT_EQ(2, count);
    std::vector<std::pair<int, int>> images;
    for (int i = 0; i < count; ++i) {
        const BYTE *entry = group + 6 + 14 * i;  // GRPICONDIRENTRY
        images.push_back({entry[0], entry[2]});
    }
    EXPECT_EQ((std::vector<std::pair<int, int>>{{16, 16}, {32, 16}}), images);
}

}  // namespace
