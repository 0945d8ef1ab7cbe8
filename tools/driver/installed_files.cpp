// The installed-files command: the uninstaller's list of installed files,
// one "installed-file" line per name in the list's order, for scripts that
// need the names without reading the program's source.
#include "driver.h"

#include "file_lists.h"

namespace driver {

int InstalledFiles(const Options &)
{
    for (size_t i = 0; i < kInstalledFileCount; ++i)
        Say("installed-file", kInstalledFileList[i]);
    return 0;
}

}  // namespace driver
