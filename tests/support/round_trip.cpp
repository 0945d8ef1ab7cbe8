// The round trip's folders and the uninstallation through the software
// list's command.
#include "round_trip.h"

#include "distribution.h"
#include "files.h"
#include "machine.h"
#include "product.h"
#include "registry.h"

void RoundTripTest::SetUp()
{
    CleanProductState();
    RemoveTree(dist_);
    RemoveTree(installRoot_);
    MakeFolders(installRoot_);
    CopyFolder(TestProgramFolder() + "..\\dist", dist_);
}

void RoundTripTest::TearDown()
{
    CleanProductState();
    RemoveTree(dist_);
    RemoveTree(installRoot_);
}

bool RunStoredUninstall(ProcessTree *tree, std::vector<BoxRecord> *boxes)
{
    std::string command;
    if (!ReadString(HKEY_LOCAL_MACHINE, UNINSTALL_ENTRY_PATH, VALUE_UNINSTALL_STRING, &command) ||
        !tree->Start(command, "C:\\tests"))
        return false;
    BoxWatcher watcher(0, {IDOK});
    bool ended = tree->WaitForAll(60000);
    watcher.Stop();
    *boxes = watcher.Boxes();
    return ended;
}
