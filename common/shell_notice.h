// Telling the shell about a change at once, so that an open Explorer window
// shows a created or removed item, or new file types, without waiting.
#pragma once

#include <windows.h>

// Announces event (an SHCNE_ value) for the item at path, or for no item
// when path is NULL, and flushes the shell's queue of notifications.
void AnnounceChange(LONG event, const char *path);
