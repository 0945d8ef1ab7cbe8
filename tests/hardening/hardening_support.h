// Running the real setup.exe with its dialog answered in a chosen way, and
// snapshots of folder trees to prove that nothing else was touched.
#pragma once

#include <windows.h>

#include <map>
#include <string>
#include <vector>

#include "msgbox.h"

struct SetupRun {
    DWORD exitCode = 0;
    std::string offered;            // the edit control's text when the dialog opened
    std::vector<BoxRecord> boxes;   // every message box, answered with OK
    bool dialogStayedOpen = false;  // OK was refused; the run was then cancelled
};

// Copies setup.exe into dist and runs it from there. typed (when not NULL)
// replaces the offered install folder; both options are unchecked, so a
// finished run ends with the success box. When OK leaves the dialog open,
// the run is cancelled (confirmed) and dialogStayedOpen is set.
SetupRun RunSetup(const std::string &dist, const char *typed);

// Opens setup's dialog, reads the offer and, when hotkey is not NULL, the
// hotkey that the hotkey dialog shows; then cancels the run.
SetupRun PeekSetup(const std::string &dist, WORD *hotkey);

// Every file and folder below root (long paths included) with size and
// write time; compared before and after a run.
typedef std::map<std::string, std::string> TreeSnapshot;
TreeSnapshot SnapshotTree(const std::string &root);
// Entries that differ between two snapshots, ignoring paths under skip.
std::vector<std::string> TreeChanges(const TreeSnapshot &before, const TreeSnapshot &after,
                                     const std::string &skip);

// A folder path of exactly length characters below base, made of levels
// of at most 200 characters.
std::string PathOfLength(const std::string &base, size_t length);

// Removes a folder tree whose paths may be longer than MAX_PATH.
void RemoveLongTree(const std::string &path);
