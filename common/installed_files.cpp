// The uninstaller's list of installed files.
#include "file_lists.h"

const char *const kInstalledFileList[] = {
    "",
};
const size_t kInstalledFileCount = 0;
