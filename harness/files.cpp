// File helpers for tests.
#include "files.h"

#include <algorithm>

void WriteFileText(const std::string &path, const std::string &text)
{
    HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, NULL, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, NULL);
    if (file == INVALID_HANDLE_VALUE)
        return;
    DWORD written = 0;
    WriteFile(file, text.data(), (DWORD)text.size(), &written, NULL);
    CloseHandle(file);
}

std::string ReadFileText(const std::string &path)
{
    std::string text;
    HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                              NULL, OPEN_EXISTING, 0, NULL);
    if (file == INVALID_HANDLE_VALUE)
        return text;
    char buffer[4096];
    DWORD got = 0;
    while (ReadFile(file, buffer, sizeof(buffer), &got, NULL) && got)
        text.append(buffer, got);
    CloseHandle(file);
    return text;
}

bool FileExists(const std::string &path)
{
    DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool FolderExists(const std::string &path)
{
    DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool PathExists(const std::string &path)
{
    return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

void MakeFolders(const std::string &path)
{
    for (size_t i = 3; i <= path.size(); ++i)
        if (i == path.size() || path[i] == '\\')
            CreateDirectoryA(path.substr(0, i).c_str(), NULL);
}

void RemoveTree(const std::string &path)
{
    WIN32_FIND_DATAA entry;
    HANDLE search = FindFirstFileA((path + "\\*").c_str(), &entry);
    if (search != INVALID_HANDLE_VALUE) {
        do {
            std::string name = entry.cFileName;
            if (name == "." || name == "..")
                continue;
            std::string child = path + "\\" + name;
            SetFileAttributesA(child.c_str(), FILE_ATTRIBUTE_NORMAL);
            if ((entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) &&
                !(entry.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT))
                RemoveTree(child);
            else if (!DeleteFileA(child.c_str()))
                RemoveDirectoryA(child.c_str());
        } while (FindNextFileA(search, &entry));
        FindClose(search);
    }
    RemoveDirectoryA(path.c_str());
}

namespace {

// The Unix path of a Windows path; empty when not under Wine.
std::string UnixPath(const std::string &path)
{
    typedef char *(CDECL * UnixName)(LPCWSTR);
    UnixName unixName = (UnixName)(void *)GetProcAddress(GetModuleHandleA("kernel32.dll"),
                                                         "wine_get_unix_file_name");
    if (!unixName)
        return "";
    std::wstring wide(path.begin(), path.end());
    char *name = unixName(wide.c_str());
    std::string result = name ? name : "";
    HeapFree(GetProcessHeap(), 0, name);
    return result;
}

// Starts a Unix command; Wine does not let a Windows program wait for it.
bool StartUnixCommand(const std::string &commandLine)
{
    STARTUPINFOA startup = {};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION info = {};
    std::string line = commandLine;
    if (!CreateProcessA(NULL, &line[0], NULL, NULL, FALSE, 0, NULL, NULL, &startup, &info))
        return false;
    CloseHandle(info.hThread);
    CloseHandle(info.hProcess);
    return true;
}

// The attributes that Windows shows for the new link; INVALID when it
// could not be made.
DWORD MakeUnixLink(const std::string &link, const std::string &target)
{
    std::string unixTarget = UnixPath(target);
    std::string unixLink = UnixPath(link);
    if (unixTarget.empty() || unixLink.empty() ||
        !StartUnixCommand("/bin/ln -s \"" + unixTarget + "\" \"" + unixLink + "\""))
        return INVALID_FILE_ATTRIBUTES;
    DWORD attributes = INVALID_FILE_ATTRIBUTES;
    for (int i = 0; i < 250 && attributes == INVALID_FILE_ATTRIBUTES; ++i) {
        Sleep(20);
        attributes = GetFileAttributesA(link.c_str());
    }
    return attributes;
}

}  // namespace

bool MakeFolderLink(const std::string &link, const std::string &target)
{
    DWORD attributes = MakeUnixLink(link, target);
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_REPARSE_POINT);
}

bool MakeFileLink(const std::string &link, const std::string &target)
{
    return MakeUnixLink(link, target) != INVALID_FILE_ATTRIBUTES;
}

void RemoveTreeWithLinks(const std::string &root)
{
    if (GetFileAttributesA(root.c_str()) == INVALID_FILE_ATTRIBUTES)
        return;
    std::string unixRoot = UnixPath(root);
    if (unixRoot.empty() || !StartUnixCommand("/bin/rm -rf \"" + unixRoot + "\"")) {
        RemoveTree(root);
        return;
    }
    for (int i = 0; i < 250 && GetFileAttributesA(root.c_str()) != INVALID_FILE_ATTRIBUTES; ++i)
        Sleep(20);
}

std::string MakeScratchFolder(const std::string &name)
{
    CreateDirectoryA("C:\\tests", NULL);
    std::string path = "C:\\tests\\" + name;
    RemoveTree(path);
    MakeFolders(path);
    return path;
}

std::string FolderOf(const std::string &path)
{
    size_t cut = path.rfind('\\');
    return cut == std::string::npos ? std::string() : path.substr(0, cut);
}

std::vector<std::string> ListFolder(const std::string &path)
{
    std::vector<std::string> names;
    WIN32_FIND_DATAA entry;
    HANDLE search = FindFirstFileA((path + "\\*").c_str(), &entry);
    if (search == INVALID_HANDLE_VALUE)
        return names;
    do {
        std::string name = entry.cFileName;
        if (name != "." && name != "..")
            names.push_back(name);
    } while (FindNextFileA(search, &entry));
    FindClose(search);
    std::sort(names.begin(), names.end());
    return names;
}

FileLock::FileLock(const std::string &path)
{
    handle_ = CreateFileA(path.c_str(), GENERIC_READ, 0, NULL, OPEN_EXISTING, 0, NULL);
}

FileLock::~FileLock()
{
    if (handle_ != INVALID_HANDLE_VALUE)
        CloseHandle(handle_);
}
