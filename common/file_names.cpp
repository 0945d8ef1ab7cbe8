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
// SetFileInformationByHandle, whose deletion classes the XP headers this
// builds with do not have: FileDispositionInfoEx (21) with POSIX
// semantics, so that the name goes at once even while another program
// holds the file open (Windows 10 1809 on, as DeleteFileA does there), and
// else FileDispositionInfo (4).
typedef BOOL(WINAPI *FileInfoProc)(HANDLE, int, LPVOID, DWORD);
#define FILE_BASIC_CLASS          0
#define FILE_DISPOSITION_CLASS    4
#define FILE_DISPOSITION_EX_CLASS 21
// Delete, POSIX semantics, read-only or not.
#define DISPOSITION_FLAGS         0x13
#define ALL_SHARING               (FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE)

// FILE_BASIC_INFO, its four times 0 (left as they are). The system wants
// it at an 8-byte boundary, which its LARGE_INTEGERs give it.
struct BasicInfo {
    LARGE_INTEGER times[4];
    DWORD attributes;
};
static const BasicInfo kNormalFile = {{}, FILE_ATTRIBUTE_NORMAL};

// Both exist from Vista on; without them nothing can be told, and a name
// is deleted by itself.
static FARPROC KernelProc(const char *name)
{
    return GetProcAddress(GetModuleHandleA("kernel32.dll"), name);
}

static HANDLE OpenName(const char *path, DWORD access, DWORD flags, DWORD share)
{
    return CreateFileA(path, access, share, NULL, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS | flags,
                       NULL);
}

// The path that an open file or folder has once every link is followed,
// "\\?\" and the path; its length, or 0 when it cannot be told or does
// not fit.
static DWORD ReadFinalPath(HANDLE handle, char *finalPath)
{
    FinalPathProc readFinal = (FinalPathProc)(void *)KernelProc("GetFinalPathNameByHandleA");
    DWORD length = readFinal ? readFinal(handle, finalPath, FINAL_PATH_CAPACITY, 0) : 0;
    return length < FINAL_PATH_CAPACITY ? length : 0;
}

// 0 only when the open file is known to be its folder's entry of the name
// at path: its final path is the path itself, or its folder's final path
// and the name. Anything that cannot be told counts as leading elsewhere:
// a folder on the way may be a link into what cannot be opened as a
// folder, to a file that is not ours. Wine shows a link to a file as the
// file itself, and deletes the file it points to in its place.
static int LeadsElsewhere(const char *path, HANDLE file)
{
    // Wine's GetFinalPathNameByHandleA writes past the length it is given
    // (it overwrote a saved register here): room beyond it takes that.
    char fileFinal[FINAL_PATH_CAPACITY + FINAL_PATH_SLACK];
    char folderFinal[FINAL_PATH_CAPACITY + FINAL_PATH_SLACK];
    DWORD length = ReadFinalPath(file, fileFinal);
    if (length > 4 && lstrcmpiA(fileFinal + 4, path) == 0)
        return 0;
    char folder[MAX_PATH];
    if (!length || !CopyText(folder, sizeof(folder), path))
        return 1;
    char *name = folder + FindNameStart(folder, GetACP());
    if (name == folder)
        return 1;
    name[-1] = '\0';
    HANDLE opened = OpenName(folder, 0, 0, ALL_SHARING);
    if (opened == INVALID_HANDLE_VALUE)
        return 1;
    int read = ReadFinalPath(opened, folderFinal);
    CloseHandle(opened);
    return !read || !AppendPathName(folderFinal, sizeof(folderFinal), name) ||
           lstrcmpiA(folderFinal, fileFinal) != 0;
}

int NameIsLink(const char *path)
{
    DWORD attributes = GetFileAttributesA(path);
    if (attributes == INVALID_FILE_ATTRIBUTES)
        return 0;
    if (attributes & FILE_ATTRIBUTE_REPARSE_POINT)
        return 1;
    HANDLE file = OpenName(path, 0, 0, ALL_SHARING);
    if (file == INVALID_HANDLE_VALUE)
        return 1;
    int elsewhere = LeadsElsewhere(path, file);
    CloseHandle(file);
    return elsewhere;
}

int FreeFileName(const char *path)
{
    DWORD attributes = GetFileAttributesA(path);
    FileInfoProc setInfo = (FileInfoProc)(void *)KernelProc("SetFileInformationByHandle");
    // No file, a link, or a folder (which is not freed here) goes by name.
    int plainFile = attributes != INVALID_FILE_ATTRIBUTES &&
                    !(attributes & (FILE_ATTRIBUTE_REPARSE_POINT | FILE_ATTRIBUTE_DIRECTORY));
    if (plainFile && setInfo) {
        // The file looked at is the one deleted: one handle for both. A
        // name made a link since its attributes were read is opened as the
        // link, and the link goes. Opened with no sharing, the file is held
        // by no other handle that reads, writes or deletes it, and its name
        // goes when this handle is closed. (A handle that only reads its
        // attributes takes no part in sharing; where there is no POSIX
        // deletion, such a handle keeps the name until it is closed, which
        // is not looked for.)
        DWORD access = DELETE | FILE_WRITE_ATTRIBUTES;
        HANDLE file = OpenName(path, access, FILE_FLAG_OPEN_REPARSE_POINT, 0);
        int alone = file != INVALID_HANDLE_VALUE;
        if (!alone)
            file = OpenName(path, access, FILE_FLAG_OPEN_REPARSE_POINT, ALL_SHARING);
        if (file != INVALID_HANDLE_VALUE) {
            int elsewhere = LeadsElsewhere(path, file);
            int deleted = 0;
            if (!elsewhere) {
                if (attributes & KEPT_ATTRIBUTES)
                    setInfo(file, FILE_BASIC_CLASS, (void *)&kNormalFile, sizeof(kNormalFile));
                DWORD flags = DISPOSITION_FLAGS;
                BOOLEAN legacy = TRUE;
                deleted = setInfo(file, FILE_DISPOSITION_EX_CLASS, &flags, sizeof(flags)) ||
                          setInfo(file, FILE_DISPOSITION_CLASS, &legacy, sizeof(legacy));
            }
            CloseHandle(file);
            if (elsewhere)
                return 0;
            if (deleted && alone)
                return 1;
        }
    } else {
        // A name that is itself a link goes as a link. Before Vista nothing
        // can be told about links that do not show as links.
        if (plainFile && (attributes & KEPT_ATTRIBUTES))
            SetFileAttributesA(path, FILE_ATTRIBUTE_NORMAL);
        DeleteFileA(path);
    }
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
