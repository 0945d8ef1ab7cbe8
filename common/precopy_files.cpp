// The installer's pre-copy deletion list: files of other Quillstar tools
// that older distributions left in the same folder. The uninstaller's list
// holds every one of these names as well.
#include "file_lists.h"

const char *const kPreCopyDeletionList[] = {
    "quillpad.htm",
    "inkwell.htm",
    "tallymark.htm",
    "Tallymark.exe",
    "scribbet.htm",
    "Scribbet.exe",
    "Quillstar Homepage.url",
    "Quillstar Downloads.url",
    "Inkwell.exe",
    "nibtimer.htm",
    "NibTimer.exe",
    "penstroke.htm",
    "Penstroke.exe",
};
const size_t kPreCopyDeletionCount =
    sizeof(kPreCopyDeletionList) / sizeof(kPreCopyDeletionList[0]);
