// Copying the distribution into the install folder: first the files of other
// Quillstar tools are deleted, then uninstall.exe is copied and entered in
// the list of installed software, then every other plain file of the folder
// setup runs from, then the plain files of its images subfolder. A file that
// cannot be copied gets a box of its own and the copy goes on.
#include <windows.h>
#include <shlobj.h>

#include "file_lists.h"
#include "message_box.h"
#include "paths.h"
#include "product.h"
#include "setup.h"

#define LONGER_TAIL_SIZE                                                        \
    (sizeof(MSG_COPY_TAIL_SOURCE) > sizeof(MSG_COPY_TAIL_IMAGES) ? sizeof(MSG_COPY_TAIL_SOURCE) \
                                                                 : sizeof(MSG_COPY_TAIL_IMAGES))
// Holds the longest file name a folder entry can have.
#define COPY_MESSAGE_SIZE (sizeof(MSG_COPY_PREFIX) + MAX_PATH + LONGER_TAIL_SIZE)

// The install folder with a trailing backslash; 0 when it does not fit.
static int ComposeDestination(char *folder)
{
    return CopyText(folder, MAX_PATH, g_installFolder) && AppendBackslash(folder, MAX_PATH);
}

// The folder of the running program, ending in its backslash.
static int GetSourceFolder(char *folder)
{
    DWORD n = GetModuleFileNameA(NULL, folder, MAX_PATH);
    if (n == 0 || n >= MAX_PATH)
        return 0;
    char *end = NULL;
    for (char *c = folder; *c; ++c)
        if (*c == '\\')
            end = c + 1;
    if (!end)
        return 0;
    *end = '\0';
    return 1;
}

// folder: the install folder with its backslash (NULL: it did not fit).
static void DeletePreCopyFiles(const char *folder)
{
    if (!folder)
        return;
    for (size_t i = 0; i < kPreCopyDeletionCount; ++i) {
        char path[MAX_PATH];
        if (ComposePath(path, sizeof(path), folder, kPreCopyDeletionList[i]))
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

// Copies the part of the plain files of source that part names into
// destination, both ending in a backslash; the number of files copied.
static int CopyPass(const char *source, const char *destination, const char *tail, int part)
{
    int copied = 0;
    char pattern[MAX_PATH];
    if (!ComposePath(pattern, sizeof(pattern), source, FIND_ALL_PATTERN))
        return 0;
    WIN32_FIND_DATAA entry;
    HANDLE search = FindFirstFileA(pattern, &entry);
    if (search == INVALID_HANDLE_VALUE)
        return 0;
    do {
        if (IsSkipped(&entry, part))
            continue;
        if (CopyEntry(source, destination, entry.cFileName))
            ++copied;
        else
            ReportCopyFailure(entry.cFileName, tail);
    } while (FindNextFileA(search, &entry));
    FindClose(search);
    return copied;
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

void DeployFiles(void)
{
    char folder[MAX_PATH];
    const char *destination = ComposeDestination(folder) ? folder : NULL;
    DeletePreCopyFiles(destination);

    char source[MAX_PATH];
    int haveSource = GetSourceFolder(source);
    // uninstall.exe comes first, and the entry in the list of installed
    // software once it is copied: the list never names a missing
    // uninstaller, and from then on an installation ended halfway can be
    // removed.
    if (haveSource) {
        if (CopyPass(source, destination, MSG_COPY_TAIL_SOURCE, COPY_UNINSTALLER))
            WriteUninstallEntry();
        CopyPass(source, destination, MSG_COPY_TAIL_SOURCE, COPY_OTHERS);
    }

    char images[MAX_PATH];
    int haveImages = CreateImagesFolder(images);
    if (haveSource && AppendText(source, sizeof(source), IMAGES_FOLDER_NAME "\\"))
        CopyPass(source, haveImages ? images : NULL, MSG_COPY_TAIL_IMAGES, COPY_ALL);
}
