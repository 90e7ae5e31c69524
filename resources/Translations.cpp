#include "resources/Translations.h"

#include <QCoreApplication>
#include <QDir>
#include <QLibraryInfo>
#include <QLocale>
#include <QPointer>
#include <QTranslator>

#include <utility>

namespace {

const QString Prefix = QStringLiteral("cryptwright_");

// The translators installed, so that another language can take their place.
QList<QPointer<QTranslator>> &installed()
{
    static QList<QPointer<QTranslator>> translators;
    return translators;
}

bool installFile(const QString &name, const QString &folder)
{
    auto *translator = new QTranslator(QCoreApplication::instance());
    if (!translator->load(name, folder) || !QCoreApplication::installTranslator(translator)) {
        delete translator;
        return false;
    }
    installed() << translator;
    return true;
}

} // namespace

QString Translations::choose(const QStringList &wanted, const QStringList &translated)
{
    for (const QString &entry : wanted) {
        const QLocale locale(entry);
        // The texts are written in English: an English desktop, or one that
        // puts English before other languages, reads them as they are.
        if (locale.language() == QLocale::English)
            return {};
        if (locale.language() == QLocale::C)
            continue;
        // "de_AT" takes an Austrian translation when there is one, else the German one.
        for (const QString &name : {locale.name(), QLocale::languageToCode(locale.language())}) {
            if (translated.contains(name))
                return name;
        }
    }
    return {};
}

QString Translations::folder()
{
    // Relative to the program, so that an installed tree works under any prefix.
    const QDir program(QCoreApplication::applicationDirPath());
    const QString installed[] = {QStringLiteral(CRYPTWRIGHT_TRANSLATIONS_FROM_BIN),
                                 QStringLiteral(CRYPTWRIGHT_TRANSLATIONS_FROM_READER)};
    for (const QString &candidate : {program.path(), QDir::cleanPath(program.filePath(installed[0])),
                                     QDir::cleanPath(program.filePath(installed[1]))}) {
        if (!translated(candidate).isEmpty())
            return candidate;
    }
    return {};
}

QStringList Translations::translated(const QString &folder)
{
    if (folder.isEmpty())
        return {};
    QStringList languages;
    for (const QString &file : QDir(folder).entryList({Prefix + QStringLiteral("*.qm")}, QDir::Files))
        languages << file.mid(Prefix.size()).chopped(3);
    return languages;
}

QString Translations::install()
{
    const QString language = choose(QLocale::system().uiLanguages(), translated(folder()));
    return install(language) ? language : QString();
}

bool Translations::install(const QString &language)
{
    for (const QPointer<QTranslator> &translator : std::exchange(installed(), {}))
        delete translator; // which removes it
    if (language.isEmpty() || !installFile(Prefix + language, folder()))
        return false;
    // Qt's own texts: the buttons of message boxes, the file and print dialogs, --help's headings.
    installFile(QStringLiteral("qtbase_") + language, QLibraryInfo::path(QLibraryInfo::TranslationsPath));
    return true;
}
