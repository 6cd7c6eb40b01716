#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace lumvex::files {

// Creates the folder and any missing parents, each new one readable by the user only (0700).
// Existing folders keep their permissions. Returns whether the folder exists afterwards.
bool makePrivateDirectories(const std::filesystem::path &folder);

// Replaces the whole file or leaves the old one untouched: the data goes to a temporary file (0600) in the
// same folder, is flushed to disk and then renamed over the target.
bool writeAtomically(const std::filesystem::path &target, std::string_view data);

// The whole file, or nothing when it cannot be read.
std::optional<std::string> readAll(const std::filesystem::path &file);

// Writes every byte, retrying after interruptions and short writes.
bool writeAll(int fd, std::string_view data);

} // namespace lumvex::files
