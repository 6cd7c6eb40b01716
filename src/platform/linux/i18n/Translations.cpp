// SPDX-License-Identifier: MIT
#include "Translations.h"

#include "platform/linux/Logging.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QLocale>
#include <QTranslator>

namespace lumvex::i18n {

namespace {

// "de-DE" is looked for as lumvex_de_DE.qm, then lumvex_de.qm.
QStringList catalogueNames(const QString &language)
{
    QString name = language;
    name.replace(QLatin1Char('-'), QLatin1Char('_'));
    QStringList names{name};
    if (const qsizetype cut = name.indexOf(QLatin1Char('_')); cut > 0) {
        names.append(name.left(cut));
    }
    return names;
}

} // namespace

void installTranslations(const QString &folder)
{
    const QDir dir(QDir::cleanPath(QDir(QCoreApplication::applicationDirPath()).filePath(folder)));
    for (const QString &language : QLocale::system().uiLanguages()) {
        for (const QString &name : catalogueNames(language)) {
            if (name.startsWith(QLatin1String("en"))) {
                return;
            }
            const QString path = dir.filePath(QStringLiteral("lumvex_%1.qm").arg(name));
            if (!QFileInfo::exists(path)) {
                continue;
            }
            // Owned by the application, which outlives every text it translates.
            auto *translator = new QTranslator(QCoreApplication::instance());
            if (translator->load(path) && QCoreApplication::installTranslator(translator)) {
                return;
            }
            delete translator;
            qCWarning(lcApp, "ignoring the unreadable translation catalogue %s", qUtf8Printable(path));
            return;
        }
    }
}

} // namespace lumvex::i18n
