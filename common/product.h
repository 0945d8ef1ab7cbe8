// The fixed texts of the product: names, registry locations, window class.
// Both programs and their tests take every such string from here, never from
// a literal of their own.
#pragma once

#define PRODUCT_DISPLAY_NAME   "Velkor Chronex"
#define PRODUCT_WINDOW_CLASS   "VelkorChronex"
#define PRODUCT_EXE_NAME       "Chronex.exe"
#define UNINSTALL_EXE_NAME     "uninstall.exe"
#define SETUP_EXE_NAME         "setup.exe"
#define IMAGES_FOLDER_NAME     "images"

#define COMPANY_KEY_PATH       "Software\\Velkor Software"
#define SETTINGS_KEY_NAME      "Chronex"
#define SETTINGS_KEY_PATH      COMPANY_KEY_PATH "\\" SETTINGS_KEY_NAME
#define SOFTWARE_KEY_PATH      "Software"
#define COMPANY_KEY_NAME       "Velkor Software"

#define VALUE_INSTALL_PATH     "InstallPath"
#define VALUE_HOTKEY           "HotKey"

#define CURRENT_VERSION_KEY_PATH "Software\\Microsoft\\Windows\\CurrentVersion"
#define VALUE_PROGRAM_FILES_DIR  "ProgramFilesDir"
#define DEFAULT_PROGRAM_FILES    "C:\\Program Files\\"

#define UNINSTALL_KEY_PATH     CURRENT_VERSION_KEY_PATH "\\Uninstall"
#define UNINSTALL_ENTRY_NAME   PRODUCT_WINDOW_CLASS
#define VALUE_DISPLAY_NAME     "DisplayName"
#define VALUE_UNINSTALL_STRING "UninstallString"

#define APP_PATHS_KEY_PATH     CURRENT_VERSION_KEY_PATH "\\App Paths"
#define SHELL_FOLDERS_KEY_PATH CURRENT_VERSION_KEY_PATH "\\Explorer\\Shell Folders"

#define SHORTCUT_EXTENSION     ".lnk"
#define SHORTCUT_98_SUFFIX     " 98.lnk"

// The uninstaller's switch for its second phase.
#define REMOVAL_PHASE_SWITCH   "/internally"
