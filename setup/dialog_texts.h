// The fixed texts of the installer's two dialogs and of the boxes they show.
// setup.rc takes the template texts from here as well, so no string below
// may be built by concatenation unless only code uses it.
#pragma once

#include "product.h"

#define DIALOG_FONT_FACE        "MS Sans Serif"
#define DIALOG_FONT_POINTS      8

// Install options dialog.
#define OPTIONS_TEMPLATE_TITLE  "Velkor"
#define OPTIONS_WELCOME_TEXT \
    "Thank you for using Velkor Software! Please verify the following options. Press OK to continue."
#define OPTIONS_PATH_LABEL      "Install &Path:"
#define OPTIONS_BROWSE_TEXT     "&Browse..."
#define OPTIONS_SHORTCUT_TEXT   "&Create Shortcut in Start Menu"
#define OPTIONS_START_TEMPLATE  "&Start Application after Setup is Complete"
#define OPTIONS_HOTKEY_TEXT     "Set &Hotkey"
// Code only: the run-time caption of the start-application checkbox.
#define OPTIONS_START_TEXT      "&Start " PRODUCT_DISPLAY_NAME " after Setup is Complete"

#define MSG_CANNOT_CREATE_FOLDER "Cannot create folder."
#define MSG_SETUP_WILL_STOP      "Setup will be stopped."
#define MSG_NO_INSTALL_FOLDER    "Please enter an installation path."
#define BROWSE_TITLE             "Select installation path:"

// Hotkey dialog.
#define HOTKEY_TITLE            "Please enter a new hotkey:"
#define HOTKEY_TEXT \
    "Please enter a new hotkey below. (However, Windows might not support every key combination or the key might already be in use.)"
