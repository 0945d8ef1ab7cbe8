// Pictures of the windows the driver meets, as 24-bit BMP files numbered in
// the order of events, and of the whole screen.
#include "driver.h"

#include <stdio.h>

namespace driver {

ShotFolder g_shots;

// What is on screen inside the rectangle, written as a 24-bit BMP.
bool SaveScreen(const RECT &rect, const std::string &path)
{
    int w = rect.right - rect.left, h = rect.bottom - rect.top;
    if (w <= 0 || h <= 0)
        return false;
    HDC screen = GetDC(NULL);
    HDC memory = CreateCompatibleDC(screen);
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = w;
    info.bmiHeader.biHeight = h;  // bottom-up, as BMP files store it
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 24;
    void *bits = NULL;
    HBITMAP bitmap = CreateDIBSection(memory, &info, DIB_RGB_COLORS, &bits, NULL, 0);
    HGDIOBJ old = SelectObject(memory, bitmap);
    BitBlt(memory, 0, 0, w, h, screen, rect.left, rect.top, SRCCOPY);
    GdiFlush();
    DWORD stride = ((DWORD)w * 3 + 3) & ~3u;
    DWORD size = stride * (DWORD)h;
    BITMAPFILEHEADER file = {};
    file.bfType = 0x4D42;
    file.bfOffBits = sizeof(file) + sizeof(info.bmiHeader);
    file.bfSize = file.bfOffBits + size;
    info.bmiHeader.biSizeImage = size;
    bool ok = false;
    HANDLE out = CreateFileA(path.c_str(), GENERIC_WRITE, 0, NULL, CREATE_ALWAYS, 0, NULL);
    if (out != INVALID_HANDLE_VALUE) {
        DWORD written = 0;
        ok = WriteFile(out, &file, sizeof(file), &written, NULL) &&
             WriteFile(out, &info.bmiHeader, sizeof(info.bmiHeader), &written, NULL) &&
             WriteFile(out, bits, size, &written, NULL);
        CloseHandle(out);
    }
    SelectObject(memory, old);
    DeleteObject(bitmap);
    DeleteDC(memory);
    ReleaseDC(NULL, screen);
    return ok;
}

// Pictures are numbered on from those already in the folder, so that
// several runs of the driver keep the order of events.
int CountShots()
{
    int count = 0;
    WIN32_FIND_DATAA entry;
    HANDLE search = FindFirstFileA((g_shots.folder + "\\*.bmp").c_str(), &entry);
    if (search == INVALID_HANDLE_VALUE)
        return 0;
    do
        ++count;
    while (FindNextFileA(search, &entry));
    FindClose(search);
    return count;
}

// A window as a person sees it; waits briefly so that it is painted.
void Shot(HWND window, const std::string &name)
{
    if (g_shots.folder.empty())
        return;
    SendMessageTimeoutA(window, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 2000, NULL);
    Sleep(300);
    RECT rect;
    if (!GetWindowRect(window, &rect))
        return;
    char file[64];
    snprintf(file, sizeof(file), "%02d-%s%s.bmp", ++g_shots.count, g_shots.label.c_str(),
             name.c_str());
    std::string path = g_shots.folder + "\\" + file;
    if (SaveScreen(rect, path))
        Say("shot", path);
}

}  // namespace driver
