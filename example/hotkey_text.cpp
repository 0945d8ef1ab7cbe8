// Naming a hotkey's modifiers and key.
#include "hotkey_text.h"

#include <commctrl.h>

#include "paths.h"

void DescribeHotkey(DWORD hotkey, char *text, size_t cap)
{
    BYTE flags = HIBYTE(LOWORD(hotkey));
    BYTE key = LOBYTE(LOWORD(hotkey));
    text[0] = '\0';
    if (flags & HOTKEYF_CONTROL)
        AppendText(text, cap, "Ctrl+");
    if (flags & HOTKEYF_SHIFT)
        AppendText(text, cap, "Shift+");
    if (flags & HOTKEYF_ALT)
        AppendText(text, cap, "Alt+");
    char name[64] = "";
    LONG scan = (LONG)(MapVirtualKeyA(key, 0) << 16);
    if (flags & HOTKEYF_EXT)
        scan |= 1L << 24;
    if (!GetKeyNameTextA(scan, name, sizeof(name)))
        wsprintfA(name, "0x%02X", key);
    AppendText(text, cap, name);
}
