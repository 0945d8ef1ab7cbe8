// What the fuzz targets share about code pages: the ones a target picks from
// with a byte of its input, and whether an index of a text begins a
// character, found by walking from the start as a reader of the text must.
#pragma once

#include <stddef.h>
#include <stdint.h>

#include "paths.h"

static const unsigned kFuzzCodePages[] = {1252, 932, 936, 950};

static inline unsigned PickCodePage(uint8_t byte)
{
    return kFuzzCodePages[byte % (sizeof(kFuzzCodePages) / sizeof(kFuzzCodePages[0]))];
}

static inline bool IsCharStart(const char *text, size_t index, unsigned codePage)
{
    const char *c = text;
    while (*c && (size_t)(c - text) < index)
        c = NextChar(codePage, c);
    return (size_t)(c - text) == index;
}
