// Bounded composition of paths and texts in fixed buffers. No Win32 calls:
// these routines are also built natively for sanitizer and fuzz runs.
// Every routine returns 1 on success and 0 when the result would not fit;
// on failure the destination keeps its previous contents.
#pragma once

#include <stddef.h>

// Copies src into dst (capacity cap, terminator included).
int CopyText(char *dst, size_t cap, const char *src);

// Appends src to the text in dst.
int AppendText(char *dst, size_t cap, const char *src);

// 1 when the text is not empty and its last character is a backslash.
int EndsWithBackslash(const char *text);

// Appends "\" unless the text already ends in one. An empty text stays empty
// apart from the backslash.
int AppendBackslash(char *dst, size_t cap);

// Appends a name to a folder path, putting "\" between them when the folder
// does not end in one.
int AppendPathName(char *dst, size_t cap, const char *name);

// dst = folder + name, with "\" between them when the folder does not end
// in one (an empty folder does not): the copy and the append in one step.
// folder may be dst itself.
int ComposePath(char *dst, size_t cap, const char *folder, const char *name);

// Removes one trailing backslash, if there is one.
void RemoveTrailingBackslash(char *text);

// 1 when the text holds a character other than a backslash. A text of
// backslashes alone names no folder of its own: only the root of the
// current drive, or nothing once its trailing backslashes are removed.
int NamesFolder(const char *text);

// 1 for the folder entries "." and "..", which name no file of the folder.
int IsDotEntry(const char *name);

// Finds a case-sensitive substring; returns a pointer into text or NULL.
const char *FindText(const char *text, const char *part);
