// Long paths through the wide API.
#include "long_paths.h"

#include <windows.h>

std::wstring LongPathW(const std::string &path)
{
    std::wstring wide = L"\\\\?\\";
    for (char c : path)
        wide += (wchar_t)(unsigned char)c;
    return wide;
}

std::string NarrowText(const wchar_t *text)
{
    std::string narrow;
    for (; *text; ++text)
        narrow += (char)*text;
    return narrow;
}

bool WriteLongPathFile(const std::string &path, const std::string &text)
{
    HANDLE file = CreateFileW(LongPathW(path).c_str(), GENERIC_WRITE, 0, NULL, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, NULL);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    DWORD written = 0;
    WriteFile(file, text.data(), (DWORD)text.size(), &written, NULL);
    CloseHandle(file);
    return written == text.size();
}

bool DeleteLongPathFile(const std::string &path)
{
    return DeleteFileW(LongPathW(path).c_str()) != 0;
}

std::string PathOfLength(const std::string &base, size_t length)
{
    std::string path = base;
    while (path.size() < length) {
        size_t room = length - path.size() - 1;  // after the backslash
        if (room == 0) {
            path += "x";  // cannot end in a lone backslash
            break;
        }
        size_t level = room > 200 ? 200 : room;
        if (room > 200 && room - 200 < 2)
            level = room - 2;  // leave room for a backslash and one letter
        path += "\\" + std::string(level, (char)('a' + path.size() % 26));
    }
    return path;
}

void RemoveLongTree(const std::string &path)
{
    WIN32_FIND_DATAW entry;
    HANDLE search = FindFirstFileW((LongPathW(path) + L"\\*").c_str(), &entry);
    if (search != INVALID_HANDLE_VALUE) {
        do {
            std::string name = NarrowText(entry.cFileName);
            if (name == "." || name == "..")
                continue;
            std::string child = path + "\\" + name;
            SetFileAttributesW(LongPathW(child).c_str(), FILE_ATTRIBUTE_NORMAL);
            if ((entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) &&
                !(entry.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT))
                RemoveLongTree(child);
            else if (!DeleteFileW(LongPathW(child).c_str()))
                RemoveDirectoryW(LongPathW(child).c_str());
        } while (FindNextFileW(search, &entry));
        FindClose(search);
    }
    RemoveDirectoryW(LongPathW(path).c_str());
}
