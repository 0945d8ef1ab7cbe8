// The installer's hotkey dialog opened in the test program itself, which
// carries the installer's resources: its control, font and icon, the value
// it shows and the one OK stores, and no GDI object left after it closes.
#include <gtest/gtest.h>

#include <commctrl.h>

#include <iostream>
#include <string>

#include "dialog_driver.h"
#include "dialog_texts.h"
#include "product.h"
#include "registry.h"
#include "resource.h"
#include "setup.h"

namespace {

class HotkeyDialog : public ::testing::Test {
protected:
    void SetUp() override
    {
        g_instance = GetModuleHandleA(NULL);
        DeleteValue(HKEY_CURRENT_USER, SETTINGS_KEY_PATH, VALUE_HOTKEY);
    }
    void TearDown() override { DeleteValue(HKEY_CURRENT_USER, SETTINGS_KEY_PATH, VALUE_HOTKEY); }

    // As the install options dialog's Set Hotkey opens it.
    HWND Open()
    {
        HWND dialog = CreateDialogParamA(g_instance, MAKEINTRESOURCEA(IDD_HOTKEY), NULL,
                                         HotkeyDlgProc, 0);
        if (dialog)
            ShowWindow(dialog, SW_SHOWNORMAL);
        return dialog;
    }
    static void Command(HWND dialog, int id) { SendMessageA(dialog, WM_COMMAND, id, 0); }
    static int ShownHotkey()
    {
        return (int)SendMessageA(g_hotkeyControl, HKM_GETHOTKEY, 0, 0);
    }
};

TEST_F(HotkeyDialog, ControlFontAndHandlesWhileOpenAllGoneAfterClose)
{
    HWND dialog = Open();
    ASSERT_TRUE(dialog != NULL);
    EXPECT_EQ(dialog, g_hotkeyDialog);
    HWND control = FindWindowExA(dialog, NULL, HOTKEY_CLASSA, NULL);
    ASSERT_TRUE(control != NULL);
    EXPECT_EQ(control, g_hotkeyControl);
    EXPECT_EQ(0, GetDlgCtrlID(control));
    EXPECT_EQ(HOTKEY_TEXT, WindowText(GetWindow(control, GW_HWNDPREV)))
        << "the field follows the text that asks for it";
    RECT rect = ChildRect(control);
    EXPECT_EQ(60, rect.left);
    EXPECT_EQ(60, rect.top);
    EXPECT_EQ(200, rect.right - rect.left);
    EXPECT_EQ(20, rect.bottom - rect.top);
    EXPECT_EQ(control, GetFocus());
    EXPECT_EQ(0x064E, ShownHotkey()) << "Ctrl+Alt+N when nothing is stored";
    EXPECT_EQ(LoadIconA(g_instance, MAKEINTRESOURCEA(IDI_PRODUCT)),
              (HICON)GetClassLongPtrA(dialog, GCLP_HICON));

    HFONT font = g_hotkeyFont;
    ASSERT_TRUE(font != NULL);
    EXPECT_EQ(font, (HFONT)SendMessageA(control, WM_GETFONT, 0, 0));
    LOGFONTA logFont = {};
    ASSERT_EQ((int)sizeof(logFont), GetObjectA(font, sizeof(logFont), &logFont));
    HDC screen = GetDC(NULL);
    EXPECT_EQ(-MulDiv(8, GetDeviceCaps(screen, LOGPIXELSY), 72), logFont.lfHeight);
    ReleaseDC(NULL, screen);
    EXPECT_STREQ(DIALOG_FONT_FACE, logFont.lfFaceName);
    EXPECT_EQ(OUT_TT_PRECIS, logFont.lfOutPrecision);
    EXPECT_EQ(DEFAULT_CHARSET, logFont.lfCharSet);

    Command(dialog, IDCANCEL);
    EXPECT_FALSE(IsWindow(dialog));
    EXPECT_TRUE(g_hotkeyDialog == NULL);
    EXPECT_TRUE(g_hotkeyControl == NULL);
    EXPECT_TRUE(g_hotkeyFont == NULL);
    EXPECT_EQ(0u, (unsigned)GetObjectType(font)) << "the font is deleted";
    EXPECT_FALSE(ValueExists(HKEY_CURRENT_USER, SETTINGS_KEY_PATH, VALUE_HOTKEY));
    EXPECT_TRUE(KeyExists(HKEY_CURRENT_USER, SETTINGS_KEY_PATH)) << "reading created the key";
}

TEST_F(HotkeyDialog, StoredValueIsShownAndOkStoresTheControlsValue)
{
    struct Case {
        bool stored;
        DWORD value;
        int shown;
    } cases[] = {
        {false, 0, 0x064E},
        {true, 0xFFFFFFFF, 0x064E},
        {true, 0, 0},
        {true, 0x0374, 0x0374},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(testing::Message() << "stored 0x" << std::hex << c.value);
        if (c.stored)
            WriteDword(HKEY_CURRENT_USER, SETTINGS_KEY_PATH, VALUE_HOTKEY, c.value);
        else
            DeleteValue(HKEY_CURRENT_USER, SETTINGS_KEY_PATH, VALUE_HOTKEY);
        HWND dialog = Open();
        ASSERT_TRUE(dialog != NULL);
        EXPECT_EQ(c.shown, ShownHotkey());
        SendMessageA(g_hotkeyControl, HKM_SETHOTKEY, 0x0241, 0);  // Ctrl+A
        Command(dialog, IDOK);
        EXPECT_FALSE(IsWindow(dialog));
        std::string data;
        DWORD type = REG_NONE;
        ASSERT_TRUE(ReadValue(HKEY_CURRENT_USER, SETTINGS_KEY_PATH, VALUE_HOTKEY, &data, &type));
        EXPECT_EQ((DWORD)REG_DWORD, type);
        EXPECT_EQ(std::string("\x41\x02\0\0", 4), data);
    }
}

TEST_F(HotkeyDialog, RepeatedOpeningsLeaveNoGdiObjectBehind)
{
    Command(Open(), IDCANCEL);  // first use loads the class, the icon, the DC's font
    DWORD before = GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS);
    for (int i = 0; i < 30; ++i) {
        HWND dialog = Open();
        ASSERT_TRUE(dialog != NULL);
        HFONT font = g_hotkeyFont;
        Command(dialog, i % 2 ? IDOK : IDCANCEL);
        EXPECT_EQ(0u, (unsigned)GetObjectType(font)) << "opening " << i;
    }
    DWORD after = GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS);
    EXPECT_EQ(before, after);
    if (before == 0)
        std::cout << "note: GetGuiResources counts no GDI objects here; the fonts were "
                     "checked one by one\n";
}

