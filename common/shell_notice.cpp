// The change notice and its flush, which every announcement sends together.
#include "shell_notice.h"

#include <shlobj.h>

void AnnounceChange(LONG event, const char *path)
{
    // A change of no item (file types, say) goes as an empty item list.
    SHChangeNotify(event, path ? SHCNF_PATHA : SHCNF_IDLIST, path, NULL);
    SHChangeNotify(0, SHCNF_FLUSH, NULL, NULL);
}
