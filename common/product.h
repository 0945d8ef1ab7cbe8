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
// The search pattern for every entry of a folder.
#define FIND_ALL_PATTERN       "*.*"

#define COMPANY_KEY_PATH       "Software\\Velkor Software"
#define SETTINGS_KEY_NAME      "Chronex"
#define SETTINGS_KEY_PATH      COMPANY_KEY_PATH "\\" SETTINGS_KEY_NAME
#define SOFTWARE_KEY_PATH      "Software"
#define COMPANY_KEY_NAME       "Velkor Software"

#define VALUE_INSTALL_PATH     "InstallPath"
#define VALUE_HOTKEY           "HotKey"
// The application's hotkey when HotKey holds none: Ctrl+Alt+N, in the
// hotkey control's 16-bit form (modifiers in the high byte).
#define HOTKEY_DEFAULT         0x064E

#define CURRENT_VERSION_KEY_PATH "Software\\Microsoft\\Windows\\CurrentVersion"
#define VALUE_PROGRAM_FILES_DIR  "ProgramFilesDir"
#define DEFAULT_PROGRAM_FILES    "C:\\Program Files\\"

#define UNINSTALL_KEY_PATH     CURRENT_VERSION_KEY_PATH "\\Uninstall"
#define UNINSTALL_ENTRY_NAME   PRODUCT_WINDOW_CLASS
#define VALUE_DISPLAY_NAME     "DisplayName"
#define VALUE_UNINSTALL_STRING "UninstallString"
#define VALUE_QUIET_UNINSTALL  "QuietUninstallString"
#define VALUE_DISPLAY_VERSION  "DisplayVersion"
#define VALUE_PUBLISHER        "Publisher"
#define VALUE_DISPLAY_ICON     "DisplayIcon"
#define VALUE_INSTALL_LOCATION "InstallLocation"
#define VALUE_ESTIMATED_SIZE   "EstimatedSize"
#define VALUE_INSTALL_DATE     "InstallDate"
#define VALUE_NO_MODIFY        "NoModify"
#define VALUE_NO_REPAIR        "NoRepair"
#define PUBLISHER_NAME         COMPANY_KEY_NAME
// What the uninstall command gets for a run without a window.
#define QUIET_UNINSTALL_ARGUMENT " /S"

#define APP_PATHS_KEY_PATH     CURRENT_VERSION_KEY_PATH "\\App Paths"
#define SHELL_FOLDERS_KEY_PATH CURRENT_VERSION_KEY_PATH "\\Explorer\\Shell Folders"

#define SHORTCUT_EXTENSION     ".lnk"
#define SHORTCUT_98_SUFFIX     " 98.lnk"

// The uninstaller's switch for its second phase.
#define REMOVAL_PHASE_SWITCH   "/internally"

// The name every running setup and uninstaller of the product holds.
#define PRODUCT_RUN_MARK       "Global\\VelkorChronexSetup"

// The exit codes of unattended runs, as deployment tools read them.
#define EXIT_DONE              0     // installed, or removed
#define EXIT_BAD_ARGUMENT      87    // ERROR_INVALID_PARAMETER
#define EXIT_FAILED            1603  // ERROR_INSTALL_FAILURE
#define EXIT_NOT_INSTALLED     1605  // ERROR_UNKNOWN_PRODUCT
#define EXIT_ALREADY_RUNNING   1618  // ERROR_INSTALL_ALREADY_RUNNING
#define EXIT_RESTART_NEEDED    3010  // ERROR_SUCCESS_REBOOT_REQUIRED
// An interactive setup after Cancel, and every other interactive run.
#define EXIT_CANCELLED         0
#define EXIT_INTERACTIVE       1

// The settings document type that the installer registers (left in place by
// the uninstaller). Key paths are relative to HKEY_CLASSES_ROOT.
#define DOCUMENT_EXTENSION       ".qsx"
#define DOCUMENT_TYPE_NAME       "VelkorSettings"
#define DOCUMENT_TYPE_TEXT       "Quillstar Settings"
#define DOCUMENT_ICON_KEY        DOCUMENT_TYPE_NAME "\\DefaultIcon"
#define DOCUMENT_ICON_FILE       "Settings.ico"
#define DOCUMENT_SHELL_KEY       DOCUMENT_TYPE_NAME "\\Shell"
#define DOCUMENT_DEFAULT_VERB    "open"
#define DOCUMENT_OPEN_KEY        DOCUMENT_SHELL_KEY "\\open"
#define DOCUMENT_OPEN_TEXT       "&Restore Settings"
#define DOCUMENT_OPEN_COMMAND_KEY DOCUMENT_OPEN_KEY "\\command"
#define DOCUMENT_ARGUMENT        " %1"
#define DOCUMENT_EDIT_KEY        DOCUMENT_SHELL_KEY "\\edit"
#define DOCUMENT_EDIT_TEXT       "&Edit"
#define DOCUMENT_EDIT_COMMAND_KEY DOCUMENT_EDIT_KEY "\\command"
#define DOCUMENT_EDIT_COMMAND    "NOTEPAD.EXE %1"

#define UNINSTALL_ENTRY_PATH     UNINSTALL_KEY_PATH "\\" UNINSTALL_ENTRY_NAME

// The installer's per-file copy failures: prefix, file name, then the tail
// of the pass (source folder or its images subfolder).
#define MSG_COPY_PREFIX          "Cannot copy '"
#define MSG_COPY_TAIL_SOURCE     "' because the file is in use.\r\n\r\nPlease restart your computer, then run setup again."
#define MSG_COPY_TAIL_IMAGES     "'.\r\n\r\nIf the file is in use, please close it and then run setup again."
#define MSG_INSTALLED_SUCCESS    PRODUCT_DISPLAY_NAME " has been installed successfully."

// The Start-menu shortcut: the "Shell Folders" value that names its folder.
#define SHELL_FOLDER_START_MENU  "Start Menu"
