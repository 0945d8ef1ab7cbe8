// Asking a running copy of the application to close.
#pragma once

// Posts WM_CLOSE to the application's top-level window when there is one.
// Does not wait. Always returns 1.
int CloseRunningProduct(void);
