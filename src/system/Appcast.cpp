// SPDX-License-Identifier: MIT
#include "Appcast.h"

#include "VersionOrder.h"

#include <QByteArray>
#include <QCoreApplication>
#include <QXmlStreamReader>

namespace lumvex {

namespace {

constexpr QLatin1StringView kUpdateNamespace("http://www.andymatuschak.org/xml-namespaces/sparkle");

QUrl webUrl(QStringView text)
{
    const QUrl url(text.trimmed().toString(), QUrl::StrictMode);
    const QString scheme = url.scheme();
    if (!url.isValid() || url.host().isEmpty() || (scheme != u"https" && scheme != u"http")) {
        return {};
    }
    return url;
}

AppcastItem readItem(QXmlStreamReader &xml)
{
    AppcastItem item;
    QString enclosureVersion;
    QString enclosureShortVersion;
    while (xml.readNextStartElement()) {
        const bool updateElement = xml.namespaceUri() == kUpdateNamespace;
        const bool plainElement = xml.namespaceUri().isEmpty();
        const QStringView name = xml.name();
        if (updateElement && name == u"version") {
            item.version = xml.readElementText().trimmed();
        } else if (updateElement && name == u"shortVersionString") {
            item.shortVersion = xml.readElementText().trimmed();
        } else if (updateElement && name == u"releaseNotesLink") {
            item.releaseNotes = webUrl(xml.readElementText());
        } else if (plainElement && name == u"link") {
            item.link = webUrl(xml.readElementText());
        } else if (plainElement && name == u"enclosure") {
            const QXmlStreamAttributes attributes = xml.attributes();
            item.download = webUrl(attributes.value(QLatin1StringView("url")));
            enclosureVersion = attributes.value(kUpdateNamespace, QLatin1StringView("version")).trimmed().toString();
            enclosureShortVersion =
                attributes.value(kUpdateNamespace, QLatin1StringView("shortVersionString")).trimmed().toString();
            xml.skipCurrentElement();
        } else {
            xml.skipCurrentElement();
        }
    }
    if (item.version.isEmpty()) {
        item.version = enclosureVersion;
    }
    if (item.shortVersion.isEmpty()) {
        item.shortVersion = enclosureShortVersion;
    }
    return item;
}

void keepNewer(std::optional<AppcastItem> &newest, AppcastItem item)
{
    if (!isVersion(item.version.toStdString())) {
        return;
    }
    if (!newest || compareVersions(item.version.toStdString(), newest->version.toStdString()) > 0) {
        newest = std::move(item);
    }
}

} // namespace

QUrl AppcastItem::page() const
{
    for (const QUrl &candidate : {link, download, releaseNotes}) {
        if (!candidate.isEmpty()) {
            return candidate;
        }
    }
    return {};
}

AppcastReading readAppcast(const QByteArray &bytes)
{
    QXmlStreamReader xml(bytes);
    AppcastReading reading;
    if (xml.readNextStartElement() && (xml.name() != u"rss" || !xml.namespaceUri().isEmpty())) {
        reading.error = QCoreApplication::translate("Updates", "it is not an RSS feed (it begins with <%1>)")
                            .arg(xml.qualifiedName());
        return reading;
    }
    std::optional<AppcastItem> newest;
    while (xml.readNextStartElement()) {
        if (xml.name() != u"channel") {
            xml.skipCurrentElement();
            continue;
        }
        while (xml.readNextStartElement()) {
            if (xml.name() == u"item") {
                keepNewer(newest, readItem(xml));
            } else {
                xml.skipCurrentElement();
            }
        }
    }
    // A fault further on still spoils the whole document.
    while (!xml.atEnd()) {
        xml.readNext();
    }
    if (xml.hasError()) {
        QString fault = xml.errorString();
        if (fault.endsWith(QLatin1Char('.'))) {
            fault.chop(1);
        }
        reading.error = QCoreApplication::translate("Updates", "it is not valid XML (line %1: %2)")
                            .arg(xml.lineNumber())
                            .arg(fault);
        return reading;
    }
    reading.newest = std::move(newest);
    return reading;
}

} // namespace lumvex
