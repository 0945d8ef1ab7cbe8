// Access to the product's settings key (Software\Velkor Software\Chronex)
// under a root the caller chooses, plus a general registry writer and the
// error box that adds the system's description of the last error.
// Every key handle is opened and closed within one call.
#pragma once

#include <windows.h>

#include "message_box.h"

// Reads a string value of the settings key into a buffer of size
// characters. 1 on success, 0 on failure. Each program has its own, in its
// folder: the installer's reports a key that cannot be opened, the
// uninstaller's is quiet.
int QuerySettingString(HKEY root, const char *valueName, char *buffer, size_t size);

// The read behind both: a null buffer is reported; a value that is not a
// string or does not fit is not, and leaves the buffer empty; a key that
// cannot be opened or created leaves it untouched and is reported through
// reportMissingKey (ShowSystemError, say; NULL: not reported), with the
// open's result as the last error. A program that reports nothing this way
// does not carry the reporting code.
typedef void (*MissingKeyReport)(const char *message);
int ReadSettingString(HKEY root, const char *valueName, char *buffer, size_t size,
                      MissingKeyReport reportMissingKey);

// Writes a REG_SZ value of the settings key; reports every failure.
int WriteSettingString(HKEY root, const char *valueName, const char *text);

// Reads a 4-byte value of the settings key; 0xFFFFFFFF when there is none.
DWORD QuerySettingDword(HKEY root, const char *valueName);

// Creates root\subkey and sets one value in it: REG_SZ when text is not
// null, else REG_DWORD with number. A null value name sets the default
// value. Never shows a message.
int WriteRegistryValue(HKEY root, const char *subkey, const char *valueName,
                       const char *text, DWORD number);

// ReadSettingString's reports: a buffer it cannot use, a key it cannot open.
#define MSG_QUERY_SZ_INVALID_BUFFER "Error querying SZ value from registry. Invalid return value."
#define MSG_QUERY_SZ_NO_KEY         "Error querying SZ value from registry. Cannot create key."

// WriteSettingString's reports.
#define MSG_WRITE_SZ_INVALID_VALUE  "Error writing SZ value to registry. Invalid value."
#define MSG_WRITE_SZ_NO_KEY         "Error writing SZ value to registry. Cannot open key."
#define MSG_WRITE_SZ_NO_SET         "Error writing SZ value to registry. Cannot set value."

// QuerySettingDword: its result when there is no value, and its report of
// a key it cannot open.
#define SETTING_NO_VALUE 0xFFFFFFFFu
#define MSG_QUERY_DW_NO_KEY         "Error querying DW value from registry. Cannot open key."

// The one bounded read of a string value: opens root\path (creating it
// when create is set), reads the value into a buffer of size characters,
// always terminated, and closes the key. A value that is not a string or does not
// fit is refused and leaves the buffer empty; a key that cannot be opened
// leaves it untouched. openStatus (may be NULL) receives the open's result.
int ReadRegistryString(HKEY root, const char *path, int create, const char *valueName,
                       char *buffer, size_t size, LONG *openStatus);
