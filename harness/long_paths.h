// Paths longer than MAX_PATH: the wide "\\?\" form that reaches them, and
// making, removing and measuring files and folders through it. Test paths
// are ASCII, so wide text is the narrow text widened character by character.
//
// Handles: every routine closes what it opens before it returns.
#pragma once

#include <string>

// path (absolute, backslashes) in the "\\?\" form for the wide API.
std::wstring LongPathW(const std::string &path);
// Wide ASCII text made narrow.
std::string NarrowText(const wchar_t *text);

// Creates a file whose full path may be longer than MAX_PATH, and deletes
// such a file.
bool WriteLongPathFile(const std::string &path, const std::string &text);
bool DeleteLongPathFile(const std::string &path);

// A folder path of exactly length characters below base, made of levels
// of at most 200 characters.
std::string PathOfLength(const std::string &base, size_t length);

// Removes a folder tree whose paths may be longer than MAX_PATH; links are
// removed, not followed.
void RemoveLongTree(const std::string &path);
