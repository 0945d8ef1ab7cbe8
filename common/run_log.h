// The log that /LOG= asks for: plain text, appended, one line per stage
// with its result and the text of every box the run shows (or, unattended,
// would have shown). Without a log every call here does nothing.
#pragma once

// Opens path for appending (created when missing); lines start with the
// program's name. Nothing is written when path is empty or cannot be opened.
void OpenRunLog(const char *path, const char *program);

// One line: the text with its line breaks turned into blanks.
void LogText(const char *text);

// "<stage>: done" or "<stage>: failed"; returns ok.
int LogStage(const char *stage, int ok);
