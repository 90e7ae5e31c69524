#include "MainWindowFixture.h"

#include "dialogs/EditTileWindow.h"
#include "dialogs/FontDialog.h"
#include "dialogs/LoadProgress.h"
#include "dialogs/OptionsWindow.h"
#include "dialogs/TransparencyWindow.h"
#include "mainwindow/GuideHints.h"
#include "readerclient/PictureReader.h"
#include "resources/Translations.h"
#include "views/PaletteView.h"

#include <QRegularExpression>
#include <QXmlStreamReader>

namespace {

const QStringList Languages{u"de"_s, u"fr"_s};

struct Message
{
    QString context, source, translation, type;
};

// Every message of a .ts file.
QList<Message> messages(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    QList<Message> found;
    QXmlStreamReader xml(&file);
    QString context;
    while (!xml.atEnd()) {
        if (xml.readNext() != QXmlStreamReader::StartElement)
            continue;
        if (xml.name() == u"name"_s) {
            context = xml.readElementText();
        } else if (xml.name() == u"message"_s) {
            found << Message{context, {}, {}, {}};
        } else if (xml.name() == u"source"_s && !found.isEmpty()) {
            found.last().source = xml.readElementText();
        } else if (xml.name() == u"translation"_s && !found.isEmpty()) {
            found.last().type = xml.attributes().value(u"type"_s).toString();
            found.last().translation = xml.readElementText(QXmlStreamReader::IncludeChildElements);
        }
    }
    return xml.hasError() ? QList<Message>{} : found;
}

// What a translation must keep of its source: the placeholders, %1 and %L1 alike, each once, and
// whether it marks a key for its control with "&" ("&&" is a plain ampersand).
QStringList marks(const QString &text)
{
    static const QRegularExpression placeholder(u"%L?\\d+"_s);
    QStringList found;
    for (const QRegularExpressionMatch &match : placeholder.globalMatch(text))
        found << match.captured();
    found.sort();
    found.removeDuplicates();
    return found << (QString(text).remove(u"&&"_s).contains(u'&') ? u"&"_s : QString());
}

// The texts of a window's labels and buttons that its fixed layout cuts off, one line each.
QStringList cutOff(QWidget *window)
{
    QStringList found;
    for (QWidget *widget : window->findChildren<QWidget *>()) {
        auto *label = qobject_cast<QLabel *>(widget);
        auto *button = qobject_cast<QAbstractButton *>(widget);
        const QString text = label ? label->text() : button ? button->text() : QString();
        if (text.isEmpty() || !widget->isVisibleTo(window))
            continue;
        // A push button's frame takes 8 pixels, less than its size hint asks.
        const bool fits = label && label->wordWrap() ? label->heightForWidth(label->width()) <= label->height()
            : qobject_cast<QPushButton *>(widget)
            ? button->fontMetrics().horizontalAdvance(QString(text).remove(u'&')) + 8 <= button->width()
            : widget->sizeHint().width() <= widget->width();
        if (!fits)
            found << u"%1: \"%2\""_s.arg(window->objectName(), text);
    }
    return found;
}

} // namespace

// The program in German and French: the shipped translations complete and in
// step with the sources, their placeholders and keys kept, the language taken
// from the system's list, and the window, its hints and the reading process's
// refusals in that language, fitting where they stand.
class TestTranslations : public QObject
{
    Q_OBJECT

    QTemporaryDir m_defaults;

private slots:
    void initTestCase()
    {
        setUpApplication();
        writeDefaults(m_defaults.path());
    }
    void cleanup() { Translations::install(QString()); }

    // Every text finished, with the placeholders and the key of its source; lupdate brings a copy in
    // step with the sources, where a text it adds is unfinished and one gone from them vanished.
    void shippedTranslationsMatchTheSources()
    {
        QStringList wrong;
        QTemporaryDir scratch;
        for (const QString &language : Languages) {
            const QString shipped = u"%1/cryptwright_%2.ts"_s.arg(QStringLiteral(TRANSLATIONS_DIR), language);
            for (const Message &message : messages(shipped))
                if (marks(message.source) != marks(message.translation))
                    wrong << u"%1: placeholders or key of %2: %3"_s.arg(language, message.context, message.source);
            const QString copy = scratch.filePath(QFileInfo(shipped).fileName());
            QVERIFY(QFile::copy(shipped, copy));
            QProcess lupdate;
            lupdate.start(QStringLiteral(LUPDATE),
                          {u"-locations"_s, u"none"_s, u"@" LUPDATE_SOURCES ""_s, u"-ts"_s, copy});
            QVERIFY(lupdate.waitForFinished(120000));
            QCOMPARE(lupdate.exitCode(), 0);
            // A text lupdate cannot see, such as tr() outside a class, is reported here.
            const QString warnings = QString::fromUtf8(lupdate.readAllStandardError()).trimmed();
            QVERIFY2(warnings.isEmpty(), qPrintable(warnings));
            const QList<Message> found = messages(copy);
            QVERIFY(found.size() > 300);
            for (const Message &message : found)
                if (!message.type.isEmpty() || message.translation.trimmed().isEmpty())
                    wrong << u"%1: %2 %3: %4"_s.arg(language, message.type, message.context, message.source);
        }
        QVERIFY2(wrong.isEmpty(), qPrintable(wrong.join(u'\n')));
    }

