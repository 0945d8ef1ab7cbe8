// A text buffer with guard bytes behind it, prefilled, so that a routine
// that writes past the size it was given is caught. Pure C++: the pure
// tests that use it also build natively.
#pragma once

#include <string.h>

#include <stddef.h>

template <size_t Size>
struct Guarded {
    char buffer[Size];
    char guard[8];
    // The buffer starts out holding initial (it must fit).
    explicit Guarded(const char *initial = "")
    {
        memset(this, 'G', sizeof(*this));
        memcpy(buffer, initial, strlen(initial) + 1);
    }
    bool GuardIntact() const
    {
        for (char c : guard)
            if (c != 'G')
                return false;
        return true;
    }
};
