// Whole-call file access shared by the report and "error.txt": every call
// opens, writes and closes, so nothing is held between calls.
#pragma once

#include <string>
#include <string_view>

enum class FileOpening { CreateOrEmpty, Append };

// The text as Windows text files hold it: every line feed as CR LF, every
// other byte as it is.
std::string FormCrLfText(std::string_view text);

// Stores every line feed of the text as CR LF and leaves every other byte as
// it is. False when the file could not be opened, took fewer bytes than it
// was given, or could not be closed; nothing is written through a file that
// did not open.
bool WriteTextFile(const char* name, FileOpening opening,
                   const std::string& text);

// Removes a file; a directory of that name is never removed and counts as a
// failure, as on Windows.
bool RemoveFile(const char* name);
