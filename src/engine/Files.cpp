#include "Files.h"

#include "UniqueFd.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>

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

} // namespace lumvex::files
