// The app command: opens a document with the application (as a
// double-click does), reads what its window shows, presses the stored
// hotkey and closes it.
#include "driver.h"

#include <commctrl.h>
#include <shellapi.h>

#include "app.h"
#include "application.h"
#include "dialog_driver.h"
#include "files.h"
#include "process.h"
#include "product.h"
#include "registry.h"

namespace driver {
namespace {

// Key presses through the system's input queue, as a keyboard gives them:
// every key down in order, then up in the reverse order.
void SendKeyPresses(const std::vector<WORD> &keys)
{
    std::vector<INPUT> inputs;
    for (size_t i = 0; i < keys.size() * 2; ++i) {
        INPUT input = {};
        input.type = INPUT_KEYBOARD;
        bool up = i >= keys.size();
        input.ki.wVk = up ? keys[keys.size() * 2 - 1 - i] : keys[i];
        input.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
        inputs.push_back(input);
    }
    SendInput((UINT)inputs.size(), inputs.data(), sizeof(INPUT));
}

// Puts a window of our own in front, presses the stored hotkey and sees
// whether the application comes to the front. No message pumping while
// waiting: without a window manager, Wine gives the foreground to the
// desktop when our window handles its loss of the X focus late.
bool TryHotkey(HWND app)
{
    DWORD hotkey = HOTKEY_DEFAULT;
    ReadDword(HKEY_CURRENT_USER, SETTINGS_KEY_PATH, VALUE_HOTKEY, &hotkey);
    if ((hotkey & 0xFF) == 0) {
        Say("hotkey", "none stored");
        return true;
    }
    HWND other = CreateWindowExA(0, "STATIC", "driver", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0,
                                 200, 100, NULL, NULL, GetModuleHandleA(NULL), NULL);
    SetForegroundWindow(other);
    MSG message;
    while (PeekMessageA(&message, NULL, 0, 0, PM_REMOVE))
        DispatchMessageA(&message);
    std::vector<WORD> keys;
    BYTE flags = (BYTE)(hotkey >> 8);
    if (flags & HOTKEYF_CONTROL)
        keys.push_back(VK_CONTROL);
    if (flags & HOTKEYF_SHIFT)
        keys.push_back(VK_SHIFT);
    if (flags & HOTKEYF_ALT)
        keys.push_back(VK_MENU);
    keys.push_back((WORD)(hotkey & 0xFF));
    bool before = GetForegroundWindow() == app;
    SendKeyPresses(keys);
    bool front = WaitUntil([app] { return GetForegroundWindow() == app; }, 5000);
    DestroyWindow(other);
    Say("hotkey", HotkeyName(hotkey) + (before ? " (the application was in front already)" : "") +
                      (front ? " brought the application to the front"
                             : " did not bring the application to the front"));
    return front;
}

}  // namespace

int App(const Options &options)
{
    if (!options.open.empty()) {
        // As the shell does on a double-click: the document's folder is the
        // working directory.
        std::string folder = FolderOf(options.open);
        INT_PTR result = (INT_PTR)ShellExecuteA(NULL, NULL, options.open.c_str(), NULL,
                                                folder.empty() ? NULL : folder.c_str(),
                                                SW_SHOWNORMAL);
        Say("opened", options.open + (result > 32 ? "" : " (failed: " + std::to_string(result) + ")"));
    }
    AppWindow app = WaitForApplication(15000);
    if (!app.window || !WaitUntil([&app] { return IsWindowVisible(app.window) != 0; }, 5000)) {
        Say("problem", "no window of class " PRODUCT_WINDOW_CLASS " appeared");
        return 2;
    }
    Shot(app.window, "application");
    Say("app-title", WindowText(app.window));
    Say("app-folder", ItemText(app.window, IDC_FOLDER));
    Say("app-document", ItemText(app.window, IDC_DOCUMENT));
    Say("app-hotkey", ItemText(app.window, IDC_HOTKEY));
    int status = 0;
    if (options.pressHotkey && !TryHotkey(app.window))
        status = 1;
    if (options.close) {
        Program program;
        program.process = OpenProcess(SYNCHRONIZE | PROCESS_QUERY_INFORMATION | PROCESS_TERMINATE,
                                      FALSE, app.processId);
        PostMessageA(app.window, WM_CLOSE, 0, 0);
        DWORD code = program.process ? WaitForExit(program, 10000) : STILL_ACTIVE;
        if (program.process)
            CloseHandle(program.process);
        Say("app-exit", code == STILL_ACTIVE ? std::string("still running") : std::to_string(code));
        if (code != 0)
            status = 1;
    }
    return status;
}

}  // namespace driver
