// The programs' message boxes: no owner window, the display name as the
// caption. Every box either program shows goes through here.
#pragma once

#include <windows.h>

// Shows text in a box of the given MB_ style; returns the button pressed.
// The text also goes to the run's log. In an unattended run no box is
// shown: the text goes to the log alone, the run counts as failed, and the
// answer is IDOK (no unattended run asks a question).
int ShowMessage(const char *text, UINT style);

// From now on no box is shown (see ShowMessage), the system's error boxes
// for this process included.
void ShowNoMessages(void);

// 1 when an unattended run has had a box to show.
int MessageWithheld(void);

// Shows message, an empty line and the system's text for GetLastError()
// (or "Error <number>" when the system has none), with the error icon.
void ShowSystemError(const char *message);
