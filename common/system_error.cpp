// The error box with the system's text for the last error. A file of its
// own: only the installer shows one, and the uninstaller does not carry it.
#include "message_box.h"

#include "paths.h"

void ShowSystemError(const char *message)
{
    DWORD error = GetLastError();
    char *description = NULL;
    DWORD n = FormatMessageA(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_IGNORE_INSERTS |
                                 FORMAT_MESSAGE_FROM_SYSTEM,
                             NULL, error, LANG_USER_DEFAULT, (LPSTR)&description, 0, NULL);
    if (n == 0)
        description = NULL;

    // Room for the separator, the terminator, and "Error " with ten digits.
    char number[24];
    wsprintfA(number, "Error %lu", error);
    size_t size = lstrlenA(message) + n + lstrlenA(number) + 8;
    char *text = (char *)LocalAlloc(LMEM_FIXED, size);
    // LocalFree takes NULL as well.
    if (!text) {
        LocalFree(description);
        return;
    }
    CopyText(text, size, message);
    AppendText(text, size, "\r\n\r\n");
    if (description) {
        AppendText(text, size, description);
    } else {
        AppendText(text, size, number);
    }
    ShowMessage(text, MB_OK | MB_ICONERROR | MB_SETFOREGROUND);
    LocalFree(description);
    LocalFree(text);
}
