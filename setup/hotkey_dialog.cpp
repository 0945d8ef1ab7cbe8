// The hotkey dialog.
#include "setup.h"

INT_PTR CALLBACK HotkeyDlgProc(HWND, UINT, WPARAM, LPARAM)
{
    return FALSE;
}
