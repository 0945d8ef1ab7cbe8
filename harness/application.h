// The real application as setup or the shell starts it, in another
// process: finding its window, its program file, and closing every copy.
//
// Handles: the application's window and process are its own; CloseApplications
// opens each process only for the time it waits for it.
#pragma once

#include <windows.h>

#include <string>

struct AppWindow {
    HWND window = NULL;
    DWORD processId = 0;
};

// A window of the product's class that belongs to another process; an
// empty AppWindow when none appears within timeoutMs.
AppWindow WaitForApplication(DWORD timeoutMs);

// The program file of a process; empty when it cannot be asked.
std::string ImagePath(DWORD processId);

// Closes every application window of another process and waits for its
// process to end (ending it when it does not).
void CloseApplications();
