// Names of files that the programs create in folders the user's other
// programs can write to, checked and cleared without following links.
#include "file_names.h"

#include "paths.h"

#define KEPT_ATTRIBUTES (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM)
#define COMPARE_CHUNK   1024
// A final path begins with \\?\ and may be longer than the path opened.
#define FINAL_PATH_CAPACITY (MAX_PATH + 8)
#define FINAL_PATH_SLACK    64

typedef DWORD(WINAPI *FinalPathProc)(HANDLE, LPSTR, DWORD, DWORD);

// The path that an open file or folder has once every link is followed;
// 0 when it cannot be told or does not fit.
static int ReadFinalPath(const char *path, char *finalPath)
{
    FinalPathProc readFinal = (FinalPathProc)(void *)GetProcAddress(
        GetModuleHandleA("kernel32.dll"), "GetFinalPathNameByHandleA");
    HANDLE handle = CreateFileA(path, 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                NULL, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, NULL);
    if (handle == INVALID_HANDLE_VALUE)
        return 0;
    DWORD length = readFinal ? readFinal(handle, finalPath, FINAL_PATH_CAPACITY, 0) : 0;
    CloseHandle(handle);
    return length > 0 && length < FINAL_PATH_CAPACITY;
}

// 1 when opening the name reaches a file other than its folder's entry of
// that name: a link that the system follows without showing it as one
// (Wine shows a link to a file as the file itself, and deletes the file
// it points to in its place).
static int LeadsElsewhere(const char *path)
{
    char folder[MAX_PATH];
    if (!CopyText(folder, sizeof(folder), path))
        return 1;
    char *name = folder + FindNameStart(folder, GetACP());
    if (name == folder)
        return 0;
    name[-1] = '\0';
    // Wine's GetFinalPathNameByHandleA writes past the length it is given
    // (it overwrote a saved register here): room beyond it takes that.
    char fileFinal[FINAL_PATH_CAPACITY + FINAL_PATH_SLACK];
    char folderFinal[FINAL_PATH_CAPACITY + FINAL_PATH_SLACK];
    if (!ReadFinalPath(path, fileFinal) || !ReadFinalPath(folder, folderFinal))
        return 0;
    return !AppendPathName(folderFinal, sizeof(folderFinal), name) ||
           lstrcmpiA(folderFinal, fileFinal) != 0;
}

int NameIsLink(const char *path)
{
    DWORD attributes = GetFileAttributesA(path);
    return attributes != INVALID_FILE_ATTRIBUTES &&
           ((attributes & FILE_ATTRIBUTE_REPARSE_POINT) || LeadsElsewhere(path));
}

int FreeFileName(const char *path)
{
    DWORD attributes = GetFileAttributesA(path);
    if (attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_REPARSE_POINT)) {
        if (LeadsElsewhere(path))
            return 0;
        if (attributes & KEPT_ATTRIBUTES)
            SetFileAttributesA(path, FILE_ATTRIBUTE_NORMAL);
    }
    // A name that is itself a link goes as a link.
    DeleteFileA(path);
    if (GetFileAttributesA(path) != INVALID_FILE_ATTRIBUTES)
        return 0;
    DWORD error = GetLastError();
    return error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND;
}

int PathCrossesLink(const char *folder)
{
    char path[MAX_PATH];
    if (!CopyText(path, sizeof(path), folder))
        return 1;
    // Every folder from the first below the root on: "C:\a", "C:\a\b", ...
    for (char *c = path;; c = CharNextA(c)) {
        if (c - path >= 3 && (*c == '\\' || !*c)) {
            char end = *c;
            *c = '\0';
            DWORD attributes = GetFileAttributesA(path);
            *c = end;
            if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_REPARSE_POINT))
                return 1;
        }
        if (!*c)
            return 0;
    }
}

HANDLE OpenFileLocked(const char *path)
{
    return CreateFileA(path, GENERIC_READ, FILE_SHARE_READ, NULL, OPEN_EXISTING,
                       FILE_ATTRIBUTE_NORMAL, NULL);
}

int SameFileBytes(HANDLE first, HANDLE second)
{
    DWORD size = GetFileSize(first, NULL);
    if (size == INVALID_FILE_SIZE || size != GetFileSize(second, NULL) ||
        SetFilePointer(first, 0, NULL, FILE_BEGIN) != 0 ||
        SetFilePointer(second, 0, NULL, FILE_BEGIN) != 0)
        return 0;
    BYTE one[COMPARE_CHUNK], other[COMPARE_CHUNK];
    for (DWORD done = 0; done < size;) {
        DWORD wanted = size - done < COMPARE_CHUNK ? size - done : COMPARE_CHUNK;
        DWORD readOne = 0, readOther = 0;
        if (!ReadFile(first, one, wanted, &readOne, NULL) || readOne != wanted ||
            !ReadFile(second, other, wanted, &readOther, NULL) || readOther != wanted)
            return 0;
        for (DWORD i = 0; i < wanted; ++i)
            if (one[i] != other[i])
                return 0;
        done += wanted;
    }
    return 1;
}
