// Copying the distribution into the install folder, in the steps that
// WinMain runs: the files of other Quillstar tools are deleted, uninstall.exe
// is copied, then every other plain file of the source folder, then the
// plain files of its images subfolder. A file that cannot be copied gets a
// box of its own and the copy goes on.
#include <windows.h>
#include <shlobj.h>
#include <winver.h>

#include "file_lists.h"
#include "message_box.h"
#include "paths.h"
#include "product.h"
#include "setup.h"
#include "version.h"

#define LONGER_TAIL_SIZE                                                        \
    (sizeof(MSG_COPY_TAIL_SOURCE) > sizeof(MSG_COPY_TAIL_IMAGES) ? sizeof(MSG_COPY_TAIL_SOURCE) \
                                                                 : sizeof(MSG_COPY_TAIL_IMAGES))
// Four numbers of up to five digits, their dots and the terminator.
#define VERSION_TEXT_CAPACITY 24
// Holds the longest file name a folder entry can have.
#define COPY_MESSAGE_SIZE (sizeof(MSG_COPY_PREFIX) + MAX_PATH + LONGER_TAIL_SIZE)

// The install folder with a trailing backslash; 0 when it does not fit.
static int ComposeDestination(char *folder)
{
    return CopyText(folder, MAX_PATH, g_installFolder) && AppendBackslash(folder, MAX_PATH);
}

int FindSourceFolder(char *folder, size_t cap)
{
    DWORD n = GetModuleFileNameA(NULL, folder, (DWORD)cap);
    if (n == 0 || n >= cap)
        return 0;
    size_t nameStart = FindNameStart(folder, GetACP());
    if (!nameStart)
        return 0;
    folder[nameStart] = '\0';
    return 1;
}

void DeletePreCopyFiles(void)
{
    char folder[MAX_PATH];
    if (!ComposeDestination(folder))
        return;
    for (const char *name = kPreCopyDeletionNames; *name; name = NextListedName(name)) {
        char path[MAX_PATH];
        if (ComposePath(path, sizeof(path), folder, name))
            DeleteFileA(path);
    }
}

// Which files of a folder a pass copies: every other file than
// uninstall.exe, uninstall.exe alone, or all of them.
enum CopyPart { COPY_OTHERS = 0, COPY_UNINSTALLER = 1, COPY_ALL = -1 };

static int IsSkipped(const WIN32_FIND_DATAA *entry, int part)
{
    return IsDotEntry(entry->cFileName) || lstrcmpiA(entry->cFileName, SETUP_EXE_NAME) == 0 ||
           (entry->dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) ||
           (part != COPY_ALL && part != (lstrcmpiA(entry->cFileName, UNINSTALL_EXE_NAME) == 0));
}

// A destination that could not be composed (NULL) fails every copy, so each
// file is still reported.
static int CopyEntry(const char *source, const char *destination, const char *name)
{
    char from[MAX_PATH];
    char to[MAX_PATH];
    if (!destination || !ComposePath(from, sizeof(from), source, name) ||
        !ComposePath(to, sizeof(to), destination, name))
        return 0;
    return CopyFileA(from, to, FALSE) != 0;
}

static void ReportCopyFailure(const char *name, const char *tail)
{
    char text[COPY_MESSAGE_SIZE];
    CopyText(text, sizeof(text), MSG_COPY_PREFIX);
    AppendText(text, sizeof(text), name);
    AppendText(text, sizeof(text), tail);
    ShowMessage(text, MB_ICONERROR);
}

// What a pass did: files copied, files that could not be, bytes of the
// files it takes (measured only, nothing copied, when destination is NULL
// and tail too).
struct PassResult {
    int copied;
    int failed;
    ULONGLONG bytes;
};

// Copies the part of the plain files of source that part names into
// destination, both ending in a backslash.
static PassResult CopyPass(const char *source, const char *destination, const char *tail,
                           int part)
{
    PassResult result = {0, 0, 0};
    char pattern[MAX_PATH];
    if (!ComposePath(pattern, sizeof(pattern), source, FIND_ALL_PATTERN))
        return result;
    WIN32_FIND_DATAA entry;
    HANDLE search = FindFirstFileA(pattern, &entry);
    if (search == INVALID_HANDLE_VALUE)
        return result;
    do {
        if (IsSkipped(&entry, part))
            continue;
        result.bytes += ((ULONGLONG)entry.nFileSizeHigh << 32) | entry.nFileSizeLow;
        if (!tail)
            continue;
        if (CopyEntry(source, destination, entry.cFileName)) {
            ++result.copied;
        } else {
            ++result.failed;
            ReportCopyFailure(entry.cFileName, tail);
        }
    } while (FindNextFileA(search, &entry));
    FindClose(search);
    return result;
}

