// SPDX-License-Identifier: MIT
#pragma once

#include <QString>
#include <QUrl>

namespace lumvex {

// A short message for the user, and the web page it leads to when the user picks it.
struct Notice
{
    QString summary;
    QString body;
    QUrl link;         // empty when it leads nowhere
    QString linkLabel; // what picking it does, as a button would say
};

// Shows notices on the desktop. Where the desktop cannot show them they are dropped without a word.
class Notifier
{
public:
    virtual ~Notifier() = default;

    virtual void show(const Notice &notice) = 0;
};

} // namespace lumvex
