#pragma once

#include <QString>
#include <QStringList>

// The program's texts in the user's language, and Qt's own for the standard
// dialogs in the same language. The language is the first of the system's
// (LANGUAGE, then LC_ALL, LC_MESSAGES, LANG) the program has texts for;
// English, the language the texts are written in, or none of them leaves
// every text as written.
class Translations
{
public:
    // Installs the translations into the running application, before any
    // window or message is made; returns the language taken ("de"), or the
    // empty text for English.
    static QString install();
    // Installs the translations of one language in place of any installed
    // before; the empty text or a language without texts leaves English.
    // Returns whether the program's own were found.
    static bool install(const QString &language);

    // The language to take from the user's list (as QLocale::uiLanguages
    // gives it, "de-AT") given the languages translated ("de", "fr"); empty
    // when English comes first or nothing fits.
    static QString choose(const QStringList &wanted, const QStringList &translated);

    // The folder the .qm files are in: beside the program in the build tree,
    // the installed data folder seen from the editor's folder or the reading
    // process's; empty when there is none.
    static QString folder();
    // The languages that folder holds translations for.
    static QStringList translated(const QString &folder);
};
