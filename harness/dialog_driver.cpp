// Windows and their controls, driven by messages.
#include "dialog_driver.h"

#include "process.h"

std::string WindowText(HWND window)
{
    char text[4096] = "garbage";
    LRESULT answered = SendMessageTimeoutA(window, WM_GETTEXT, sizeof(text), (LPARAM)text,
                                           SMTO_ABORTIFHUNG, 5000, NULL);
    return answered ? std::string(text) : std::string("<no answer>");
}

std::string ItemText(HWND dialog, int id)
{
    HWND item = GetDlgItem(dialog, id);
    return item ? WindowText(item) : std::string("<no control>");
}

void SetItemText(HWND dialog, int id, const std::string &text)
{
    SendMessageA(GetDlgItem(dialog, id), WM_SETTEXT, 0, (LPARAM)text.c_str());
}

std::string ClassName(HWND window)
{
    char name[256] = "";
    GetClassNameA(window, name, sizeof(name));
    return name;
}

DWORD WindowProcess(HWND window)
{
    DWORD pid = 0;
    GetWindowThreadProcessId(window, &pid);
    return pid;
}

namespace {
struct Collect {
    DWORD processId;
    std::vector<HWND> windows;
};

BOOL CALLBACK CollectVisible(HWND window, LPARAM param)
{
    Collect *collect = (Collect *)param;
    if (IsWindowVisible(window) &&
        (!collect->processId || WindowProcess(window) == collect->processId))
        collect->windows.push_back(window);
    return TRUE;
}
}  // namespace

std::vector<HWND> VisibleWindows(DWORD processId)
{
    Collect collect = {processId, {}};
    EnumWindows(CollectVisible, (LPARAM)&collect);
    return collect.windows;
}

int CheckState(HWND dialog, int id)
{
    return (int)SendMessageA(GetDlgItem(dialog, id), BM_GETCHECK, 0, 0);
}

void Click(HWND dialog, int id)
{
    SendMessageA(GetDlgItem(dialog, id), BM_CLICK, 0, 0);
}

void PostClick(HWND dialog, int id)
{
    PostMessageA(GetDlgItem(dialog, id), BM_CLICK, 0, 0);
}

bool WaitUntil(const std::function<bool()> &condition, DWORD timeoutMs, DWORD pollMs)
{
    DWORD start = GetTickCount();
    while (!condition()) {
        if (GetTickCount() - start > timeoutMs)
            return false;
        Sleep(pollMs);
    }
    return true;
}

bool WaitUntilGone(HWND window, DWORD timeoutMs)
{
    return WaitUntil([window] { return !IsWindow(window); }, timeoutMs);
}

std::string PressKeys(const std::string &keys)
{
    std::string output;
    if (RunHostProgram("/usr/bin/xdotool key --delay 30 " + keys + " getmouselocation",
                       "screen:", 10000, &output))
        return "";
    return "xdotool key " + keys + ": " + (output.empty() ? "no answer (installed?)" : output);
}

int CountWindows(DWORD processId, const char *windowClass, const char *title)
{
    int count = 0;
    for (HWND window : VisibleWindows(processId))
        count += ClassName(window) == windowClass && WindowText(window) == title;
    return count;
}

RECT ChildRect(HWND child)
{
    RECT rect;
    GetWindowRect(child, &rect);
    MapWindowPoints(NULL, GetParent(child), (POINT *)&rect, 2);
    return rect;
}

std::string MissingDrive()
{
    DWORD drives = GetLogicalDrives();
    for (char letter = 'Q'; letter <= 'Y'; ++letter)
        if (!(drives & (1u << (letter - 'A'))))
            return std::string(1, letter) + ":";
    return "";
}