    // The first of the system's languages that is translated, English included (English first before a
    // translated one is the other processes' test's); none is English too.
    void languageComesFromTheSystemList()
    {
        const std::pair<QStringList, QString> lists[] = {{{u"de-AT"_s, u"en-GB"_s}, u"de"_s},
                                                         {{u"es-ES"_s, u"it"_s, u"fr-CA"_s}, u"fr"_s},
                                                         {{u"C"_s}, {}},
                                                         {{}, {}}};
        for (const auto &[wanted, taken] : lists)
            QCOMPARE(Translations::choose(wanted, Languages), taken);
    }

    void windowAndHintsReadInTheLanguage_data()
    {
        QTest::addColumn<QString>("language");
        QTest::addColumn<QStringList>("expected"); // welcome, clear button's hint, its tooltip, slot A's palette, Yes
        QTest::newRow("English") << QString()
                                 << u"Welcome to Cryptwright Version 1.00!|This button clears the maptile with blank "
                                    "spaces.|Clear the maptile (Ctrl+N)|Tileset A|&Yes"_s.split(u'|');
        QTest::newRow("German") << u"de"_s
                                << u"Willkommen bei Cryptwright Version 1.00!|Dieser Knopf leert alle Felder des "
                                   "Kartenteils.|Kartenteil leeren (Strg+N)|Kachelsatz A|&Ja"_s.split(u'|');
        QTest::newRow("French") << u"fr"_s
                                << u"Bienvenue dans Cryptwright version 1.00\u00a0!|Ce bouton efface la dalle et remet "
                                   "toutes ses cases à vide.|Effacer la dalle (Ctrl+N)|Jeu de tuiles A|&Oui"_s.split(
                                       u'|');
    }
    // The window, its hints and Qt's own texts in the language; every hint fits the guide's speech bubble,
    // and the windows of fixed size show their labels and buttons whole, every control named.
    void windowAndHintsReadInTheLanguage()
    {
        QFETCH(QString, language);
        QFETCH(QStringList, expected);
        QCOMPARE(Translations::install(language), !language.isEmpty());
        const std::unique_ptr<MainWindow> window = startWindow(m_defaults.path());
        QVERIFY(window);
        auto *guide = child<QLabel>(window.get(), u"lblDude"_s);
        const QString welcome = guide->text();
        QWidget *clear = child(window.get(), u"cmdClear"_s);
        QTest::mouseMove(clear, clear->rect().center());
        QMessageBox box(QMessageBox::Question, {}, {}, QMessageBox::Yes | QMessageBox::No);
        QCOMPARE(QStringList({welcome, guide->text(), clear->toolTip(), window->palette(0)->accessibleName(),
                              box.button(QMessageBox::Yes)->text()}),
                 expected);

        QStringList wrong;
        for (int number = 100; number < 140; ++number) {
            guide->setText(GuideHints::text(number));
            if (guide->heightForWidth(guide->width()) > guide->height())
                wrong << u"hint %1: \"%2\""_s.arg(number).arg(guide->text());
        }
        Workspace &workspace = window->workspace();
        auto *editor = new EditTileWindow(workspace, window.get());
        editor->editCell(window->palette(0));
        for (QWidget *fixed :
             std::initializer_list<QWidget *>{window.get(), new TransparencyWindow(workspace, window.get()), editor,
                                              new OptionsWindow(workspace, window.get()),
                                              new FontDialog(QFont(u"Arial"_s, 12), Qt::black, window.get()),
                                              new LoadProgress(u"tileset.png"_s, window.get())}) {
            fixed->show();
            wrong << cutOff(fixed) << unnamed(QAccessible::queryAccessibleInterface(fixed));
        }
        QVERIFY2(wrong.isEmpty(), qPrintable(wrong.join(u'\n')));
    }

    void readingProcessSpeaksTheLanguage_data()
    {
        QTest::addColumn<QString>("language");
        QTest::addColumn<QString>("expected"); // its refusal of a file that is no picture
        QTest::newRow("German") << u"de"_s
                                << u"„garbage.png“ kann nicht geöffnet werden: Es ist kein Bild in einem Format, das "
                                   "das Programm liest."_s;
        QTest::newRow("French") << u"fr"_s
                                << u"Impossible d’ouvrir «\u00a0garbage.png\u00a0»\u00a0: ce n’est pas une image dans "
                                   "un format que le programme sait lire."_s;
        QTest::newRow("English first") << u"en_GB:de"_s << u"it is not a picture in a format the program reads"_s;
    }
    // This process stays English: the texts can only be translated by the reading process. (The command
    // line's help in each language is the install check's.)
    void readingProcessSpeaksTheLanguage()
    {
        QFETCH(QString, language);
        QFETCH(QString, expected);
        QTemporaryDir folder;
        const QString garbage = folder.filePath(u"garbage.png"_s);
        TestImages::writeText(garbage, QByteArray(4096, 'x'));
        PictureReader::endWaiting();
        const QByteArray before = qgetenv("LANGUAGE");
        qputenv("LANGUAGE", language.toUtf8());
        PictureReader reader;
        QSignalSpy finished(&reader, &PictureReader::finished);
        reader.start(garbage, PictureReader::Kind::WholePicture);
        qputenv("LANGUAGE", before);
        QTRY_COMPARE_WITH_TIMEOUT(finished.size(), 1, 20000);
        PictureReader::endWaiting();
        const QString refused = finished.front().at(1).toString();
        QVERIFY2(refused.contains(expected), qPrintable(refused));
    }
};

QTEST_MAIN(TestTranslations)
#include "tst_translations.moc"
