// SPDX-License-Identifier: MIT
#include "QSettingsDefaults.h"

#include "base/Files.h"

#include <QFile>

#include <cctype>
#include <string_view>
#include <sys/stat.h>
#include <unistd.h>

namespace lumvex {

namespace {

QString qKey(const std::string &key)
{
    return QString::fromStdString(key);
}

// The file's name for the settings backend, after moving aside what it could block on reading.
QString readableSettings(const std::filesystem::path &file)
{
    files::makePrivateDirectories(file.parent_path());
    struct stat info
    {};
    if (::stat(file.c_str(), &info) == 0 && !S_ISREG(info.st_mode)) {
        files::setAside(file, "is not a regular file");
    }
    return QString::fromStdString(file.string());
}

// Lines the settings backend would not write back: comments and anything that is neither a section
// nor a key=value pair.
bool holdsLinesThatWouldBeDropped(std::string_view text)
{
    while (!text.empty()) {
        const std::size_t end = text.find('\n');
        std::string_view line = text.substr(0, end);
        text = end == std::string_view::npos ? std::string_view() : text.substr(end + 1);
        while (!line.empty() && std::isspace(static_cast<unsigned char>(line.front()))) {
            line.remove_prefix(1);
        }
        if (!line.empty() && (line.front() == ';' || line.front() == '#' ||
                              (line.front() != '[' && line.find('=') == std::string_view::npos))) {
            return true;
        }
    }
    return false;
}

} // namespace

void QSettingsDefaults::keepWhatTheUserWrote()
{
    const files::StateFileText current = files::readStateFile(m_file, 1024 * 1024);
    if (current.status != files::StateFileText::Status::read || !holdsLinesThatWouldBeDropped(current.text)) {
        return;
    }
    for (int n = 1; n < 100; ++n) {
        std::filesystem::path copy = m_file;
        copy += n == 1 ? std::string(".orig") : ".orig-" + std::to_string(n);
        const files::StateFileText existing = files::readStateFile(copy, 1024 * 1024);
        if (existing.status == files::StateFileText::Status::read && existing.text == current.text) {
            return; // kept already
        }
        if (existing.status == files::StateFileText::Status::missing) {
            if (files::writeAtomically(copy, current.text)) {
                files::warn("Lumvex: " + m_file.string() + " holds comments or lines that saving settings drops; " +
                            "your version is kept as " + copy.string());
            }
            return;
        }
    }
}

void QSettingsDefaults::store()
{
    if (!m_written) {
        m_written = true;
        keepWhatTheUserWrote();
    }
    // The backend writes through a link to its target; a file of our own replaces the link instead.
    struct stat info
    {};
    if (::lstat(m_file.c_str(), &info) == 0 && S_ISLNK(info.st_mode)) {
        // Set again, every value is written to the new file, not only those changed since reading.
        QList<std::pair<QString, QVariant>> values;
        for (const QString &key : m_settings.allKeys()) {
            values.append({key, m_settings.value(key)});
        }
        ::unlink(m_file.c_str());
        for (const auto &[key, value] : values) {
            m_settings.setValue(key, value);
        }
    }
    m_settings.sync();
    QFile::setPermissions(m_settings.fileName(), QFileDevice::ReadOwner | QFileDevice::WriteOwner);
}

QSettingsDefaults::QSettingsDefaults(const std::filesystem::path &file)
    : m_file(file)
    , m_settings(readableSettings(file), QSettings::IniFormat)
{}

std::optional<bool> QSettingsDefaults::boolValue(const std::string &key) const
{
    const QVariant value = m_settings.value(qKey(key));
    if (!value.isValid()) {
        return std::nullopt;
    }
    // Hand-edited files: only clear spellings count, anything else reads as absent.
    const QString text = value.toString().trimmed().toLower();
    if (text == QLatin1String("true") || text == QLatin1String("1")) {
        return true;
    }
    if (text == QLatin1String("false") || text == QLatin1String("0")) {
        return false;
    }
    return std::nullopt;
}

std::optional<std::string> QSettingsDefaults::stringValue(const std::string &key) const
{
    const QVariant value = m_settings.value(qKey(key));
    if (!value.isValid()) {
        return std::nullopt;
    }
    return value.toString().toStdString();
}

void QSettingsDefaults::setBool(const std::string &key, bool value)
{
    m_settings.setValue(qKey(key), value);
    store();
}

void QSettingsDefaults::setString(const std::string &key, const std::string &value)
{
    m_settings.setValue(qKey(key), QString::fromStdString(value));
    store();
}

void QSettingsDefaults::remove(const std::string &key)
{
    m_settings.remove(qKey(key));
    store();
}

} // namespace lumvex
