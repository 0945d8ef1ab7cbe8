// A hotkey as a person reads it: "Ctrl+Alt+N", the modifiers in the order
// Windows shows them, then the key's own name from the keyboard layout.
// The application shows it in its window; the driver reports it.
#pragma once

#include <windows.h>

#include <stddef.h>

// hotkey holds a virtual key in its low byte and HOTKEYF_ flags in the
// next; the text is cut to fit text[cap].
void DescribeHotkey(DWORD hotkey, char *text, size_t cap);
