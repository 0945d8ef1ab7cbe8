// Driving dialogs through their controls, from another thread of the test
// program or from another process: texts, clicks, check states, windows.
#pragma once

#include <windows.h>

#include <functional>
#include <string>

#include "process.h"

// A window's text; "<no answer>" when the window does not answer. WM_GETTEXT
// works across processes, unlike GetWindowText on other threads.
inline std::string WindowText(HWND window)
{
    char text[4096] = "garbage";
    LRESULT answered = SendMessageTimeoutA(window, WM_GETTEXT, sizeof(text), (LPARAM)text,
                                           SMTO_ABORTIFHUNG, 5000, NULL);
    return answered ? std::string(text) : std::string("<no answer>");
}

// A control's text; "<no control>" when the dialog has no such control.
inline std::string ItemText(HWND dialog, int id)
{
    HWND item = GetDlgItem(dialog, id);
    return item ? WindowText(item) : std::string("<no control>");
}

inline void SetItemText(HWND dialog, int id, const std::string &text)
{
    SendMessageA(GetDlgItem(dialog, id), WM_SETTEXT, 0, (LPARAM)text.c_str());
}

inline int CheckState(HWND dialog, int id)
{
    return (int)SendMessageA(GetDlgItem(dialog, id), BM_GETCHECK, 0, 0);
}

// Returns once the click has been handled, boxes it raised included.
inline void Click(HWND dialog, int id)
{
    SendMessageA(GetDlgItem(dialog, id), BM_CLICK, 0, 0);
}

// Returns at once; for clicks whose handling waits for the caller.
inline void PostClick(HWND dialog, int id)
{
    PostMessageA(GetDlgItem(dialog, id), BM_CLICK, 0, 0);
}

// Polls until the condition holds; false on timeout.
inline bool WaitUntil(const std::function<bool()> &condition, DWORD timeoutMs)
{
    DWORD start = GetTickCount();
    while (!condition()) {
        if (GetTickCount() - start > timeoutMs)
            return false;
        Sleep(20);
    }
    return true;
}

inline bool WaitUntilGone(HWND window, DWORD timeoutMs)
{
    return WaitUntil([window] { return !IsWindow(window); }, timeoutMs);
}

// Real key presses on the X display (xdotool through XTEST), in xdotool's
// names: "alt+h", "ctrl+shift+F5 Return". They go to the window that has
// the focus. xdotool asks for the pointer afterwards, a round trip that
// returns once the X server has taken the keys, so that the keys of
// successive calls arrive in order. Returns what went wrong, empty when
// nothing did.
inline std::string PressKeys(const std::string &keys)
{
    std::string output;
    if (RunHostProgram("/usr/bin/xdotool key --delay 30 " + keys + " getmouselocation",
                       "screen:", 10000, &output))
        return "";
    return "xdotool key " + keys + ": " + (output.empty() ? "no answer (installed?)" : output);
}

struct WindowCount {
    DWORD processId;
    const char *windowClass;
    const char *title;
    int count;
};

inline BOOL CALLBACK CountMatchingWindow(HWND window, LPARAM param)
{
    WindowCount *search = (WindowCount *)param;
    DWORD pid = 0;
    GetWindowThreadProcessId(window, &pid);
    char name[256] = "";
    GetClassNameA(window, name, sizeof(name));
    if (pid == search->processId && IsWindowVisible(window) &&
        lstrcmpA(name, search->windowClass) == 0 && WindowText(window) == search->title)
        ++search->count;
    return TRUE;
}

// Visible top-level windows of a process with this class and title.
inline int CountWindows(DWORD processId, const char *windowClass, const char *title)
{
    WindowCount search = {processId, windowClass, title, 0};
    EnumWindows(CountMatchingWindow, (LPARAM)&search);
    return search.count;
}

// Client rectangle of a child, in its parent's client coordinates.
inline RECT ChildRect(HWND child)
{
    RECT rect;
    GetWindowRect(child, &rect);
    MapWindowPoints(NULL, GetParent(child), (POINT *)&rect, 2);
    return rect;
}

// A drive root such as "Q:" that names no drive of this machine.
inline std::string MissingDrive()
{
    DWORD drives = GetLogicalDrives();
    for (char letter = 'Q'; letter <= 'Y'; ++letter)
        if (!(drives & (1u << (letter - 'A'))))
            return std::string(1, letter) + ":";
    return "";
}
