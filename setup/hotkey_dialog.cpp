// The hotkey dialog: a modeless dialog with one hotkey control that shows
// the stored hotkey (Ctrl+Alt+N when there is none) and stores the chosen
// one for the current user on OK.
#include <windows.h>
#include <commctrl.h>

#include "dialog_texts.h"
#include "product.h"
#include "resource.h"
#include "settings.h"
#include "setup.h"

// The control's place in dialog units, below the dialog's text: 60, 60,
// 200 x 20 pixels at 96 dpi with the dialog's font, and growing with that
// font at other densities, as the text does.
#define HOTKEY_CONTROL_X      40
#define HOTKEY_CONTROL_Y      37
#define HOTKEY_CONTROL_WIDTH  133
#define HOTKEY_CONTROL_HEIGHT 12

// Set while a hotkey dialog exists; see HandHotkeyDialogKeys.
static HHOOK g_keyHook;

// The dialog is modeless, and the loops that take its messages are modal
// ones, the options dialog's or a message box's, which give keys to the
// dialog manager for their own dialog only. The dialog manager calls this
// hook for each message of such a loop (not of a menu's), and here the
// hotkey dialog's keys go to it as well, so that Tab, Enter and Escape work
// there instead of becoming the hotkey.
static LRESULT CALLBACK HandHotkeyDialogKeys(int code, WPARAM wParam, LPARAM lParam)
{
    static int handing;  // IsDialogMessageA calls this hook again
    MSG *message = (MSG *)lParam;
    if (code == MSGF_DIALOGBOX && !handing && g_hotkeyDialog &&
        message->message >= WM_KEYFIRST && message->message <= WM_KEYLAST) {
        handing = 1;
        BOOL taken = IsDialogMessageA(g_hotkeyDialog, message);
        handing = 0;
        if (taken)
            return TRUE;
    }
    return CallNextHookEx(NULL, code, wParam, lParam);
}

static RECT HotkeyControlRect(HWND dialog)
{
    // Set field by field: an initialiser list would be a template in .data.
    RECT rect;
    rect.left = HOTKEY_CONTROL_X;
    rect.top = HOTKEY_CONTROL_Y;
    rect.right = HOTKEY_CONTROL_X + HOTKEY_CONTROL_WIDTH;
    rect.bottom = HOTKEY_CONTROL_Y + HOTKEY_CONTROL_HEIGHT;
    MapDialogRect(dialog, &rect);
    return rect;
}

static HFONT CreateHotkeyFont(HWND control)
{
    HDC dc = GetDC(control);
    int height = -MulDiv(DIALOG_FONT_POINTS, GetDeviceCaps(dc, LOGPIXELSY), 72);
    ReleaseDC(control, dc);
    return CreateFontA(height, 0, 0, 0, FW_DONTCARE, FALSE, FALSE, FALSE, DEFAULT_CHARSET,
                       OUT_TT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, 0, DIALOG_FONT_FACE);
}

// The hotkey control's class. Common Controls is loaded by name, so that
// the manifest's version 6 is found, and only now: imported, it would come
// with the theme engine before the DLL search is restricted.
static void RegisterHotkeyClass(void)
{
    HMODULE library = LoadLibraryExA("comctl32.dll", NULL, 0);
    FARPROC init = library ? GetProcAddress(library, "InitCommonControls") : NULL;
    if (init)
        ((void(WINAPI *)(void))(void *)init)();
}

static void InitHotkeyDialog(HWND dialog)
{
    RECT place = HotkeyControlRect(dialog);
    g_hotkeyDialog = dialog;
    SetClassLongPtrA(dialog, GCLP_HICON,
                     (LONG_PTR)LoadIconA(g_instance, MAKEINTRESOURCEA(IDI_PRODUCT)));
    RegisterHotkeyClass();
    g_hotkeyControl = CreateWindowExA(0, HOTKEY_CLASSA, "", WS_CHILD | WS_VISIBLE | WS_TABSTOP,
                                      place.left, place.top, place.right - place.left,
                                      place.bottom - place.top, dialog, NULL, g_instance, NULL);
    // Right after the text that asks for it, so that a screen reader names
    // the field by that text. The text follows the two buttons.
    HWND text = GetWindow(GetDlgItem(dialog, IDCANCEL), GW_HWNDNEXT);
    SetWindowPos(g_hotkeyControl, text, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    DWORD hotkey = QuerySettingDword(HKEY_CURRENT_USER, VALUE_HOTKEY);
    if (hotkey == SETTING_NO_VALUE)
        hotkey = HOTKEY_DEFAULT;
    SendMessageA(g_hotkeyControl, HKM_SETHOTKEY, hotkey, 0);
    g_hotkeyFont = CreateHotkeyFont(g_hotkeyControl);
    SendMessageA(g_hotkeyControl, WM_SETFONT, (WPARAM)g_hotkeyFont, 0);
    SetFocus(g_hotkeyControl);
    g_keyHook = SetWindowsHookExA(WH_MSGFILTER, HandHotkeyDialogKeys, NULL, GetCurrentThreadId());
}

// Without a control there is no choice to store, and the stored hotkey
// must not be lost to a guess.
static void StoreHotkey(void)
{
    if (!g_hotkeyControl)
        return;
    DWORD hotkey = LOWORD(SendMessageA(g_hotkeyControl, HKM_GETHOTKEY, 0, 0));
    WriteRegistryValue(HKEY_CURRENT_USER, SETTINGS_KEY_PATH, VALUE_HOTKEY, NULL, hotkey);
}

// The font goes only after the control that uses it.
static void CloseHotkeyDialog(HWND dialog)
{
    DestroyWindow(dialog);
    if (g_keyHook)
        UnhookWindowsHookEx(g_keyHook);
    g_keyHook = NULL;
    g_hotkeyDialog = NULL;
    g_hotkeyControl = NULL;
    if (g_hotkeyFont)
        DeleteObject(g_hotkeyFont);
    g_hotkeyFont = NULL;
}

INT_PTR CALLBACK HotkeyDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM)
{
    switch (message) {
    case WM_INITDIALOG:
        InitHotkeyDialog(dialog);
        break;
    case WM_COMMAND:
        if (HIWORD(wParam) != 0)
            break;
        switch (LOWORD(wParam)) {
        case IDOK:
            StoreHotkey();
            CloseHotkeyDialog(dialog);
            break;
        case IDCANCEL:
            CloseHotkeyDialog(dialog);
            break;
        }
        break;
    }
    return FALSE;
}
