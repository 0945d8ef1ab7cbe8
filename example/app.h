// The stand-in application's fixed texts and control ids. Tests read its
// window through these: the title is APP_TITLE_PREFIX + working directory,
// and the value statics hold the exact texts, without labels.
#pragma once

#include "product.h"

#define APP_TITLE_PREFIX     PRODUCT_DISPLAY_NAME " - "
#define APP_LABEL_FOLDER     "Folder:"
#define APP_LABEL_DOCUMENT   "Document:"
#define APP_LABEL_HOTKEY     "Hotkey:"
#define APP_NO_HOTKEY        "none"
#define APP_HOTKEY_TAKEN     " (in use by another program)"

#define IDI_PRODUCT   101
#define IDC_FOLDER    1001  // the working directory
#define IDC_DOCUMENT  1002  // the command line's document, empty when none
#define IDC_HOTKEY    1003  // the registered hotkey as text, or APP_NO_HOTKEY

#define APP_HOTKEY_ID        1
