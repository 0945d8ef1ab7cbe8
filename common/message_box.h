// The programs' message boxes: no owner window, the display name as the
// caption. Every box either program shows goes through here.
#pragma once

#include <windows.h>

// Shows text in a box of the given MB_ style; returns the button pressed.
int ShowMessage(const char *text, UINT style);

// Shows message, an empty line and the system's text for GetLastError()
// (or "Error <number>" when the system has none), with the error icon.
void ShowSystemError(const char *message);
