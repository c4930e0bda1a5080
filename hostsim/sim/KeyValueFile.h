// The text files the simulated host keeps its preferences and hot keys in:
// one "key=value" entry a line, in order; blank lines and lines that begin
// with '#' are skipped. In keys a backslash, a newline, '=' and a leading
// '#' are written with a backslash before them (a newline as "\n"); in
// values a backslash and a newline are.
#pragma once

#include <string>
#include <utility>
#include <vector>

namespace karvensim {

using Entries = std::vector<std::pair<std::string, std::string>>;

enum class FileRead { Read, Unreadable, Malformed };

// Reads the entries of `path` into `entries` (replacing them) when the file
// is readable and every entry line is well formed; otherwise leaves them.
FileRead readEntries(const std::string& path, Entries& entries);

// Writes `heading` as a comment line, then the entries. False when the file
// cannot be written.
bool writeEntries(const std::string& path, const std::string& heading, const Entries& entries);

}  // namespace karvensim
