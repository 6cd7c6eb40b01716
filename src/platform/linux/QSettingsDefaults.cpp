#include "QSettingsDefaults.h"

#include "engine/Files.h"

#include <QFile>

namespace lumvex {

namespace {

QString qKey(const std::string &key)
{
    return QString::fromStdString(key);
}

} // namespace

void QSettingsDefaults::store()
{
    m_settings.sync();
    QFile::setPermissions(m_settings.fileName(), QFileDevice::ReadOwner | QFileDevice::WriteOwner);
}

QSettingsDefaults::QSettingsDefaults(const std::filesystem::path &file)
    : m_settings(QString::fromStdString(file.string()), QSettings::IniFormat)
{
    files::makePrivateDirectories(file.parent_path());
}

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
