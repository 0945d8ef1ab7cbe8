// Resource identifiers of the installer.
#pragma once

#define IDI_PRODUCT          101
#define IDD_INSTALL_OPTIONS  101
#define IDD_HOTKEY           109

// Controls of the install options dialog.
#define IDC_INSTALL_PATH     1000
#define IDC_BROWSE           1001
#define IDC_CREATE_SHORTCUT  1002
#define IDC_START_APP        1003
#define IDC_SET_HOTKEY       1005

// Statics that code never addresses.
#define IDC_STATIC           -1
