// SPDX-License-Identifier: MIT
#pragma once

#include <QString>

namespace lumvex::i18n {

// Installs the catalogue for the first of the user's languages (LANGUAGE, LC_ALL, LC_MESSAGES, LANG) that
// Lumvex has one for, from `folder` (relative paths are taken from the program's own folder). Without
// one the texts stay English; a catalogue that cannot be read is skipped with a line in the log. Needs a
// QCoreApplication.
void installTranslations(const QString &folder);

} // namespace lumvex::i18n