HHOOK g_blockHook;

// Refuses the creation of hotkey controls on this thread.
LRESULT CALLBACK BlockHotkeyControls(int code, WPARAM wParam, LPARAM lParam)
{
    if (code == HCBT_CREATEWND) {
        char name[64] = "";
        GetClassNameA((HWND)wParam, name, sizeof(name));
        if (lstrcmpiA(name, HOTKEY_CLASSA) == 0)
            return 1;
    }
    return CallNextHookEx(g_blockHook, code, wParam, lParam);
}

TEST_F(HotkeyDialog, OkWithoutAControlStoresNothing)
{
    WriteDword(HKEY_CURRENT_USER, SETTINGS_KEY_PATH, VALUE_HOTKEY, 0x0374);
    g_blockHook = SetWindowsHookExA(WH_CBT, BlockHotkeyControls, NULL, GetCurrentThreadId());
    HWND dialog = Open();
    UnhookWindowsHookEx(g_blockHook);
    ASSERT_TRUE(dialog != NULL) << "the dialog opens without its control";
    EXPECT_TRUE(g_hotkeyControl == NULL);
    HFONT font = g_hotkeyFont;
    Command(dialog, IDOK);
    EXPECT_FALSE(IsWindow(dialog));
    DWORD stored = 0;
    ASSERT_TRUE(ReadDword(HKEY_CURRENT_USER, SETTINGS_KEY_PATH, VALUE_HOTKEY, &stored));
    EXPECT_EQ(0x0374u, stored);
    EXPECT_EQ(0u, (unsigned)GetObjectType(font));
}

}  // namespace
