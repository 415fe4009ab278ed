#pragma once

#include <string>
#include <string_view>

namespace corvatt {

enum class FileReadResult { kOk, kMissing, kError };

// The whole file into `content`.
FileReadResult ReadWholeFile(const std::string& path, std::string& content);

// Writes a temporary file beside `path`, flushes it to disk and renames it over `path`, so
// readers see either the old or the new content. The folder is created when missing.
// The file is readable by its owner only unless `mode` says otherwise.
bool WriteFileAtomically(const std::string& path, std::string_view content, unsigned mode = 0600);

}  // namespace corvatt