// Creates the images folder and announces it, also when it already existed.
static int CreateImagesFolder(char *folder)
{
    if (!ComposePath(folder, MAX_PATH, g_installFolder, IMAGES_FOLDER_NAME))
        return 0;
    CreateDirectoryA(folder, NULL);
    SHChangeNotify(SHCNE_MKDIR, SHCNF_PATHA, folder, NULL);
    return AppendBackslash(folder, MAX_PATH);
}

// A missing source (NULL) copies nothing, and each step still does the
// rest of its work.
int CopyUninstaller(const char *source)
{
    char folder[MAX_PATH];
    if (!source)
        return 0;
    return CopyPass(source, ComposeDestination(folder) ? folder : NULL, MSG_COPY_TAIL_SOURCE,
                    COPY_UNINSTALLER)
               .copied > 0;
}

// The source's images subfolder, ending in a backslash.
static int ComposeImagesSource(char *folder, const char *source)
{
    return source && ComposePath(folder, MAX_PATH, source, IMAGES_FOLDER_NAME "\\");
}

int CopyDistribution(const char *source)
{
    char folder[MAX_PATH];
    int failed = 0;
    if (source)
        failed = CopyPass(source, ComposeDestination(folder) ? folder : NULL,
                          MSG_COPY_TAIL_SOURCE, COPY_OTHERS)
                     .failed;

    char images[MAX_PATH];
    int haveImages = CreateImagesFolder(images);
    char imagesSource[MAX_PATH];
    if (ComposeImagesSource(imagesSource, source))
        failed += CopyPass(imagesSource, haveImages ? images : NULL, MSG_COPY_TAIL_IMAGES,
                           COPY_ALL)
                      .failed;
    return failed == 0;
}

DWORD MeasureDistribution(const char *source)
{
    char imagesSource[MAX_PATH];
    if (!source)
        return 0;
    ULONGLONG bytes = CopyPass(source, NULL, NULL, COPY_ALL).bytes;
    if (ComposeImagesSource(imagesSource, source))
        bytes += CopyPass(imagesSource, NULL, NULL, COPY_ALL).bytes;
    return (DWORD)((bytes + 1023) / 1024);
}

// The fixed part of a version block: after the block's three words and
// its key "VS_VERSION_INFO" in UTF-16, on a four-byte boundary.
#define FIXED_INFO_OFFSET 40

void ReadDistributionVersion(const char *source, char *version, size_t cap)
{
    CopyText(version, cap, PRODUCT_VERSION_TEXT);
    char program[MAX_PATH];
    if (!source || !ComposePath(program, sizeof(program), source, PRODUCT_EXE_NAME))
        return;
    // Read as data: nothing of the file runs.
    HMODULE module = LoadLibraryExA(program, NULL, LOAD_LIBRARY_AS_DATAFILE);
    if (!module)
        return;
    HRSRC found = FindResourceA(module, MAKEINTRESOURCEA(VS_VERSION_INFO), RT_VERSION);
    const BYTE *block = found ? (const BYTE *)LockResource(LoadResource(module, found)) : NULL;
    const VS_FIXEDFILEINFO *fixed =
        (const VS_FIXEDFILEINFO *)(block ? block + FIXED_INFO_OFFSET : NULL);
    if (fixed && SizeofResource(module, found) >= FIXED_INFO_OFFSET + sizeof(*fixed) &&
        fixed->dwSignature == VS_FFI_SIGNATURE && cap >= VERSION_TEXT_CAPACITY)
        wsprintfA(version, "%u.%u.%u.%u", HIWORD(fixed->dwProductVersionMS),
                  LOWORD(fixed->dwProductVersionMS), HIWORD(fixed->dwProductVersionLS),
                  LOWORD(fixed->dwProductVersionLS));
    FreeLibrary(module);
}
