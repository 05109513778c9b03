// Whole-file reading and replacing for the profile writer. Replacing goes
// through a temporary file in the same directory that is flushed to disk and
// renamed over the original, so a reader sees either the old or the new
// contents, never a mix, and a failure leaves the original untouched.
#pragma once

#include <string>

namespace vexa {

enum class FileRead { Ok, Missing, Failed };

// Reads the whole file into content. Missing when there is no such file;
// Failed when it exists but cannot be read (or is no regular file).
FileRead ReadWholeFile(const std::string& path, std::string& content);

// Replaces the file (or creates it) with content, keeping the permission
// bits of an existing file. A file that is not writable is not replaced. Returns false on any failure; the original
// file is then unchanged and no temporary file is left behind.
bool ReplaceFile(const std::string& path, const std::string& content);

}  // namespace vexa
