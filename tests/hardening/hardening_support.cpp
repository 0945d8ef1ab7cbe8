// Running setup.exe with bad input, and folder snapshots.
#include "hardening_support.h"

#include <commctrl.h>

#include <functional>

#include "dialog_driver.h"
#include "dialog_texts.h"
#include "files.h"
#include "process.h"
#include "product.h"

namespace {

const int kEditPath = 1000;
const int kCheckShortcut = 1002;
const int kCheckStart = 1003;
const int kSetHotkey = 1005;

std::wstring Wide(const std::string &path)
{
    std::wstring wide = L"\\\\?\\";
    for (char c : path)
        wide += (wchar_t)(unsigned char)c;
    return wide;
}

std::string Narrow(const wchar_t *text)
{
    std::string narrow;
    for (; *text; ++text)
        narrow += (char)*text;
    return narrow;
}

HWND WaitForOptionsDialog(DWORD processId)
{
    return WaitForWindow(processId, "#32770", PRODUCT_DISPLAY_NAME, 15000);
}

}  // namespace

// Copies setup.exe into dist once (so that a snapshot taken afterwards
// holds) and starts it there.
static bool StartSetup(const std::string &dist, Program *program)
{
    std::string setup = dist + "\\" SETUP_EXE_NAME;
    CopyFileA((TestProgramFolder() + SETUP_EXE_NAME).c_str(), setup.c_str(), TRUE);
    return StartProgram("\"" + setup + "\"", dist, program);
}

// Starts setup from dist, waits for its options dialog and reads the offer,
// lets drive answer the dialog, then waits for the end, every box answered
// with OK.
static SetupRun DriveSetup(const std::string &dist, DWORD exitTimeoutMs,
                           const std::function<void(const Program &, BoxWatcher &, HWND,
                                                    SetupRun *)> &drive)
{
    SetupRun run;
    Program program;
    if (!StartSetup(dist, &program)) {
        run.exitCode = 0xDEAD;
        return run;
    }
    BoxWatcher watcher(program.id);
    HWND dialog = WaitForOptionsDialog(program.id);
    if (dialog) {
        run.offered = ItemText(dialog, kEditPath);
        drive(program, watcher, dialog, &run);
    }
    run.exitCode = WaitForExit(program, exitTimeoutMs);
    watcher.Stop();
    run.boxes = watcher.Boxes();
    EndProgram(&program);
    return run;
}

SetupRun RunSetup(const std::string &dist, const char *typed)
{
    return DriveSetup(dist, 60000, [typed](const Program &program, BoxWatcher &watcher,
                                           HWND dialog, SetupRun *run) {
        if (typed)
            SetItemText(dialog, kEditPath, typed);
        SendMessageA(GetDlgItem(dialog, kCheckShortcut), BM_SETCHECK, BST_UNCHECKED, 0);
        SendMessageA(GetDlgItem(dialog, kCheckStart), BM_SETCHECK, BST_UNCHECKED, 0);
        PostClick(dialog, IDOK);
        // A refused folder leaves the dialog open once its box is answered.
        DWORD start = GetTickCount();
        while (WaitForExit(program, 100) == STILL_ACTIVE && GetTickCount() - start < 60000) {
            std::vector<BoxRecord> boxes = watcher.Boxes();
            bool refused = !boxes.empty() && boxes.back().text == MSG_CANNOT_CREATE_FOLDER;
            if (refused && IsWindow(dialog) && IsWindowVisible(dialog)) {
                run->dialogStayedOpen = true;
                PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
                break;
            }
        }
    });
}

SetupRun PeekSetup(const std::string &dist, WORD *hotkey)
{
    return DriveSetup(dist, 30000, [hotkey](const Program &program, BoxWatcher &, HWND dialog,
                                            SetupRun *) {
        if (hotkey) {
            PostClick(dialog, kSetHotkey);
            HWND hotkeyDialog = WaitForWindow(program.id, "#32770", HOTKEY_TITLE, 10000);
            HWND control = FindWindowExA(hotkeyDialog, NULL, HOTKEY_CLASSA, NULL);
            *hotkey = control ? (WORD)SendMessageA(control, HKM_GETHOTKEY, 0, 0) : 0xFFFF;
            if (hotkeyDialog)
                PostMessageA(hotkeyDialog, WM_COMMAND, IDCANCEL, 0);
        }
        PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
    });
}

static void Snapshot(const std::string &folder, TreeSnapshot *snapshot)
{
    WIN32_FIND_DATAW entry;
    HANDLE search = FindFirstFileW((Wide(folder) + L"\\*").c_str(), &entry);
    if (search == INVALID_HANDLE_VALUE)
        return;
    do {
        std::string name = Narrow(entry.cFileName);
        if (name == "." || name == "..")
            continue;
        std::string path = folder + "\\" + name;
        char facts[64];
        wsprintfA(facts, "%lx %lu %lx", entry.dwFileAttributes, entry.nFileSizeLow,
                  entry.ftLastWriteTime.dwLowDateTime);
        (*snapshot)[path] = facts;
        if ((entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) &&
            !(entry.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT))
            Snapshot(path, snapshot);
    } while (FindNextFileW(search, &entry));
    FindClose(search);
}

TreeSnapshot SnapshotTree(const std::string &root)
{
    TreeSnapshot snapshot;
    Snapshot(root, &snapshot);
    return snapshot;
}

std::vector<std::string> TreeChanges(const TreeSnapshot &before, const TreeSnapshot &after,
                                     const std::string &skip)
{
    std::vector<std::string> changes;
    auto skipped = [&](const std::string &path) {
        return !skip.empty() && path.compare(0, skip.size(), skip) == 0;
    };
    for (const auto &entry : before) {
        auto found = after.find(entry.first);
        if (skipped(entry.first))
            continue;
        if (found == after.end())
            changes.push_back("removed " + entry.first);
        else if (found->second != entry.second)
            changes.push_back("changed " + entry.first);
    }
    for (const auto &entry : after)
        if (!skipped(entry.first) && !before.count(entry.first))
            changes.push_back("added " + entry.first);
    return changes;
}

std::string PathOfLength(const std::string &base, size_t length)
{
    std::string path = base;
    while (path.size() < length) {
        size_t room = length - path.size() - 1;  // after the backslash
        if (room == 0) {
            path += "x";  // cannot end in a lone backslash
            break;
        }
        size_t level = room > 200 ? 200 : room;
        if (room > 200 && room - 200 < 2)
            level = room - 2;  // leave room for a backslash and one letter
        path += "\\" + std::string(level, (char)('a' + path.size() % 26));
    }
    return path;
}

void RemoveLongTree(const std::string &path)
{
    WIN32_FIND_DATAW entry;
    HANDLE search = FindFirstFileW((Wide(path) + L"\\*").c_str(), &entry);
    if (search != INVALID_HANDLE_VALUE) {
        do {
            std::string name = Narrow(entry.cFileName);
            if (name == "." || name == "..")
                continue;
            std::string child = path + "\\" + name;
            SetFileAttributesW(Wide(child).c_str(), FILE_ATTRIBUTE_NORMAL);
            if ((entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) &&
                !(entry.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT))
                RemoveLongTree(child);
            else if (!DeleteFileW(Wide(child).c_str()))
                RemoveDirectoryW(Wide(child).c_str());
        } while (FindNextFileW(search, &entry));
        FindClose(search);
    }
    RemoveDirectoryW(Wide(path).c_str());
}
