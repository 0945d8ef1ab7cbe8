// Driving windows through their controls, from another thread of this
// program or from another process: texts, classes, clicks, check states,
// the visible windows of a process, key presses on the X display.
//
// Handles: every HWND here belongs to the thread or process that made the
// window; these routines only send or post to it and never destroy it. A
// window handle may be reused once its window is gone, so callers that keep
// one check IsWindow before they trust it.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

// A window's text; "<no answer>" when the window does not answer. WM_GETTEXT
// works across processes, unlike GetWindowText on other threads.
std::string WindowText(HWND window);
// A control's text; "<no control>" when the dialog has no such control.
std::string ItemText(HWND dialog, int id);
void SetItemText(HWND dialog, int id, const std::string &text);
std::string ClassName(HWND window);
// The process that made the window.
DWORD WindowProcess(HWND window);
// The visible top-level windows of a process (0: of every process).
std::vector<HWND> VisibleWindows(DWORD processId);

int CheckState(HWND dialog, int id);
// Returns once the click has been handled, boxes it raised included.
void Click(HWND dialog, int id);
// Returns at once; for clicks whose handling waits for the caller.
void PostClick(HWND dialog, int id);

// Polls until the condition holds; false on timeout.
bool WaitUntil(const std::function<bool()> &condition, DWORD timeoutMs, DWORD pollMs = 20);
bool WaitUntilGone(HWND window, DWORD timeoutMs);

// Real key presses on the X display (xdotool through XTEST), in xdotool's
// names: "alt+h", "ctrl+shift+F5 Return". They go to the window that has
// the focus. xdotool asks for the pointer afterwards, a round trip that
// returns once the X server has taken the keys, so that the keys of
// successive calls arrive in order. Returns what went wrong, empty when
// nothing did.
std::string PressKeys(const std::string &keys);

// Visible top-level windows of a process with this class and title.
int CountWindows(DWORD processId, const char *windowClass, const char *title);

// Client rectangle of a child, in its parent's client coordinates.
RECT ChildRect(HWND child);

// A drive root such as "Q:" that names no drive of this machine.
std::string MissingDrive();
