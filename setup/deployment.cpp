// Copying the distribution into the install folder: first the files of other
// Quillstar tools are deleted, then every plain file of the folder setup runs
// from, then the plain files of its images subfolder. A file that cannot be
// copied gets a box of its own and the copy goes on.
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

static void DeletePreCopyFiles(void)
{
    char folder[MAX_PATH];
    if (!ComposeDestination(folder))
        return;
    for (size_t i = 0; i < kPreCopyDeletionCount; ++i) {
        char path[MAX_PATH];
        if (CopyText(path, sizeof(path), folder) &&
            AppendText(path, sizeof(path), kPreCopyDeletionList[i]))
            DeleteFileA(path);
    }
}

static int IsSkipped(const WIN32_FIND_DATAA *entry)
{
    return IsDotEntry(entry->cFileName) || lstrcmpiA(entry->cFileName, SETUP_EXE_NAME) == 0 ||
           (entry->dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY);
}

// A destination that could not be composed (NULL) fails every copy, so each
// file is still reported.
static int CopyEntry(const char *source, const char *destination, const char *name)
{
    char from[MAX_PATH];
    char to[MAX_PATH];
    if (!destination || !CopyText(from, sizeof(from), source) ||
        !AppendText(from, sizeof(from), name) || !CopyText(to, sizeof(to), destination) ||
        !AppendText(to, sizeof(to), name))
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

// Copies the plain files of source into destination, both ending in a
// backslash.
static void CopyPass(const char *source, const char *destination, const char *tail)
{
    char pattern[MAX_PATH];
    if (!CopyText(pattern, sizeof(pattern), source) ||
        !AppendText(pattern, sizeof(pattern), FIND_ALL_PATTERN))
        return;
    WIN32_FIND_DATAA entry;
    HANDLE search = FindFirstFileA(pattern, &entry);
    if (search == INVALID_HANDLE_VALUE)
        return;
    do {
        if (IsSkipped(&entry))
            continue;
        if (!CopyEntry(source, destination, entry.cFileName))
            ReportCopyFailure(entry.cFileName, tail);
    } while (FindNextFileA(search, &entry));
    FindClose(search);
}

// Creates the images folder and announces it, also when it already existed.
static int CreateImagesFolder(char *folder)
{
    if (!CopyText(folder, MAX_PATH, g_installFolder) ||
        !AppendPathName(folder, MAX_PATH, IMAGES_FOLDER_NAME))
        return 0;
    CreateDirectoryA(folder, NULL);
    SHChangeNotify(SHCNE_MKDIR, SHCNF_PATHA, folder, NULL);
    return AppendBackslash(folder, MAX_PATH);
}

void DeployFiles(void)
{
    DeletePreCopyFiles();

    char source[MAX_PATH];
    int haveSource = GetSourceFolder(source);
    char destination[MAX_PATH];
    int haveDestination = ComposeDestination(destination);
    if (haveSource)
        CopyPass(source, haveDestination ? destination : NULL, MSG_COPY_TAIL_SOURCE);

    char images[MAX_PATH];
    int haveImages = CreateImagesFolder(images);
    if (haveSource && AppendText(source, sizeof(source), IMAGES_FOLDER_NAME "\\"))
        CopyPass(source, haveImages ? images : NULL, MSG_COPY_TAIL_IMAGES);
}
