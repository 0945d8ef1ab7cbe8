// Reading the screen's pixels and saving them as BMP files.
#include "screen.h"

#include <string.h>

std::vector<DWORD> ReadPixels(HDC source, int x, int y, int w, int h)
{
    HDC memory = CreateCompatibleDC(source);
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = w;
    info.bmiHeader.biHeight = -h;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    void *bits = NULL;
    HBITMAP bitmap = CreateDIBSection(memory, &info, DIB_RGB_COLORS, &bits, NULL, 0);
    HGDIOBJ old = SelectObject(memory, bitmap);
    BitBlt(memory, 0, 0, w, h, source, x, y, SRCCOPY);
    GdiFlush();
    std::vector<DWORD> pixels((DWORD *)bits, (DWORD *)bits + w * h);
    SelectObject(memory, old);
    DeleteObject(bitmap);
    DeleteDC(memory);
    return pixels;
}

bool SaveScreenPicture(const RECT &rect, const std::string &path)
{
    int w = rect.right - rect.left, h = rect.bottom - rect.top;
    if (w <= 0 || h <= 0)
        return false;
    HDC screen = GetDC(NULL);
    std::vector<DWORD> pixels = ReadPixels(screen, rect.left, rect.top, w, h);
    ReleaseDC(NULL, screen);
    // BMP rows go bottom up, three bytes a pixel, each row padded to four.
    DWORD stride = ((DWORD)w * 3 + 3) & ~3u;
    std::string bits(stride * (DWORD)h, '\0');
    for (int row = 0; row < h; ++row)
        for (int column = 0; column < w; ++column)
            memcpy(&bits[(h - 1 - row) * stride + column * 3], &pixels[row * w + column], 3);
    BITMAPFILEHEADER file = {};
    BITMAPINFOHEADER info = {};
    file.bfType = 0x4D42;
    file.bfOffBits = sizeof(file) + sizeof(info);
    file.bfSize = file.bfOffBits + (DWORD)bits.size();
    info.biSize = sizeof(info);
    info.biWidth = w;
    info.biHeight = h;
    info.biPlanes = 1;
    info.biBitCount = 24;
    info.biSizeImage = (DWORD)bits.size();
    HANDLE out = CreateFileA(path.c_str(), GENERIC_WRITE, 0, NULL, CREATE_ALWAYS, 0, NULL);
    if (out == INVALID_HANDLE_VALUE)
        return false;
    DWORD written = 0;
    bool ok = WriteFile(out, &file, sizeof(file), &written, NULL) &&
              WriteFile(out, &info, sizeof(info), &written, NULL) &&
              WriteFile(out, bits.data(), (DWORD)bits.size(), &written, NULL);
    CloseHandle(out);
    return ok;
}
