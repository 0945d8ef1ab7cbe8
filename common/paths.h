// Bounded composition of paths and texts in fixed buffers. No Win32 calls:
// these routines are also built natively for sanitizer and fuzz runs.
// Every routine returns 1 on success and 0 when the result would not fit;
// on failure the destination keeps its previous contents.
//
// A path's "last character" is a character, not a byte: in the East Asian
// code pages the second byte of a character may be 0x5C, the byte of a
// backslash. The routines that look at characters take the code page the
// text is in; the programs call the forms without one, which use the
// process's ANSI code page (ansi_paths.cpp, Win32 builds only).
#pragma once

#include <stddef.h>

// 1 when byte begins a two-byte character in codePage. Only 932, 936, 949
// and 950 have such characters among the ANSI code pages.
int IsLeadByte(unsigned codePage, unsigned char byte);

// The character after the one text points at; a lead byte before the
// terminator is a character of its own. text must not be at the terminator.
const char *NextChar(unsigned codePage, const char *text);

// Copies src into dst (capacity cap, terminator included).
int CopyText(char *dst, size_t cap, const char *src);

// Appends src to the text in dst.
int AppendText(char *dst, size_t cap, const char *src);

// 1 when the text is not empty and its last character is a backslash.
int EndsWithBackslash(const char *text, unsigned codePage);
int EndsWithBackslash(const char *text);

// Appends "\" unless the text already ends in one. An empty text stays empty
// apart from the backslash. A text that ends in a lone lead byte (a
// character cut in two) is refused here and by the two routines below.
int AppendBackslash(char *dst, size_t cap, unsigned codePage);
int AppendBackslash(char *dst, size_t cap);

// Appends a name to a folder path, putting "\" between them when the folder
// does not end in one.
int AppendPathName(char *dst, size_t cap, const char *name, unsigned codePage);
int AppendPathName(char *dst, size_t cap, const char *name);

// dst = folder + name, with "\" between them when the folder does not end
// in one (an empty folder does not): the copy and the append in one step.
// folder may be dst itself.
int ComposePath(char *dst, size_t cap, const char *folder, const char *name,
                unsigned codePage);
int ComposePath(char *dst, size_t cap, const char *folder, const char *name);

// Removes one trailing backslash, if there is one.
void RemoveTrailingBackslash(char *text, unsigned codePage);
void RemoveTrailingBackslash(char *text);

// Index just past the last backslash character of path (where its file
// name begins), or 0 when it holds none.
size_t FindNameStart(const char *path, unsigned codePage);

// 1 when the text holds a character other than a backslash. A text of
// backslashes alone names no folder of its own: only the root of the
// current drive, or nothing once its trailing backslashes are removed.
int NamesFolder(const char *text);

// 1 for the folder entries "." and "..", which name no file of the folder.
int IsDotEntry(const char *name);

// Finds a case-sensitive substring that begins at a character of text;
// returns a pointer into text or NULL.
const char *FindText(const char *text, const char *part, unsigned codePage);
const char *FindText(const char *text, const char *part);
