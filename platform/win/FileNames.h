#pragma once
// Questions about file names that the file system answers.

#include <string>
#include <string_view>

// True when a file (not a folder) of that name exists now.
bool FileExists(const std::string& fileName);
// Whether two names name the same file as the file system compares them:
// ignoring case, character by character.
bool SameFileName(std::string_view a, std::string_view b);
