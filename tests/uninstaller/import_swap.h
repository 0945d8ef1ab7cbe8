// Swapping one imported function of the test program for a replacement while
// an object lives, and putting the original back afterwards (the slot is
// remembered, so the restore does not depend on what the slot holds then).
#pragma once

#include <windows.h>

class ImportSwap {
public:
    ImportSwap(const char *dll, const char *function, void *replacement);
    ~ImportSwap();
    // The real function; NULL when the program does not import it.
    void *Original() const { return original_; }

private:
    void **slot_;
    void *original_;
};
