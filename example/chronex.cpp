// The stand-in for the product's application: one top-level window of the
// product's class that shows where it was started, which document it was
// given, and which hotkey brings it to the front. It closes on WM_CLOSE and
// then exits with code 0.
#include <windows.h>
#include <commctrl.h>

#include "app.h"
#include "hotkey_text.h"
#include "paths.h"

#define APP_TEXT_SIZE 1024
#define APP_WINDOW_WIDTH 560
#define APP_WINDOW_HEIGHT 150

static char g_folder[MAX_PATH];
static char g_document[APP_TEXT_SIZE];
static char g_hotkeyText[128];

// The document arrives through the open verb as the rest of the command
// line, unquoted (a path with blanks comes in several words), or quoted by
// whoever started us directly.
static void ReadDocument(const char *commandLine)
{
    while (*commandLine == ' ' || *commandLine == '\t')
        ++commandLine;
    if (!CopyText(g_document, sizeof(g_document), commandLine)) {
        g_document[0] = '\0';
        return;
    }
    int n = lstrlenA(g_document);
    while (n > 0 && (g_document[n - 1] == ' ' || g_document[n - 1] == '\t'))
        g_document[--n] = '\0';
    if (n >= 2 && g_document[0] == '"' && g_document[n - 1] == '"') {
        g_document[n - 1] = '\0';
        CopyText(g_document, sizeof(g_document), g_document + 1);
    }
}

// The HotKey value in the hotkey control's form; the default when there is
// none. Reading never creates the settings key.
static DWORD ReadHotkey(void)
{
    HKEY key;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, SETTINGS_KEY_PATH, 0, KEY_QUERY_VALUE, &key) !=
        ERROR_SUCCESS)
        return HOTKEY_DEFAULT;
    DWORD value = 0, type = 0, size = sizeof(value);
    LONG result = RegQueryValueExA(key, VALUE_HOTKEY, NULL, &type, (BYTE *)&value, &size);
    RegCloseKey(key);
    if (result != ERROR_SUCCESS || type != REG_DWORD || size != sizeof(value) ||
        value == 0xFFFFFFFFu)
        return HOTKEY_DEFAULT;
    return value & 0xFFFF;
}

static UINT HotkeyModifiers(BYTE flags)
{
    UINT modifiers = 0;
    if (flags & HOTKEYF_SHIFT)
        modifiers |= MOD_SHIFT;
    if (flags & HOTKEYF_CONTROL)
        modifiers |= MOD_CONTROL;
    if (flags & HOTKEYF_ALT)
        modifiers |= MOD_ALT;
    return modifiers;
}

// A stored 0 means the user chose no hotkey.
static void RegisterProductHotkey(HWND window)
{
    DWORD hotkey = ReadHotkey();
    BYTE key = LOBYTE(LOWORD(hotkey));
    if (key == 0) {
        CopyText(g_hotkeyText, sizeof(g_hotkeyText), APP_NO_HOTKEY);
        return;
    }
    DescribeHotkey(hotkey, g_hotkeyText, sizeof(g_hotkeyText));
    if (!RegisterHotKey(window, APP_HOTKEY_ID, HotkeyModifiers(HIBYTE(LOWORD(hotkey))), key))
        AppendText(g_hotkeyText, sizeof(g_hotkeyText), APP_HOTKEY_TAKEN);
}

static void BringToFront(HWND window)
{
    if (IsIconic(window))
        ShowWindow(window, SW_RESTORE);
    SetForegroundWindow(window);
}

static HWND AddStatic(HWND parent, const char *text, DWORD style, int id, int x, int y, int cx,
                      int cy)
{
    HWND control = CreateWindowExA(0, "STATIC", text, WS_CHILD | WS_VISIBLE | style, x, y, cx, cy,
                                   parent, (HMENU)(INT_PTR)id, GetModuleHandleA(NULL), NULL);
    if (control)
        SendMessageA(control, WM_SETFONT, (WPARAM)GetStockObject(DEFAULT_GUI_FONT), 0);
    return control;
}

static void AddControls(HWND window, HINSTANCE instance)
{
    HWND icon = AddStatic(window, "", SS_ICON, -1, 14, 14, 32, 32);
    if (icon)
        SendMessageA(icon, STM_SETICON, (WPARAM)LoadIconA(instance, MAKEINTRESOURCEA(IDI_PRODUCT)),
                     0);
    AddStatic(window, APP_LABEL_FOLDER, SS_LEFT, -1, 60, 16, 70, 16);
    AddStatic(window, g_folder, SS_LEFT | SS_NOPREFIX, IDC_FOLDER, 130, 16, 400, 16);
    AddStatic(window, APP_LABEL_DOCUMENT, SS_LEFT, -1, 60, 40, 70, 16);
    AddStatic(window, g_document, SS_LEFT | SS_NOPREFIX, IDC_DOCUMENT, 130, 40, 400, 32);
    AddStatic(window, APP_LABEL_HOTKEY, SS_LEFT, -1, 60, 80, 70, 16);
    AddStatic(window, g_hotkeyText, SS_LEFT | SS_NOPREFIX, IDC_HOTKEY, 130, 80, 400, 16);
}

static LRESULT CALLBACK ProductWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_HOTKEY:
        if (wParam == APP_HOTKEY_ID)
            BringToFront(window);
        return 0;
    case WM_DESTROY:
        UnregisterHotKey(window, APP_HOTKEY_ID);
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

static HWND CreateProductWindow(HINSTANCE instance)
{
    WNDCLASSA windowClass = {};
    windowClass.lpfnWndProc = ProductWndProc;
    windowClass.hInstance = instance;
    windowClass.hIcon = LoadIconA(instance, MAKEINTRESOURCEA(IDI_PRODUCT));
    windowClass.hCursor = LoadCursorA(NULL, IDC_ARROW);
    windowClass.hbrBackground = (HBRUSH)(COLOR_BTNFACE + 1);
    windowClass.lpszClassName = PRODUCT_WINDOW_CLASS;
    if (!RegisterClassA(&windowClass))
        return NULL;

    char title[MAX_PATH + 32] = APP_TITLE_PREFIX;
    AppendText(title, sizeof(title), g_folder);
    // Others find the window by its class and read its fields at once: it
    // is built as a message-only window, which no search sees, and becomes
    // a top-level window only when its fields and its hotkey are there.
    // A message-only window gets no default position: centre it.
    int x = (GetSystemMetrics(SM_CXSCREEN) - APP_WINDOW_WIDTH) / 2;
    int y = (GetSystemMetrics(SM_CYSCREEN) - APP_WINDOW_HEIGHT) / 2;
    HWND window = CreateWindowExA(0, PRODUCT_WINDOW_CLASS, title, WS_OVERLAPPEDWINDOW, x, y,
                                  APP_WINDOW_WIDTH, APP_WINDOW_HEIGHT, HWND_MESSAGE, NULL,
                                  instance, NULL);
    if (!window)
        return NULL;
    RegisterProductHotkey(window);
    AddControls(window, instance);
    SetParent(window, NULL);
    return window;
}

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR commandLine, int showCommand)
{
    DWORD length = GetCurrentDirectoryA(sizeof(g_folder), g_folder);
    if (length == 0 || length >= sizeof(g_folder))
        g_folder[0] = '\0';
    ReadDocument(commandLine);

    HWND window = CreateProductWindow(instance);
    if (!window)
        return 1;
    ShowWindow(window, showCommand);
    UpdateWindow(window);

    MSG message;
    while (GetMessageA(&message, NULL, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    return (int)message.wParam;
}
