// SPDX-License-Identifier: MIT
#pragma once

#include "UniqueFd.h"

#include <cstddef>
#include <filesystem>
#include <iosfwd>
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

// State files are small by nature (a year of days, a few thousand situations); a larger one is not ours.
inline constexpr std::size_t kStateFileLimit = 4 * 1024 * 1024;

struct StateFileText
{
    enum class Status { missing, read, unreadable };
    Status status = Status::missing;
    std::string text;    // when read
    std::string problem; // when unreadable: why, for a message
};

// Reads a state file without ever blocking: only a regular file (also behind a link) of at most `limit`
// bytes is read; a FIFO, a device, a folder or a larger file is unreadable.
StateFileText readStateFile(const std::filesystem::path &file, std::size_t limit = kStateFileLimit);

// Moves a file that could not be read to "<name>.unreadable-<yyyy-mm-dd>" ("-2", "-3"... when taken; never
// over another file), so that the next write cannot destroy what it may still hold, and says so on stderr
// and in the system log. False when it stays where it is; it must then not be replaced.
bool setAside(const std::filesystem::path &file, const std::string &problem);

// Removes ".<name>.XXXXXX" files beside the target, left by a write interrupted before its rename.
void removeStaleTemporaries(const std::filesystem::path &target);

// Opens a file for appending (and reading), creating it (0600) when missing; refuses a symbolic link, a
// FIFO or a device, and never blocks.
UniqueFd openLogForAppend(const std::filesystem::path &file);

// Whether new files can be made in the folder (and so state files replaced there).
bool canWriteIn(const std::filesystem::path &folder);

// Reads the next line (without its "\n") of at most `limit` bytes; a longer line is skipped to its end
// without being kept and reported as tooLong.
enum class LineRead { line, tooLong, end };
LineRead readLine(std::istream &in, std::string &line, std::size_t limit);

// One line on stderr and in the system log.
void warn(const std::string &line);
// Where warn() sends a line besides the system log: the program routes it into its logging. Unset, the line
// goes to the system log only.
void setWarningSink(void (*sink)(const std::string &line));

// A state file as loaded: what could be read of it, and whether the file on disk must be left alone
// (it could be neither read nor moved aside).
template<typename State>
struct LoadedState
{
    State state{};
    bool keepFile = false;
};

// Loads one of the program's state files: folder made private, temporaries of a killed write removed,
// then what decode(text, &skipped) keeps, with a line naming how many entries it left out. A file that
// cannot be read or decoded at all is moved aside, so that what the user taught is never overwritten by a
// state that lost it.
template<typename State, typename Decode>
LoadedState<State> loadStateFile(const std::filesystem::path &file, Decode decode, const std::string &entries,
                                 const std::string &wrongShape)
{
    makePrivateDirectories(file.parent_path());
    removeStaleTemporaries(file);
    const StateFileText text = readStateFile(file);
    std::size_t skipped = 0;
    std::optional<State> state;
    if (text.status == StateFileText::Status::read) {
        state = decode(text.text, &skipped);
    }
    if (state) {
        if (skipped > 0) {
            warn("Lumvex: " + file.string() + ": left out " + std::to_string(skipped) + " " + entries + ", kept " +
                 std::to_string(state->size()));
        }
        return {std::move(*state), false};
    }
    if (text.status == StateFileText::Status::missing) {
        return {};
    }
    return {State{}, !setAside(file, text.status == StateFileText::Status::read ? wrongShape : text.problem)};
}

} // namespace lumvex::files
