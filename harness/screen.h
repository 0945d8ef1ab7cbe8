// What is on screen: the pixels of an area, read into memory or written to
// a picture file.
//
// Handles: each routine takes the screen's device context and its memory
// bitmap and gives both back before it returns; a caller's DC stays the
// caller's.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

// The pixels of a w x h area of a device context, top row first, as
// 0x00RRGGBB values.
std::vector<DWORD> ReadPixels(HDC source, int x, int y, int w, int h);

// What the screen shows inside rect, written as a 24-bit BMP file; false
// when the area is empty or the file cannot be written.
bool SaveScreenPicture(const RECT &rect, const std::string &path);
