// One setup or uninstaller of the product at a time: each run marks itself
// with a named object that lives while any of them runs.
#pragma once

// Marks this run, for the process's life. 0 when another setup or
// uninstaller of the product is running (or its mark cannot be had).
int MarkProductRun(void);
