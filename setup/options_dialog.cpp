// The install options dialog.
#include "setup.h"

INT_PTR CALLBACK InstallOptionsDlgProc(HWND, UINT, WPARAM, LPARAM)
{
    return FALSE;
}
