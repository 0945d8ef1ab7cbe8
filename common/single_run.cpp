// The mark of a running setup or uninstaller (see single_run.h). It is a
// global name, so that a run in a service's session and one on a user's
// desktop see each other.
#include "single_run.h"

#include <windows.h>

#include "product.h"

int MarkProductRun(void)
{
    // The handle stays open until the process ends.
    HANDLE mark = CreateMutexA(NULL, FALSE, PRODUCT_RUN_MARK);
    return mark && GetLastError() != ERROR_ALREADY_EXISTS;
}
