// SPDX-License-Identifier: MIT
#include "Files.h"

#include <atomic>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <fcntl.h>
#include <istream>
#include <sys/stat.h>
#include <syslog.h>

namespace lumvex::files {

namespace fs = std::filesystem;

bool makePrivateDirectories(const fs::path &folder)
{
    fs::path prefix;
    for (const auto &part : folder) {
        prefix /= part;
        // An existing parent may refuse mkdir with EACCES rather than EEXIST; only its absence matters.
        std::error_code error;
        if (::mkdir(prefix.c_str(), 0700) != 0 && !fs::is_directory(prefix, error)) {
            return false;
        }
    }
    return true;
}

bool writeAll(int fd, std::string_view data)
{
    while (!data.empty()) {
        const ssize_t written = ::write(fd, data.data(), data.size());
        if (written < 0) {
            if (errno == EINTR) {
                continue;
            }
            return false;
        }
        data.remove_prefix(static_cast<std::size_t>(written));
    }
    return true;
}

bool writeAtomically(const fs::path &target, std::string_view data)
{
    const fs::path folder = target.has_parent_path() ? target.parent_path() : fs::path(".");
    // Built by appending: GCC 12 misreports `"." + string` at -O3 as an overlapping copy.
    std::string temporary = folder.string();
    temporary.append("/.").append(target.filename().string()).append(".XXXXXX");

    UniqueFd fd(::mkostemp(temporary.data(), O_CLOEXEC)); // created 0600
    if (!fd) {
        return false;
    }
    bool ok = writeAll(fd.get(), data) && ::fsync(fd.get()) == 0;
    ok = fd.close() && ok;
    if (!ok || ::rename(temporary.c_str(), target.c_str()) != 0) {
        ::unlink(temporary.c_str());
        return false;
    }
    // Make the rename itself durable; a failure here still leaves a whole file either way.
    if (UniqueFd dir(::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC)); dir) {
        ::fsync(dir.get());
    }
    return true;
}

std::optional<std::string> readAll(const fs::path &file)
{
    UniqueFd fd(::open(file.c_str(), O_RDONLY | O_CLOEXEC));
    if (!fd) {
        return std::nullopt;
    }
    std::string content;
    char buffer[16384];
    for (;;) {
        const ssize_t count = ::read(fd.get(), buffer, sizeof buffer);
        if (count < 0) {
            if (errno == EINTR) {
                continue;
            }
            return std::nullopt;
        }
        if (count == 0) {
            return content;
        }
        content.append(buffer, static_cast<std::size_t>(count));
    }
}

StateFileText readStateFile(const fs::path &file, std::size_t limit)
{
    StateFileText result;
    struct stat info
    {};
    if (::stat(file.c_str(), &info) != 0) {
        if (errno == ENOENT && ::lstat(file.c_str(), &info) != 0) {
            return result; // missing; a dangling link is unreadable
        }
        result.status = StateFileText::Status::unreadable;
        result.problem = std::string("cannot be read (") + std::strerror(errno) + ")";
        return result;
    }
    result.status = StateFileText::Status::unreadable;
    // Opening a FIFO or a device could block or have effects; only regular files are opened at all.
    if (!S_ISREG(info.st_mode)) {
        result.problem = "is not a regular file";
        return result;
    }
    UniqueFd fd(::open(file.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY));
    if (!fd || ::fstat(fd.get(), &info) != 0 || !S_ISREG(info.st_mode)) {
        result.problem = fd ? "is not a regular file" : std::string("cannot be read (") + std::strerror(errno) + ")";
        return result;
    }
    std::string content;
    char buffer[16384];
    for (;;) {
        const ssize_t count = ::read(fd.get(), buffer, sizeof buffer);
        if (count < 0 && errno == EINTR) {
            continue;
        }
        if (count < 0) {
            result.problem = std::string("cannot be read (") + std::strerror(errno) + ")";
            return result;
        }
        if (count == 0) {
            break;
        }
        content.append(buffer, static_cast<std::size_t>(count));
        if (content.size() > limit) {
            result.problem = "is larger than " + std::to_string(limit / (1024 * 1024)) + " MB";
            return result;
        }
    }
    result.status = StateFileText::Status::read;
    result.text = std::move(content);
    return result;
}

namespace {

// Links the file to the first free "<name>.unreadable-<day>[-n]" beside it; a link never replaces an
// existing name, unlike rename, and works for FIFOs and devices too; where links cannot be made, a regular
// file is copied. Nothing when neither can be made.
std::optional<std::string> linkAside(const fs::path &file)
{
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    char day[16] = "unknown-day";
    if (::localtime_r(&now, &local) != nullptr) {
        std::strftime(day, sizeof day, "%Y-%m-%d", &local);
    }
    const std::string base = file.string() + ".unreadable-" + day;
    for (int n = 1; n < 1000; ++n) {
        std::string aside = n == 1 ? base : base + "-" + std::to_string(n);
        if (::link(file.c_str(), aside.c_str()) == 0) {
            return aside;
        }
        if (errno == EEXIST) {
            continue;
        }
        // A file system without hard links (FAT, some network homes) gets a copy, or learning could never
        // be written there again.
        const int linkError = errno;
        std::error_code error;
        if (!fs::is_regular_file(file, error)) {
            errno = linkError;
            break;
        }
        if (fs::copy_file(file, aside, fs::copy_options::none, error)) {
            return aside;
        }
        if (error != std::errc::file_exists) {
            errno = error.value();
            break;
        }
    }
    return std::nullopt;
}

} // namespace

