// A stand-in for a running copy of the product: a hidden window of the
// product's class in the test thread. WM_CLOSE is only counted, so the
// window stays.
//
// Handles: a ProductWindow owns its window and destroys it when it is
// destroyed.
#pragma once

#include <windows.h>

class ProductWindow {
public:
    ProductWindow();
    ~ProductWindow();
    ProductWindow(const ProductWindow &) = delete;
    ProductWindow &operator=(const ProductWindow &) = delete;
    HWND Handle() const { return window_; }
    // Dispatches what is waiting for the test thread, then counts the
    // WM_CLOSE messages the window has had since it was made.
    int Closes();
    // The same count without dispatching: what was sent, not posted.
    int ClosesSoFar() const;

private:
    static LRESULT CALLBACK Proc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    HWND window_;
};

// Dispatches the test thread's waiting messages.
void PumpMessages();
