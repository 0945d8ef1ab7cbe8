// Running the real setup.exe with its options dialog answered from this
// process: the folder typed or kept, the two options, OK; then every box
// answered with OK until setup ends.
//
// Handles: a run owns setup's process until it returns; the Program that
// StartSetup fills is the caller's (EndProgram); the thread of
// AnswerOptionsWhenShown is the caller's to wait for and close.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "msgbox.h"
#include "process.h"

// How a run answers the options dialog.
struct SetupAnswers {
    const char *folder = NULL;  // typed over the offer; NULL keeps the offer
    bool shortcut = false;
    bool start = false;
};

struct SetupRun {
    DWORD exitCode = STILL_ACTIVE;
    bool dialog = false;            // the options dialog appeared
    std::string offered;            // the edit control's text when the dialog opened
    std::vector<BoxRecord> boxes;   // every message box, answered with OK
    bool dialogStayedOpen = false;  // OK was refused; the run was then cancelled
};

// Copies setup.exe into dist unless one is there already (so that a
// snapshot taken afterwards holds); returns its path there.
std::string PlaceSetup(const std::string &dist);

// Starts setup with its own folder as the working folder.
bool StartSetup(const std::string &setupPath, Program *program);
// The options dialog, told from setup's boxes (same caption) by its controls.
bool IsOptionsDialog(HWND window);
// The options dialog of a started setup; NULL when it does not appear.
HWND WaitForOptionsDialog(const Program &program);
// Presses Set Hotkey in the options dialog of process processId and reads
// the hotkey that the hotkey dialog's control offers (0xFFFF when there is
// no control); the hotkey dialog, NULL when it does not open.
HWND OpenHotkeyDialog(HWND options, DWORD processId, WORD *hotkey);
// Fills in the options dialog and presses OK; returns at once.
void AnswerOptions(HWND dialog, const SetupAnswers &answers);

// Answers the options dialog, once it appears, from a thread of its own:
// for a setup that the test started some other way (under a ProcessTree,
// say). The thread ends then, or when no dialog came; wait for it and close
// the handle. answers.folder must live until then.
HANDLE AnswerOptionsWhenShown(const SetupAnswers &answers);

// A whole run. The test thread's windows get their messages meanwhile.
// When OK leaves the dialog open (a refused folder), the run is cancelled
// (confirmed) and dialogStayedOpen is set.
SetupRun RunSetup(const std::string &setupPath, const SetupAnswers &answers);

// Opens setup's dialog, reads the offer and, when hotkey is not NULL, the
// hotkey that the hotkey dialog shows; then cancels the run.
SetupRun PeekSetup(const std::string &setupPath, WORD *hotkey);

// Waits for a process while the test thread's windows get their messages;
// its exit code, or STILL_ACTIVE on timeout.
DWORD WaitPumping(const Program &program, DWORD timeoutMs);
