// The shot command: a picture of the whole screen.
#include "driver.h"

namespace driver {

int Screen(const Options &options)
{
    if (options.words.empty())
        return 2;
    RECT rect = {0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    return SaveScreen(rect, options.words[0]) ? 0 : 1;
}

}  // namespace driver