bool setAside(const fs::path &file, const std::string &problem)
{
    if (const auto aside = linkAside(file)) {
        if (::unlink(file.c_str()) == 0) {
            warn("Lumvex: " + file.string() + " " + problem + "; moved aside to " + *aside +
                 " and starting without it");
            return true;
        }
        ::unlink(aside->c_str());
    }
    warn("Lumvex: " + file.string() + " " + problem + "; it could not be moved aside and is left as it is");
    return false;
}

bool StateFile::write(std::string_view data)
{
    if (m_before == Before::neverWrite) {
        return false;
    }
    if (m_before == Before::keepAside) {
        const auto aside = linkAside(m_path);
        if (aside) {
            warn("Lumvex: " + m_path.string() + " as it was read is kept as " + *aside);
        } else if (errno != ENOENT) {
            return false; // tried again at the next write; until then the change lives in memory
        }
        m_before = Before::nothing;
    }
    return writeAtomically(m_path, data);
}

std::optional<std::string> lossLine(const fs::path &file, const DecodeNotes &notes, const std::string &entries,
                                    std::size_t kept)
{
    if (notes.losses.empty() && notes.leftOut == 0) {
        return std::nullopt;
    }
    // A file of thousands of bad entries must not make a line of thousands of reasons.
    constexpr std::size_t kNamed = 5;
    std::string line = "Lumvex: " + file.string() + ": left out " + std::to_string(notes.leftOut) + " " + entries +
                       ", kept " + std::to_string(kept);
    for (std::size_t i = 0; i < notes.losses.size() && i < kNamed; ++i) {
        line += (i == 0 ? ": " : "; ") + notes.losses[i];
    }
    if (notes.losses.size() > kNamed) {
        line += "; and " + std::to_string(notes.losses.size() - kNamed) + " more";
    }
    return line;
}

namespace {

std::string escaped(std::string_view text, bool quotes)
{
    std::string result;
    const auto escape = [&](unsigned char byte) {
        char hex[8];
        std::snprintf(hex, sizeof hex, "\\x%02x", byte);
        result += hex;
    };
    for (std::size_t i = 0; i < text.size();) {
        const auto byte = static_cast<unsigned char>(text[i]);
        if (quotes && (byte == '"' || byte == '\\')) {
            result += '\\';
            result += static_cast<char>(byte);
            ++i;
            continue;
        }
        if (byte >= 0x20 && byte < 0x7f) {
            result += static_cast<char>(byte);
            ++i;
            continue;
        }
        // A whole UTF-8 sequence of a printable character passes; C1 controls (U+0080...U+009F), which
        // terminals also obey, and anything malformed are escaped byte by byte.
        const std::size_t length = byte >= 0xf0 && byte < 0xf5 ? 4 : byte >= 0xe0 ? 3 : byte >= 0xc2 ? 2 : 0;
        bool whole = length > 0 && byte < 0xf5 && i + length <= text.size();
        for (std::size_t k = 1; whole && k < length; ++k) {
            whole = (static_cast<unsigned char>(text[i + k]) & 0xc0) == 0x80;
        }
        if (whole && byte == 0xc2 && static_cast<unsigned char>(text[i + 1]) < 0xa0) {
            whole = false;
        }
        if (whole) {
            result.append(text.substr(i, length));
            i += length;
        } else {
            escape(byte);
            ++i;
        }
    }
    return result;
}

} // namespace

std::string quoted(std::string_view text)
{
    return "\"" + escaped(text, true) + "\"";
}

std::string printable(std::string_view text)
{
    return escaped(text, false);
}

void removeStaleTemporaries(const fs::path &target)
{
    // Appended rather than "." + string: GCC 12 at -O3 warns falsely (-Wrestrict) about the latter.
    std::string prefix = ".";
    prefix += target.filename().string();
    prefix += '.';
    std::error_code error;
    for (fs::directory_iterator it(target.parent_path(), error), end; !error && it != end; it.increment(error)) {
        const std::string name = it->path().filename().string();
        // mkostemp's suffix: exactly six characters.
        if (name.size() == prefix.size() + 6 && name.starts_with(prefix) && it->is_regular_file(error)) {
            fs::remove(it->path(), error);
        }
    }
}

UniqueFd openLogForAppend(const fs::path &file)
{
    UniqueFd fd(
        ::open(file.c_str(), O_RDWR | O_APPEND | O_CREAT | O_CLOEXEC | O_NOFOLLOW | O_NONBLOCK | O_NOCTTY, 0600));
    struct stat info
    {};
    if (fd && (::fstat(fd.get(), &info) != 0 || !S_ISREG(info.st_mode))) {
        fd.close();
    }
    return fd;
}

bool canWriteIn(const fs::path &folder)
{
    return ::access(folder.c_str(), W_OK | X_OK) == 0;
}

LineRead readLine(std::istream &in, std::string &line, std::size_t limit)
{
    line.clear();
    bool tooLong = false;
    for (int c = in.get(); c != std::char_traits<char>::eof(); c = in.get()) {
        if (c == '\n') {
            return tooLong ? LineRead::tooLong : LineRead::line;
        }
        if (tooLong) {
            continue;
        }
        if (line.size() < limit) {
            line.push_back(static_cast<char>(c));
        } else {
            tooLong = true;
            line.clear();
        }
    }
    if (tooLong) {
        return LineRead::tooLong;
    }
    return line.empty() ? LineRead::end : LineRead::line;
}

namespace {
std::atomic<void (*)(const std::string &)> warningSink{nullptr};
} // namespace

void setWarningSink(void (*sink)(const std::string &line))
{
    warningSink = sink;
}

void warn(const std::string &line)
{
    if (const auto sink = warningSink.load()) {
        sink(line);
    }
    ::syslog(LOG_USER | LOG_WARNING, "%s", line.c_str());
}

} // namespace lumvex::files
