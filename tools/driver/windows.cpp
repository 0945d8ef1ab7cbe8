// Finding the programs' windows and working their controls: texts, classes,
// owners, the kinds of dialog the driver answers, buttons and checkboxes,
// and hotkeys written as a person reads them.
#include "driver.h"

#include <commctrl.h>
#include <stdio.h>

#include "resource.h"

namespace driver {
namespace {

struct Collect {
    DWORD processId;  // 0: any process
    std::vector<HWND> windows;
};

BOOL CALLBACK CollectVisible(HWND window, LPARAM param)
{
    Collect *collect = (Collect *)param;
    if (!IsWindowVisible(window))
        return TRUE;
    if (collect->processId && ProcessOf(window) != collect->processId)
        return TRUE;
    collect->windows.push_back(window);
    return TRUE;
}

}  // namespace

std::string TextOf(HWND window)
{
    char text[4096] = "";
    SendMessageTimeoutA(window, WM_GETTEXT, sizeof(text), (LPARAM)text, SMTO_ABORTIFHUNG, 2000,
                        NULL);
    return text;
}

std::string ClassOf(HWND window)
{
    char name[128] = "";
    GetClassNameA(window, name, sizeof(name));
    return name;
}

DWORD ProcessOf(HWND window)
{
    DWORD pid = 0;
    GetWindowThreadProcessId(window, &pid);
    return pid;
}

std::vector<HWND> VisibleWindows(DWORD processId)
{
    Collect collect = {processId, {}};
    EnumWindows(CollectVisible, (LPARAM)&collect);
    return collect.windows;
}

bool IsMessageBox(HWND window)
{
    return ClassOf(window) == kDialogClass && GetDlgItem(window, kMessageTextId) &&
           (GetDlgItem(window, 1088) || GetDlgItem(window, 0x14));
}

bool IsOptionsDialog(HWND window)
{
    return ClassOf(window) == kDialogClass && GetDlgItem(window, IDC_INSTALL_PATH) &&
           GetDlgItem(window, IDC_SET_HOTKEY);
}

HWND FindChildOfClass(HWND parent, const char *className)
{
    return FindWindowExA(parent, NULL, className, NULL);
}

bool IsHotkeyDialog(HWND window)
{
    return ClassOf(window) == kDialogClass && FindChildOfClass(window, HOTKEY_CLASSA);
}

bool WaitGone(HWND window, DWORD timeoutMs)
{
    DWORD start = GetTickCount();
    while (IsWindow(window) && IsWindowVisible(window)) {
        if (GetTickCount() - start > timeoutMs)
            return false;
        Sleep(2);
    }
    return true;
}

void Press(HWND dialog, int id)
{
    PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), (LPARAM)GetDlgItem(dialog, id));
}

bool Checked(HWND dialog, int id)
{
    DWORD_PTR state = 0;
    SendMessageTimeoutA(GetDlgItem(dialog, id), BM_GETCHECK, 0, 0, SMTO_ABORTIFHUNG, 2000, &state);
    return state == BST_CHECKED;
}

void SetChecked(HWND dialog, int id, bool on)
{
    SendMessageTimeoutA(GetDlgItem(dialog, id), BM_SETCHECK, on ? BST_CHECKED : BST_UNCHECKED, 0,
                        SMTO_ABORTIFHUNG, 2000, NULL);
}

std::string HotkeyText(DWORD hotkey)
{
    if ((hotkey & 0xFF) == 0)
        return "none";
    std::string text;
    BYTE flags = (BYTE)(hotkey >> 8);
    if (flags & HOTKEYF_CONTROL)
        text += "Ctrl+";
    if (flags & HOTKEYF_SHIFT)
        text += "Shift+";
    if (flags & HOTKEYF_ALT)
        text += "Alt+";
    char name[64] = "";
    LONG scan = (LONG)(MapVirtualKeyA(hotkey & 0xFF, 0) << 16);
    if (flags & HOTKEYF_EXT)
        scan |= 1L << 24;
    if (!GetKeyNameTextA(scan, name, sizeof(name)))
        snprintf(name, sizeof(name), "VK %lu", (unsigned long)(hotkey & 0xFF));
    return text + name;
}

HWND WaitForProcessWindow(DWORD pid, bool (*match)(HWND), DWORD timeoutMs)
{
    DWORD start = GetTickCount();
    for (;;) {
        for (HWND window : VisibleWindows(pid))
            if (match(window))
                return window;
        if (GetTickCount() - start > timeoutMs)
            return NULL;
        Sleep(5);
    }
}

}  // namespace driver
