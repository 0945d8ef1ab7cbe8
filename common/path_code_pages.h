// A path in the code page a reader of it uses: the ANSI one of the ...A
// calls, or the OEM one in which the command interpreter reads a batch
// file. A character that has no form there is never replaced by a look-alike
// (best fit) or by "?", which would name another file or none: the path's
// short (8.3) form, which every code page can hold, is taken instead.
#pragma once

#include <windows.h>

#include <stddef.h>

// text = wide in codePage (CP_ACP, CP_OEMCP), exactly; 0 when a character
// has no form there or the result does not fit in cap bytes.
int WideToCodePage(UINT codePage, const WCHAR *wide, char *text, size_t cap);

// text = path in codePage, exactly, or else its short form; 0 when neither
// can be had (the short form needs a path that exists).
int PathInCodePage(UINT codePage, const WCHAR *path, char *text, size_t cap);

// The same for a path given in the ANSI code page.
int AnsiPathInCodePage(UINT codePage, const char *path, char *text, size_t cap);
