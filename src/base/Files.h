// SPDX-License-Identifier: MIT
#pragma once

#include "UniqueFd.h"

#include <cstddef>
#include <filesystem>
#include <iosfwd>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

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

// The text in double quotes, with control characters, quotes and bytes that are not UTF-8 escaped, so that
// what a file or a command line held can be shown on a terminal as it was.
std::string quoted(std::string_view text);
// The same escapes without the quotes, for a whole line that may hold such text.
std::string printable(std::string_view text);

// What decoding a state file could not take as it stood: entries left out whole, and each entry that was
// left out or lost a part, named with the reason.
struct DecodeNotes
{
    std::size_t leftOut = 0;
    std::vector<std::string> losses;
};

// One of the program's state files as it is written through. When what was read lost anything, the file
// as it was is kept aside ("<name>.unreadable-<yyyy-mm-dd>") before the first write replaces it; when that
// fails, or the file could be neither read nor moved aside, it is not written.
class StateFile
{
public:
    enum class Before { nothing, keepAside, neverWrite };
    StateFile(std::filesystem::path path, Before before)
        : m_path(std::move(path))
        , m_before(before)
    {}

    bool write(std::string_view data);
    const std::filesystem::path &path() const { return m_path; }

private:
    std::filesystem::path m_path;
    Before m_before;
};

// A state file as loaded: what could be read of it, and how to write it.
template<typename State>
struct LoadedState
{
    State state{};
    StateFile file;
};

// The line that says what loading a state file lost, or nothing when it lost nothing.
std::optional<std::string> lossLine(const std::filesystem::path &file, const DecodeNotes &notes,
                                    const std::string &entries, std::size_t kept);

// Loads one of the program's state files: folder made private, temporaries of a killed write removed,
// then what decode(text, &notes) keeps, with a line naming what it left out or repaired. A file that
// cannot be read or decoded at all is moved aside, so that what the user taught is never overwritten by a
// state that lost it.
template<typename State, typename Decode>
LoadedState<State> loadStateFile(const std::filesystem::path &file, Decode decode, const std::string &entries,
                                 const std::string &wrongShape)
{
    makePrivateDirectories(file.parent_path());
    removeStaleTemporaries(file);
    const StateFileText text = readStateFile(file);
    DecodeNotes notes;
    std::optional<State> state;
    if (text.status == StateFileText::Status::read) {
        state = decode(text.text, &notes);
    }
    if (state) {
        const auto line = lossLine(file, notes, entries, state->size());
        if (line) {
            warn(*line);
        }
        return {std::move(*state), {file, line ? StateFile::Before::keepAside : StateFile::Before::nothing}};
    }
    if (text.status == StateFileText::Status::missing) {
        return {State{}, {file, StateFile::Before::nothing}};
    }
    const bool moved = setAside(file, text.status == StateFileText::Status::read ? wrongShape : text.problem);
    return {State{}, {file, moved ? StateFile::Before::nothing : StateFile::Before::neverWrite}};
}

} // namespace lumvex::files
