// Drives setup.exe, the application and the uninstaller the way a person
// would, for the main command and the benchmarks: finds their windows,
// answers dialogs and message boxes (by default as a person who accepts the
// defaults), saves a picture of each one, and reports what the installation
// left on the machine. Output is one "key: value" line per fact, for
// scripts to read.
//
//   driver install <setup.exe> [--shots DIR] [--folder PATH] [--no-start]
//                  [--no-shortcut] [--hotkey] [--cancel] [--fast] [--manual]
//   driver app [--shots DIR] [--open DOCUMENT] [--press-hotkey] [--close]
//   (--label NAME with --shots puts the scene into the pictures' names)
//   driver uninstall [--shots DIR] [--cancel] [--fast] [--manual]
//   driver state [--folder PATH]
//   driver time <program> [arguments...]
//   driver until-gone [--path P]... [--process NAME]... -- <program> [arguments...]
//   driver shot <file.bmp>            (the whole screen)
#include <windows.h>
#include <commctrl.h>
#include <objbase.h>
#include <shellapi.h>
#include <shlobj.h>
#include <tlhelp32.h>

#include <stdio.h>

#include <set>
#include <string>
#include <vector>

#include "msgbox.h"
#include "product.h"

namespace {

const int kOptionsFolderEdit = 1000;
const int kOptionsShortcutBox = 1002;
const int kOptionsStartBox = 1003;
const int kOptionsHotkeyButton = 1005;
const int kMessageTextId = 0xFFFF;
const char kHotkeyDialogTitle[] = "Please enter a new hotkey:";
const char kDialogClass[] = "#32770";
const DWORD kDefaultTimeoutMs = 60000;

// ---------------------------------------------------------------- output

void Say(const char *key, const std::string &value)
{
    printf("%s: %s\n", key, value.c_str());
    fflush(stdout);
}

std::string Hex(DWORD value, int digits)
{
    char text[16];
    snprintf(text, sizeof(text), "0x%0*lX", digits, (unsigned long)value);
    return text;
}

std::string Millis(double ms)
{
    char text[32];
    snprintf(text, sizeof(text), "%.1f", ms);
    return text;
}

// One line: control characters of a box text shown as \r \n.
std::string OneLine(const std::string &text)
{
    std::string out;
    for (char c : text) {
        if (c == '\r')
            out += "\\r";
        else if (c == '\n')
            out += "\\n";
        else
            out += c;
    }
    return out;
}

class Clock {
public:
    Clock() { Restart(); }
    void Restart()
    {
        QueryPerformanceFrequency(&frequency_);
        QueryPerformanceCounter(&start_);
    }
    double Ms() const
    {
        LARGE_INTEGER now;
        QueryPerformanceCounter(&now);
        return (double)(now.QuadPart - start_.QuadPart) * 1000.0 / (double)frequency_.QuadPart;
    }

private:
    LARGE_INTEGER frequency_, start_;
};

// With --trace, the moments at which windows were met, from the start of
// the program under watch: where its time goes.
bool g_trace;
Clock g_runClock;
// How often the programs' windows and traces are looked for. Every look
// asks the wineserver, which the watched program needs for each file it
// touches, so looking too often slows it down.
DWORD g_pollMs = 5;

void Trace(const std::string &what)
{
    if (g_trace)
        Say("at-ms", Millis(g_runClock.Ms()) + " " + what);
}

// ---------------------------------------------------------------- windows

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
    return ClassOf(window) == kDialogClass && GetDlgItem(window, kOptionsFolderEdit) &&
           GetDlgItem(window, kOptionsHotkeyButton);
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

// ---------------------------------------------------------------- pictures

// What is on screen inside the rectangle, written as a 24-bit BMP.
bool SaveScreen(const RECT &rect, const std::string &path)
{
    int w = rect.right - rect.left, h = rect.bottom - rect.top;
    if (w <= 0 || h <= 0)
        return false;
    HDC screen = GetDC(NULL);
    HDC memory = CreateCompatibleDC(screen);
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = w;
    info.bmiHeader.biHeight = h;  // bottom-up, as BMP files store it
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 24;
    void *bits = NULL;
    HBITMAP bitmap = CreateDIBSection(memory, &info, DIB_RGB_COLORS, &bits, NULL, 0);
    HGDIOBJ old = SelectObject(memory, bitmap);
    BitBlt(memory, 0, 0, w, h, screen, rect.left, rect.top, SRCCOPY);
    GdiFlush();
    DWORD stride = ((DWORD)w * 3 + 3) & ~3u;
    DWORD size = stride * (DWORD)h;
    BITMAPFILEHEADER file = {};
    file.bfType = 0x4D42;
    file.bfOffBits = sizeof(file) + sizeof(info.bmiHeader);
    file.bfSize = file.bfOffBits + size;
    info.bmiHeader.biSizeImage = size;
    bool ok = false;
    HANDLE out = CreateFileA(path.c_str(), GENERIC_WRITE, 0, NULL, CREATE_ALWAYS, 0, NULL);
    if (out != INVALID_HANDLE_VALUE) {
        DWORD written = 0;
        ok = WriteFile(out, &file, sizeof(file), &written, NULL) &&
             WriteFile(out, &info.bmiHeader, sizeof(info.bmiHeader), &written, NULL) &&
             WriteFile(out, bits, size, &written, NULL);
        CloseHandle(out);
    }
    SelectObject(memory, old);
    DeleteObject(bitmap);
    DeleteDC(memory);
    ReleaseDC(NULL, screen);
    return ok;
}

std::string g_shotFolder;
std::string g_shotLabel;  // the scene, put before the kind of window
int g_shotCount;

// Pictures are numbered on from those already in the folder, so that
// several runs of the driver keep the order of events.
int CountShots()
{
    int count = 0;
    WIN32_FIND_DATAA entry;
    HANDLE search = FindFirstFileA((g_shotFolder + "\\*.bmp").c_str(), &entry);
    if (search == INVALID_HANDLE_VALUE)
        return 0;
    do
        ++count;
    while (FindNextFileA(search, &entry));
    FindClose(search);
    return count;
}

// A window as a person sees it; waits briefly so that it is painted.
void Shot(HWND window, const std::string &name)
{
    if (g_shotFolder.empty())
        return;
    SendMessageTimeoutA(window, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 2000, NULL);
    Sleep(300);
    RECT rect;
    if (!GetWindowRect(window, &rect))
        return;
    char file[64];
    snprintf(file, sizeof(file), "%02d-%s%s.bmp", ++g_shotCount, g_shotLabel.c_str(),
             name.c_str());
    std::string path = g_shotFolder + "\\" + file;
    if (SaveScreen(rect, path))
        Say("shot", path);
}

// ---------------------------------------------------------------- registry

bool ReadRegistry(HKEY root, const char *path, const char *name, std::string *data, DWORD *type)
{
    HKEY key;
    if (RegOpenKeyExA(root, path, 0, KEY_QUERY_VALUE, &key) != ERROR_SUCCESS)
        return false;
    char buffer[2048];
    DWORD size = sizeof(buffer) - 1;
    LONG result = RegQueryValueExA(key, name, NULL, type, (BYTE *)buffer, &size);
    RegCloseKey(key);
    if (result != ERROR_SUCCESS)
        return false;
    data->assign(buffer, size);
    if ((*type == REG_SZ || *type == REG_EXPAND_SZ) && !data->empty() && data->back() == '\0')
        data->pop_back();
    return true;
}

bool ReadRegistryString(HKEY root, const char *path, const char *name, std::string *text)
{
    DWORD type = 0;
    return ReadRegistry(root, path, name, text, &type) && type == REG_SZ;
}

bool KeyPresent(HKEY root, const char *path)
{
    HKEY key;
    if (RegOpenKeyExA(root, path, 0, KEY_READ, &key) != ERROR_SUCCESS)
        return false;
    RegCloseKey(key);
    return true;
}

// Every value below a key, one line each, subkeys in depth.
void ListKey(HKEY root, const char *rootName, const std::string &path)
{
    HKEY key;
    if (RegOpenKeyExA(root, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS)
        return;
    for (DWORD i = 0;; ++i) {
        char name[256];
        DWORD nameSize = sizeof(name), type = 0;
        BYTE data[2048];
        DWORD dataSize = sizeof(data) - 1;
        if (RegEnumValueA(key, i, name, &nameSize, NULL, &type, data, &dataSize) != ERROR_SUCCESS)
            break;
        std::string value;
        if (type == REG_SZ || type == REG_EXPAND_SZ) {
            data[dataSize] = 0;
            value = "\"" + std::string((char *)data) + "\"";
        } else if (type == REG_DWORD && dataSize == 4) {
            DWORD number = *(DWORD *)data;
            value = Hex(number, 8);
        } else {
            value = "(type " + std::to_string(type) + ", " + std::to_string(dataSize) + " bytes)";
        }
        Say("registry", std::string(rootName) + "\\" + path + " [" +
                            (nameSize ? name : "(default)") + "] = " + value);
    }
    std::vector<std::string> children;
    for (DWORD i = 0;; ++i) {
        char name[256];
        DWORD nameSize = sizeof(name);
        if (RegEnumKeyExA(key, i, name, &nameSize, NULL, NULL, NULL, NULL) != ERROR_SUCCESS)
            break;
        children.push_back(name);
    }
    RegCloseKey(key);
    for (const std::string &child : children)
        ListKey(root, rootName, path + "\\" + child);
}

void ReportKey(HKEY root, const char *rootName, const std::string &path)
{
    if (!KeyPresent(root, path.c_str())) {
        Say("registry", std::string(rootName) + "\\" + path + " absent");
        return;
    }
    Say("registry", std::string(rootName) + "\\" + path + " present");
    ListKey(root, rootName, path);
}

// ---------------------------------------------------------------- files

bool Exists(const std::string &path)
{
    return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

void ListFiles(const std::string &folder, std::vector<std::string> *out)
{
    WIN32_FIND_DATAA entry;
    HANDLE search = FindFirstFileA((folder + "\\*").c_str(), &entry);
    if (search == INVALID_HANDLE_VALUE)
        return;
    do {
        std::string name = entry.cFileName;
        if (name == "." || name == "..")
            continue;
        std::string path = folder + "\\" + name;
        if (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
            out->push_back(path + "\\");
            ListFiles(path, out);
        } else {
            out->push_back(path + " (" + std::to_string(entry.nFileSizeLow) + " bytes)");
        }
    } while (FindNextFileA(search, &entry));
    FindClose(search);
}

std::string TempFolder()
{
    char path[MAX_PATH] = "";
    GetTempPathA(sizeof(path), path);
    std::string folder = path;
    if (!folder.empty() && folder.back() == '\\')
        folder.pop_back();
    return folder;
}

// The uninstaller's traces in the temporary folder: its copy and scripts.
std::vector<std::string> UninstallerLeftovers()
{
    std::vector<std::string> found;
    std::string temp = TempFolder();
    if (Exists(temp + "\\" UNINSTALL_EXE_NAME))
        found.push_back(temp + "\\" UNINSTALL_EXE_NAME);
    WIN32_FIND_DATAA entry;
    HANDLE search = FindFirstFileA((temp + "\\delme*.bat").c_str(), &entry);
    if (search != INVALID_HANDLE_VALUE) {
        do
            found.push_back(temp + "\\" + entry.cFileName);
        while (FindNextFileA(search, &entry));
        FindClose(search);
    }
    return found;
}

std::string SpecialFolder(int csidl)
{
    char path[MAX_PATH] = "";
    if (!SHGetSpecialFolderPathA(NULL, path, csidl, FALSE))
        return "";
    return path;
}

void ReportShortcut(const std::string &path)
{
    IShellLinkA *link = NULL;
    if (FAILED(CoCreateInstance(CLSID_ShellLink, NULL, CLSCTX_INPROC_SERVER, IID_IShellLinkA,
                                (void **)&link)))
        return;
    IPersistFile *file = NULL;
    if (SUCCEEDED(link->QueryInterface(IID_IPersistFile, (void **)&file))) {
        WCHAR wide[MAX_PATH];
        MultiByteToWideChar(CP_ACP, 0, path.c_str(), -1, wide, MAX_PATH);
        if (SUCCEEDED(file->Load(wide, STGM_READ))) {
            char target[MAX_PATH] = "", folder[MAX_PATH] = "", arguments[MAX_PATH] = "";
            WORD hotkey = 0;
            link->GetPath(target, sizeof(target), NULL, 0);
            link->GetWorkingDirectory(folder, sizeof(folder));
            link->GetArguments(arguments, sizeof(arguments));
            link->GetHotkey(&hotkey);
            Say("shortcut", path + " -> " + target + " (in " + folder + ", arguments \"" +
                                arguments + "\", hotkey " + HotkeyText(hotkey) + ")");
        }
        file->Release();
    }
    link->Release();
}

// ---------------------------------------------------------------- processes

bool StartProcess(const std::string &program, const std::string &arguments,
                  const std::string &folder, PROCESS_INFORMATION *info)
{
    STARTUPINFOA startup = {};
    startup.cb = sizeof(startup);
    std::string line = "\"" + program + "\"";
    if (!arguments.empty())
        line += " " + arguments;
    return CreateProcessA(program.c_str(), &line[0], NULL, NULL, FALSE, 0, NULL,
                          folder.empty() ? NULL : folder.c_str(), &startup, info) != 0;
}

bool StartCommand(const std::string &command, PROCESS_INFORMATION *info)
{
    if (command.empty() || command[0] != '"')
        return StartProcess(command, "", "", info);
    STARTUPINFOA startup = {};
    startup.cb = sizeof(startup);
    std::string line = command;
    return CreateProcessA(NULL, &line[0], NULL, NULL, FALSE, 0, NULL, NULL, &startup, info) != 0;
}

std::string FolderOf(const std::string &path)
{
    size_t cut = path.rfind('\\');
    return cut == std::string::npos ? std::string() : path.substr(0, cut);
}

int RunningCount(const std::vector<std::string> &names)
{
    if (names.empty())
        return 0;
    HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
    if (snapshot == INVALID_HANDLE_VALUE)
        return 0;
    int count = 0;
    PROCESSENTRY32 entry = {};
    entry.dwSize = sizeof(entry);
    for (BOOL more = Process32First(snapshot, &entry); more;
         more = Process32Next(snapshot, &entry))
        for (const std::string &name : names)
            if (lstrcmpiA(entry.szExeFile, name.c_str()) == 0)
                ++count;
    CloseHandle(snapshot);
    return count;
}

std::string ExitText(DWORD code)
{
    return std::to_string(code);
}

// ---------------------------------------------------------------- arguments

struct Options {
    std::vector<std::string> words;  // arguments that are not options
    std::string folder, open;
    std::vector<std::string> paths, processes;
    bool noStart = false, noShortcut = false, hotkey = false, cancel = false, fast = false;
    bool pressHotkey = false, close = false;
    bool manual = false;  // a person answers; only wait and report
    DWORD timeoutMs = kDefaultTimeoutMs;
};

bool ParseOptions(int argc, char **argv, int first, Options *options)
{
    for (int i = first; i < argc; ++i) {
        std::string word = argv[i];
        auto next = [&](std::string *value) {
            if (i + 1 >= argc)
                return false;
            *value = argv[++i];
            return true;
        };
        std::string value;
        if (word == "--") {
            for (++i; i < argc; ++i)
                options->words.push_back(argv[i]);
        } else if (word == "--shots") {
            if (!next(&g_shotFolder))
                return false;
            CreateDirectoryA(g_shotFolder.c_str(), NULL);
            g_shotCount = CountShots();
        } else if (word == "--label") {
            if (!next(&g_shotLabel))
                return false;
            g_shotLabel += "-";
        } else if (word == "--folder") {
            if (!next(&options->folder))
                return false;
        } else if (word == "--open") {
            if (!next(&options->open))
                return false;
        } else if (word == "--path") {
            if (!next(&value))
                return false;
            options->paths.push_back(value);
        } else if (word == "--process") {
            if (!next(&value))
                return false;
            options->processes.push_back(value);
        } else if (word == "--timeout") {
            if (!next(&value))
                return false;
            options->timeoutMs = (DWORD)atoi(value.c_str()) * 1000;
        } else if (word == "--no-start") {
            options->noStart = true;
        } else if (word == "--no-shortcut") {
            options->noShortcut = true;
        } else if (word == "--hotkey") {
            options->hotkey = true;
        } else if (word == "--cancel") {
            options->cancel = true;
        } else if (word == "--fast") {
            options->fast = true;
        } else if (word == "--press-hotkey") {
            options->pressHotkey = true;
        } else if (word == "--poll") {
            if (!next(&value))
                return false;
            g_pollMs = (DWORD)atoi(value.c_str());
        } else if (word == "--trace") {
            g_trace = true;
        } else if (word == "--close") {
            options->close = true;
        } else if (word == "--manual") {
            options->manual = true;
            options->timeoutMs = 3600 * 1000;
        } else if (word.size() > 2 && word.compare(0, 2, "--") == 0) {
            return false;
        } else {
            options->words.push_back(word);
        }
    }
    return true;
}

// ---------------------------------------------------------------- answering

// Answers one message box with its default (the first button, OK for
// every box these programs show) or with the given id; reports it unless
// running for time.
double g_firstAnswerMs = -1;  // when the first box was answered

void AnswerBox(HWND box, int answer, bool fast)
{
    if (fast) {
        PostMessageA(box, WM_COMMAND, answer ? answer : IDOK, 0);
        if (g_firstAnswerMs < 0)
            g_firstAnswerMs = g_runClock.Ms();
        return;
    }
    BoxRecord record;
    ReadMessageBox(box, &record);
    if (!answer)
        answer = record.buttons.empty() ? IDOK : record.buttons[0];
    std::string buttons;
    for (int id : record.buttons) {
        static const char *names[] = {"", "OK", "Cancel", "Abort", "Retry", "Ignore", "Yes", "No"};
        buttons += (buttons.empty() ? "" : "/") +
                   std::string(id >= 1 && id <= 7 ? names[id] : std::to_string(id).c_str());
    }
    Shot(box, "box");
    Say("box", "[" + record.caption + "] \"" + OneLine(record.text) + "\" icon " +
                   IconKindName(record.icon) + ", buttons " + buttons + ", answered " +
                   (answer == IDOK ? "OK" : answer == IDCANCEL ? "Cancel" : std::to_string(answer)));
    PostMessageA(box, WM_COMMAND, answer, 0);
    if (g_firstAnswerMs < 0)
        g_firstAnswerMs = g_runClock.Ms();
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

// Opens the hotkey dialog from the options dialog, shows what it offers and
// accepts it with OK, which stores that hotkey.
void AcceptHotkeyDialog(HWND options, DWORD pid)
{
    Press(options, kOptionsHotkeyButton);
    HWND dialog = WaitForProcessWindow(pid, IsHotkeyDialog, 5000);
    if (!dialog) {
        Say("problem", "the hotkey dialog did not open");
        return;
    }
    HWND control = FindChildOfClass(dialog, HOTKEY_CLASSA);
    DWORD_PTR hotkey = 0;
    SendMessageTimeoutA(control, HKM_GETHOTKEY, 0, 0, SMTO_ABORTIFHUNG, 2000, &hotkey);
    Shot(dialog, "hotkey");
    Say("dialog", "\"" + TextOf(dialog) + "\" offers " + HotkeyText((DWORD)hotkey) +
                      ", answered OK");
    Press(dialog, IDOK);
    if (!WaitGone(dialog, 5000))
        Say("problem", "the hotkey dialog did not close");
}

void AnswerOptions(HWND dialog, DWORD pid, const Options &options)
{
    if (!options.fast) {
        Shot(dialog, "options");
        Say("dialog", "\"" + TextOf(dialog) + "\" offers folder \"" +
                          TextOf(GetDlgItem(dialog, kOptionsFolderEdit)) + "\", shortcut " +
                          (Checked(dialog, kOptionsShortcutBox) ? "on" : "off") + ", start " +
                          (Checked(dialog, kOptionsStartBox) ? "on" : "off"));
    }
    if (!options.folder.empty())
        SendMessageTimeoutA(GetDlgItem(dialog, kOptionsFolderEdit), WM_SETTEXT, 0,
                            (LPARAM)options.folder.c_str(), SMTO_ABORTIFHUNG, 2000, NULL);
    if (options.noShortcut)
        SetChecked(dialog, kOptionsShortcutBox, false);
    if (options.noStart)
        SetChecked(dialog, kOptionsStartBox, false);
    if (options.hotkey)
        AcceptHotkeyDialog(dialog, pid);
    if (options.cancel) {
        if (!options.fast)
            Say("answer", "Cancel");
        Press(dialog, IDCANCEL);
        return;
    }
    if (!options.fast)
        Say("answer", "OK with folder \"" + TextOf(GetDlgItem(dialog, kOptionsFolderEdit)) +
                          "\", shortcut " + (Checked(dialog, kOptionsShortcutBox) ? "on" : "off") +
                          ", start " + (Checked(dialog, kOptionsStartBox) ? "on" : "off"));
    Press(dialog, IDOK);
}

// Answers every window that one process (or, with pid 0, any process whose
// box carries the product's caption) shows, until done() says so.
class Answerer {
public:
    Answerer(DWORD pid, const Options &options) : pid_(pid), options_(options) {}
    void Step()
    {
        if (options_.manual)
            return;
        for (HWND window : VisibleWindows(pid_)) {
            if (handled_.count(window) || ProcessOf(window) == GetCurrentProcessId())
                continue;
            if (IsMessageBox(window)) {
                if (!pid_ && TextOf(window) != PRODUCT_DISPLAY_NAME)
                    continue;
                Trace("message box of process " + std::to_string(ProcessOf(window)));
                int answer = options_.cancel ? IDCANCEL : 0;
                AnswerBox(window, answer, options_.fast);
                handled_.insert(window);
            } else if (pid_ && IsOptionsDialog(window)) {
                Trace("options dialog");
                AnswerOptions(window, pid_, options_);
                handled_.insert(window);
            } else if (pid_ && ClassOf(window) == kDialogClass) {
                if (!options_.fast) {
                    Shot(window, "dialog");
                    Say("dialog", "\"" + TextOf(window) + "\" (not expected), answered OK");
                }
                Press(window, IDOK);
                handled_.insert(window);
            }
        }
        // Handles come back once their window is gone.
        for (auto it = handled_.begin(); it != handled_.end();)
            it = IsWindow(*it) ? std::next(it) : handled_.erase(it);
    }

private:
    DWORD pid_;
    const Options &options_;
    std::set<HWND> handled_;
};

// ---------------------------------------------------------------- commands

int Install(const Options &options)
{
    if (options.words.empty()) {
        Say("problem", "install needs the path of setup.exe");
        return 2;
    }
    const std::string setup = options.words[0];
    PROCESS_INFORMATION info;
    Clock clock;
    g_runClock.Restart();
    if (!StartProcess(setup, "", FolderOf(setup), &info)) {
        Say("problem", "cannot start " + setup + " (error " + std::to_string(GetLastError()) + ")");
        return 2;
    }
    CloseHandle(info.hThread);
    Answerer answerer(info.dwProcessId, options);
    while (WaitForSingleObject(info.hProcess, g_pollMs) == WAIT_TIMEOUT) {
        answerer.Step();
        if (clock.Ms() > options.timeoutMs) {
            Say("problem", "setup.exe did not end within " + std::to_string(options.timeoutMs / 1000) +
                               " s; ended it");
            TerminateProcess(info.hProcess, 255);
            CloseHandle(info.hProcess);
            return 2;
        }
    }
    double ms = clock.Ms();
    DWORD code = 0;
    GetExitCodeProcess(info.hProcess, &code);
    CloseHandle(info.hProcess);
    Say("setup-exit", ExitText(code));
    Say("elapsed-ms", Millis(ms));
    return 0;
}

HWND WaitForProductWindow(DWORD timeoutMs)
{
    DWORD start = GetTickCount();
    for (;;) {
        HWND window = FindWindowA(PRODUCT_WINDOW_CLASS, NULL);
        if (window && IsWindowVisible(window))
            return window;
        if (GetTickCount() - start > timeoutMs)
            return NULL;
        Sleep(20);
    }
}

// The application's value statics, by the ids it gives them.
std::string AppItem(HWND window, int id)
{
    HWND item = GetDlgItem(window, id);
    return item ? TextOf(item) : std::string("(no such field)");
}

void PressKeys(const std::vector<WORD> &keys)
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
    std::string stored;
    DWORD type = 0, hotkey = 0x064E;
    if (ReadRegistry(HKEY_CURRENT_USER, SETTINGS_KEY_PATH, VALUE_HOTKEY, &stored, &type) &&
        type == REG_DWORD && stored.size() == 4)
        hotkey = *(const DWORD *)stored.data();
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
    PressKeys(keys);
    DWORD start = GetTickCount();
    while (GetForegroundWindow() != app && GetTickCount() - start < 5000)
        Sleep(20);
    bool front = GetForegroundWindow() == app;
    DestroyWindow(other);
    Say("hotkey", HotkeyText(hotkey) + (before ? " (the application was in front already)" : "") +
                      (front ? " brought the application to the front"
                             : " did not bring the application to the front"));
    return front;
}

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
    HWND app = WaitForProductWindow(15000);
    if (!app) {
        Say("problem", "no window of class " PRODUCT_WINDOW_CLASS " appeared");
        return 2;
    }
    Shot(app, "application");
    Say("app-title", TextOf(app));
    Say("app-folder", AppItem(app, 1001));
    Say("app-document", AppItem(app, 1002));
    Say("app-hotkey", AppItem(app, 1003));
    int status = 0;
    if (options.pressHotkey && !TryHotkey(app))
        status = 1;
    if (options.close) {
        DWORD pid = ProcessOf(app);
        HANDLE process = OpenProcess(SYNCHRONIZE | PROCESS_QUERY_INFORMATION, FALSE, pid);
        PostMessageA(app, WM_CLOSE, 0, 0);
        DWORD code = STILL_ACTIVE;
        if (process && WaitForSingleObject(process, 10000) == WAIT_OBJECT_0)
            GetExitCodeProcess(process, &code);
        if (process)
            CloseHandle(process);
        Say("app-exit", code == STILL_ACTIVE ? std::string("still running") : ExitText(code));
        if (code != 0)
            status = 1;
    }
    return status;
}

int Uninstall(const Options &options)
{
    std::string command;
    if (!ReadRegistryString(HKEY_LOCAL_MACHINE, UNINSTALL_KEY_PATH "\\" UNINSTALL_ENTRY_NAME,
                            VALUE_UNINSTALL_STRING, &command)) {
        Say("problem", "no UninstallString in the uninstall entry");
        return 2;
    }
    std::string folder;
    ReadRegistryString(HKEY_LOCAL_MACHINE, SETTINGS_KEY_PATH, VALUE_INSTALL_PATH, &folder);
    if (!options.fast)
        Say("uninstall-string", command);
    if (!options.fast && !folder.empty())
        Say("install-path", folder);
    // The software list runs the command as it stands: a quoted path with
    // arguments, or a bare path, spaces and all.
    PROCESS_INFORMATION info;
    Clock clock;
    g_runClock.Restart();
    if (!StartCommand(command, &info)) {
        Say("problem", "cannot start " + command + " (error " + std::to_string(GetLastError()) + ")");
        return 2;
    }
    CloseHandle(info.hThread);
    // Boxes come from the first process and from its temporary copy.
    Answerer answerer(0, options);
    bool firstEnded = false;
    double firstMs = 0;
    const std::vector<std::string> uninstallers = {UNINSTALL_EXE_NAME};
    for (;;) {
        answerer.Step();
        if (!firstEnded && WaitForSingleObject(info.hProcess, 0) == WAIT_OBJECT_0) {
            firstEnded = true;
            firstMs = clock.Ms();
            Trace("first process ended");
        }
        if (g_trace) {
            static bool copySeen, copyGone, folderGone, scriptSeen;
            std::vector<std::string> left = UninstallerLeftovers();
            bool copy = false, script = false;
            for (const std::string &path : left)
                (path.find("delme") != std::string::npos ? script : copy) = true;
            if (copy && !copySeen)
                Trace("temporary copy written"), copySeen = true;
            if (!copy && copySeen && !copyGone)
                Trace("temporary copy deleted"), copyGone = true;
            if (script && !scriptSeen)
                Trace("cleanup script written"), scriptSeen = true;
            if (!folder.empty() && !Exists(folder) && !folderGone)
                Trace("install folder removed"), folderGone = true;
        }
        // The first process starts the copy before it ends; the copy removes
        // the folder and starts the script before it ends; the script
        // deletes the copy and then itself.
        if (firstEnded && RunningCount(uninstallers) == 0 && UninstallerLeftovers().empty())
            break;
        if (clock.Ms() > options.timeoutMs) {
            Say("problem", "the uninstallation did not finish within " +
                               std::to_string(options.timeoutMs / 1000) + " s");
            break;
        }
        Sleep(g_pollMs);
    }
    double ms = clock.Ms();
    DWORD code = 0;
    GetExitCodeProcess(info.hProcess, &code);
    CloseHandle(info.hProcess);
    Say("uninstall-exit", ExitText(code));
    Say("first-phase-ms", Millis(firstMs));
    Say("elapsed-ms", Millis(ms));
    if (g_firstAnswerMs >= 0)
        Say("after-confirmation-ms", Millis(ms - g_firstAnswerMs));
    return 0;
}

// What the installation left: registry values, files, shortcuts, the
// uninstaller's temporary traces.
int State(const Options &options)
{
    std::string folder = options.folder;
    std::string stored;
    if (ReadRegistryString(HKEY_LOCAL_MACHINE, SETTINGS_KEY_PATH, VALUE_INSTALL_PATH, &stored) &&
        folder.empty())
        folder = stored;
    ReportKey(HKEY_LOCAL_MACHINE, "HKLM", SETTINGS_KEY_PATH);
    ReportKey(HKEY_LOCAL_MACHINE, "HKLM", UNINSTALL_KEY_PATH "\\" UNINSTALL_ENTRY_NAME);
    ReportKey(HKEY_CURRENT_USER, "HKCU", SETTINGS_KEY_PATH);
    ReportKey(HKEY_CLASSES_ROOT, "HKCR", ".qsx");
    ReportKey(HKEY_CLASSES_ROOT, "HKCR", "VelkorSettings");
    if (folder.empty()) {
        Say("folder", "unknown (no InstallPath)");
    } else if (!Exists(folder)) {
        Say("folder", folder + " absent");
    } else {
        Say("folder", folder + " present");
        std::vector<std::string> files;
        ListFiles(folder, &files);
        for (const std::string &file : files)
            Say("file", file);
    }
    CoInitialize(NULL);
    const int folders[] = {CSIDL_STARTMENU, CSIDL_PROGRAMS, CSIDL_DESKTOPDIRECTORY, CSIDL_STARTUP};
    const char *names[] = {PRODUCT_DISPLAY_NAME SHORTCUT_EXTENSION,
                           PRODUCT_DISPLAY_NAME SHORTCUT_98_SUFFIX};
    int shortcuts = 0;
    for (int csidl : folders)
        for (const char *name : names) {
            std::string path = SpecialFolder(csidl) + "\\" + name;
            if (Exists(path)) {
                ReportShortcut(path);
                ++shortcuts;
            }
        }
    if (!shortcuts)
        Say("shortcut", "none");
    CoUninitialize();
    std::vector<std::string> leftovers = UninstallerLeftovers();
    for (const std::string &path : leftovers)
        Say("temp", path);
    if (leftovers.empty())
        Say("temp", "no uninstaller copy or cleanup script in " + TempFolder());
    return 0;
}

std::string JoinArguments(const std::vector<std::string> &words, size_t first)
{
    std::string line;
    for (size_t i = first; i < words.size(); ++i) {
        bool quote = words[i].find(' ') != std::string::npos;
        line += (line.empty() ? "" : " ") + (quote ? "\"" + words[i] + "\"" : words[i]);
    }
    return line;
}

// Runs a program and waits for it; with paths or process names, also until
// every path is gone and no process of those names runs.
int Time(const Options &options)
{
    if (options.words.empty()) {
        Say("problem", "nothing to run");
        return 2;
    }
    PROCESS_INFORMATION info;
    Clock clock;
    if (!StartProcess(options.words[0], JoinArguments(options.words, 1), "", &info)) {
        Say("problem", "cannot start " + options.words[0] + " (error " +
                           std::to_string(GetLastError()) + ")");
        return 2;
    }
    CloseHandle(info.hThread);
    if (WaitForSingleObject(info.hProcess, options.timeoutMs) != WAIT_OBJECT_0) {
        Say("problem", options.words[0] + " did not end in time");
        TerminateProcess(info.hProcess, 255);
    }
    double processMs = clock.Ms();
    for (;;) {
        bool left = RunningCount(options.processes) > 0;
        for (const std::string &path : options.paths)
            left = left || Exists(path);
        if (!left)
            break;
        if (clock.Ms() > options.timeoutMs) {
            Say("problem", "something was still there after " +
                               std::to_string(options.timeoutMs / 1000) + " s");
            break;
        }
        Sleep(g_pollMs);
    }
    double ms = clock.Ms();
    DWORD code = 0;
    GetExitCodeProcess(info.hProcess, &code);
    CloseHandle(info.hProcess);
    Say("exit", ExitText(code));
    Say("process-ms", Millis(processMs));
    Say("elapsed-ms", Millis(ms));
    return 0;
}

int Screen(const Options &options)
{
    if (options.words.empty())
        return 2;
    RECT rect = {0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    return SaveScreen(rect, options.words[0]) ? 0 : 1;
}

}  // namespace

int main(int argc, char **argv)
{
    Options options;
    if (argc < 2 || !ParseOptions(argc, argv, 2, &options)) {
        fprintf(stderr, "usage: driver install|app|uninstall|state|time|until-gone|shot ...\n");
        return 2;
    }
    std::string command = argv[1];
    if (command == "install")
        return Install(options);
    if (command == "app")
        return App(options);
    if (command == "uninstall")
        return Uninstall(options);
    if (command == "state")
        return State(options);
    if (command == "time" || command == "until-gone")
        return Time(options);
    if (command == "shot")
        return Screen(options);
    fprintf(stderr, "unknown command %s\n", command.c_str());
    return 2;
}
