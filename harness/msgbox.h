// Answering message boxes in tests, in the test's own thread (a CBT hook) or
// in another process (a watcher thread that polls its top-level windows).
// Each box met is recorded: text, caption, icon kind and buttons.
//
// Handles: the boxes belong to the programs that show them; they are only
// read and answered (a posted WM_COMMAND) here. A BoxAnswerer owns its hook
// and a BoxWatcher its thread, each until it is destroyed (or stopped).
#pragma once

#include <windows.h>

#include <string>
#include <vector>

enum IconKind { ICON_NONE, ICON_ERROR, ICON_QUESTION, ICON_WARNING, ICON_INFORMATION, ICON_OTHER };

const char *IconKindName(int kind);

struct BoxRecord {
    std::string text;
    std::string caption;
    int icon = ICON_NONE;
    std::vector<int> buttons;  // control ids: IDOK, IDCANCEL, IDYES, ...
    int answer = 0;
};

// A message box, told from the programs' own dialogs by its controls.
bool IsMessageBox(HWND window);
// Reads a message box window; false when the window is not a message box.
bool ReadMessageBox(HWND box, BoxRecord *record);
// A button's name by its id: "OK", "Cancel", "Yes", ...; "?" for another id.
const char *ButtonName(int id);
// Text on one line that can be read back: backslash, CR, LF and tab
// written as \\, \r, \n and \t.
std::string EscapedText(const std::string &text);

// Answers the boxes shown by the calling thread while it lives. Each box
// gets the next answer of the list, then the fallback.
class BoxAnswerer {
public:
    explicit BoxAnswerer(std::vector<int> answers = {}, int fallback = IDOK);
    ~BoxAnswerer();
    std::vector<BoxRecord> boxes;

private:
    static LRESULT CALLBACK Hook(int code, WPARAM wParam, LPARAM lParam);
    std::vector<int> answers_;
    int fallback_;
    HHOOK hook_;
};

// Answers the boxes of another process from a thread of its own.
class BoxWatcher {
public:
    BoxWatcher(DWORD processId, std::vector<int> answers = {}, int fallback = IDOK);
    ~BoxWatcher();
    // Waits until at least count boxes were answered; false on timeout.
    bool WaitForBoxes(size_t count, DWORD timeoutMs);
    std::vector<BoxRecord> Boxes();
    void Stop();

private:
    static DWORD WINAPI Run(void *self);
    DWORD processId_;
    std::vector<int> answers_;
    int fallback_;
    std::vector<BoxRecord> boxes_;
    CRITICAL_SECTION lock_;
    HANDLE thread_;
    volatile LONG stop_;
};
