// The stand-in product window.
#include "stand_in_window.h"

#include "product.h"

namespace {
int g_closes;
}

ProductWindow::ProductWindow()
{
    g_closes = 0;
    WNDCLASSA windowClass = {};
    windowClass.lpfnWndProc = Proc;
    windowClass.hInstance = GetModuleHandleA(NULL);
    windowClass.lpszClassName = PRODUCT_WINDOW_CLASS;
    RegisterClassA(&windowClass);
    window_ = CreateWindowExA(0, PRODUCT_WINDOW_CLASS, "running copy", WS_OVERLAPPED, 0, 0, 10,
                              10, NULL, NULL, GetModuleHandleA(NULL), NULL);
}

ProductWindow::~ProductWindow()
{
    if (window_)
        DestroyWindow(window_);
    UnregisterClassA(PRODUCT_WINDOW_CLASS, GetModuleHandleA(NULL));
}

int ProductWindow::Closes()
{
    PumpMessages();
    return g_closes;
}

int ProductWindow::ClosesSoFar() const
{
    return g_closes;
}

LRESULT CALLBACK ProductWindow::Proc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_CLOSE) {
        ++g_closes;
        return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

void PumpMessages()
{
    MSG msg;
    while (PeekMessageA(&msg, NULL, 0, 0, PM_REMOVE)) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
}
