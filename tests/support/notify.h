// Recording the shell change notifications that the test process sends.
// Wine delivers them synchronously inside SHChangeNotify, so no message loop
// is needed; notifications from other processes are not seen.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

struct Notice {
    LONG event;
    std::string path1;
    std::string path2;
};

class NotifyRecorder {
public:
    NotifyRecorder();
    ~NotifyRecorder();
    std::vector<Notice> notices;
    // Notices of one event, in order.
    std::vector<std::string> PathsOf(LONG event) const;

private:
    static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    HWND window_;
    ULONG registration_;
};

// The flush (event 0, SHCNF_FLUSH) cannot be seen by a recorder; tests that
// count flushes hook SHChangeNotify instead.
