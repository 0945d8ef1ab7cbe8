// Converting paths between code pages without losing the file they name.
#include "path_code_pages.h"

int WideToCodePage(UINT codePage, const WCHAR *wide, char *text, size_t cap)
{
    BOOL usedDefault = FALSE;
    int length = WideCharToMultiByte(codePage, WC_NO_BEST_FIT_CHARS, wide, -1, text, (int)cap,
                                     NULL, &usedDefault);
    // UTF-8, which holds every character, takes neither the flag nor the
    // question (a system set to use it as its ANSI code page).
    if (!length && GetLastError() != ERROR_INSUFFICIENT_BUFFER)
        length = WideCharToMultiByte(codePage, 0, wide, -1, text, (int)cap, NULL, NULL);
    if (length > 0 && !usedDefault)
        return 1;
    if (cap > 0)
        text[0] = '\0';
    return 0;
}

// One copy: the compiler would otherwise put part of it into each caller.
__attribute__((noinline)) int PathInCodePage(UINT codePage, const WCHAR *path, char *text, size_t cap)
{
    if (WideToCodePage(codePage, path, text, cap))
        return 1;
    WCHAR shortPath[MAX_PATH];
    DWORD length = GetShortPathNameW(path, shortPath, MAX_PATH);
    return length > 0 && length < MAX_PATH && WideToCodePage(codePage, shortPath, text, cap);
}

int AnsiPathInCodePage(UINT codePage, const char *path, char *text, size_t cap)
{
    WCHAR wide[MAX_PATH];
    if (!MultiByteToWideChar(CP_ACP, MB_ERR_INVALID_CHARS, path, -1, wide, MAX_PATH)) {
        if (cap > 0)
            text[0] = '\0';
        return 0;
    }
    return PathInCodePage(codePage, wide, text, cap);
}
