// SPDX-License-Identifier: MIT
#pragma once

#include <QString>
#include <QUrl>

#include <optional>

class QByteArray;

namespace lumvex {

// One release announced by an update feed (an RSS "appcast").
struct AppcastItem
{
    QString version;      // compared with the program's version
    QString shortVersion; // shown to people when present
    QUrl link;            // the release's web page
    QUrl releaseNotes;
    QUrl download; // the enclosure

    QString displayVersion() const { return shortVersion.isEmpty() ? version : shortVersion; }
    // Where people get the release: its page, else the download, else the release notes.
    QUrl page() const;
};

// What a feed says: its newest release, or why the text is no feed.
struct AppcastReading
{
    std::optional<AppcastItem> newest; // nothing when the feed lists no release
    QString error;                     // empty when the text is a feed
};

// Reads an RSS feed whose items carry their versions in elements of the update namespace (version,
// shortVersionString, releaseNotesLink), or as attributes of the enclosure in that namespace. Items
// without a version are skipped; links other than http and https are dropped, as a feed is not to open
// local files or run scripts.
AppcastReading readAppcast(const QByteArray &xml);

} // namespace lumvex
