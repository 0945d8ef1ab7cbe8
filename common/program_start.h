// Starting the programs that the installer and the uninstaller leave
// running: always the named program file itself, never through a file-type
// lookup that the user's registry can change, and, where it may, with the
// rights of the user rather than the administrator's.
#pragma once

#include <windows.h>

// Starts the program file (a full path) with the command line "program"
// followed by a blank and arguments (none when NULL), in folder, its first
// window shown as show. With asShellUser, the program gets the rights of
// the desktop shell's process when that runs as the same user as this
// one; when there is no such shell or that start fails, and without
// asShellUser, it gets this process's rights. standard (NULL: none), two
// inheritable handles, become its standard input and output; with them the
// program inherits every inheritable handle of this one, so the caller
// keeps the others from being inherited. They are never given to a program
// started with the shell's rights. 1 when it was started.
int StartProgramFile(const char *program, const char *arguments, const char *folder, WORD show,
                     int asShellUser, const HANDLE *standard);
