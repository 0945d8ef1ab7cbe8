// Asking a running copy of the application to close.
#include "product_window.h"

#include <windows.h>

#include "product.h"

int CloseRunningProduct(void)
{
    HWND window = FindWindowA(PRODUCT_WINDOW_CLASS, NULL);
    if (window)
        PostMessageA(window, WM_CLOSE, 0, 0);
    return 1;
}
