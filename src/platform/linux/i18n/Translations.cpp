// SPDX-License-Identifier: MIT
#include "Translations.h"

#include "base/Translation.h"
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

bool install(const QString &path)
{
    // Owned by the application, which outlives every text it translates.
    auto *translator = new QTranslator(QCoreApplication::instance());
    if (translator->load(path) && QCoreApplication::installTranslator(translator)) {
        return true;
    }
    delete translator;
    qCWarning(lcApp, "ignoring the unreadable translation catalogue %s", qUtf8Printable(path));
    return false;
}

} // namespace

void installTranslations(const QString &folder)
{
    // The plain libraries' texts go through the same catalogues.
    setTranslator([](const char *context, const char *source,
                     int n) { return QCoreApplication::translate(context, source, nullptr, n).toStdString(); },
                  QLocale::system().decimalPoint().toStdString());
    const QDir dir(QDir::cleanPath(QDir(QCoreApplication::applicationDirPath()).filePath(folder)));
    auto catalogue = [&dir](const QString &name) { return dir.filePath(QStringLiteral("lumvex_%1.qm").arg(name)); };
    QStringList tried; // a language may come more than once ("de", "de-DE")
    for (const QString &language : QLocale::system().uiLanguages()) {
        for (const QString &name : catalogueNames(language)) {
            if (!tried.contains(name) && QFileInfo::exists(catalogue(name))) {
                tried.append(name);
                if (install(catalogue(name))) {
                    return;
                }
                break;
            }
        }
    }
    // English needs its catalogue for its plural forms only.
    if (QFileInfo::exists(catalogue(QStringLiteral("en")))) {
        install(catalogue(QStringLiteral("en")));
    }
}

} // namespace lumvex::i18n
