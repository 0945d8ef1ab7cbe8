// The installer's pre-copy deletion list.
#include "file_lists.h"

const char *const kPreCopyDeletionList[] = {
    "",
};
const size_t kPreCopyDeletionCount = 0;
