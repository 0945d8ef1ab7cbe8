// The installer's pre-copy deletion list: files of other Quillstar tools
// that older distributions left in the same folder. The uninstaller's list
// holds every one of these names as well.
#include "file_lists.h"

const char kPreCopyDeletionNames[] =
    "quillpad.htm\0"
    "inkwell.htm\0"
    "tallymark.htm\0"
    "Tallymark.exe\0"
    "scribbet.htm\0"
    "Scribbet.exe\0"
    "Quillstar Homepage.url\0"
    "Quillstar Downloads.url\0"
    "Inkwell.exe\0"
    "nibtimer.htm\0"
    "NibTimer.exe\0"
    "penstroke.htm\0"
    "Penstroke.exe\0";
