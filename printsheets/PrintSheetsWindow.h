#pragma once

#include "sheets/SheetLayout.h"
#include "sheets/SheetOutput.h"
#include "sheets/SheetPicture.h"

#include <QDialog>
#include <QImage>
#include <QList>
#include <QString>

#include <functional>
#include <map>
#include <memory>
#include <optional>

class PaperPanel;
class QIODevice;
class QLabel;
class QListWidget;
class QPrinter;
class QPushButton;
class QSpinBox;
class QToolButton;
class SheetBacks;
class SheetPreview;
class TwoSidedPanel;

// The window that prints a set of maptiles on sheets of paper, or saves
// them as one PDF: the current maptile and any documents added, copies of
// each, the paper and how maptiles sit on it, backs for every maptile or
// for one, and a preview of every sheet, front and back. Two-sided sheets
// print two-sided where the printer can, or are saved as a PDF of the fronts
// and one of the backs. The settings are remembered between runs once sheets
// are printed or saved; Escape closes the window and changes nothing.
class PrintSheetsWindow : public QDialog
{
    Q_OBJECT

public:
    // Reads the document at path and calls done once, on this thread, with
    // its picture at 96 pixels per inch, or with a null picture and the reason.
    using ReadDocument =
        std::function<void(const QString &path, std::function<void(const QImage &picture, const QString &error)> done)>;
    // Replaces the file at path with what fill writes, safely; returns the
    // empty text or the sentence to show.
    using WriteFile = std::function<QString(const QString &path, const std::function<QString(QIODevice &)> &fill)>;

    // The current maptile is listed first when its picture is not null.
    // Without writeFile, files are replaced through FileReplacer.
    // Backs are read with readBack, which reads pictures as well as documents; without it, with readDocument.
    PrintSheetsWindow(const QString &currentName, const QImage &currentMaptile, ReadDocument readDocument,
                      WriteFile writeFile = {}, QWidget *parent = nullptr, ReadDocument readBack = {});
    ~PrintSheetsWindow() override;

    // Reads each document and lists it once read; one that cannot be is reported.
    void addDocuments(const QStringList &paths);
    // Reads the picture or document at path as the back of the maptile listed
    // at row, or of every maptile without its own for row -1; an empty path
    // takes that back away.
    void setBack(int row, const QString &path);
    // Writes the sheets shown as a PDF at path; returns the empty text or the reason.
    QString savePdf(const QString &path);
    // Writes the fronts and the backs as two PDFs named after path, for a
    // printer that prints one side at a time; returns the empty text or the reason.
    QString savePdfPair(const QString &path);
    // The names savePdfPair gives the two files.
    static QStringList pairPaths(const QString &path);
    // Prints the sheets on printer, laid out anew for the paper and
    // orientation it is set to; returns the empty text or the reason.
    QString printOn(QPrinter &printer);

    const SheetLayout &layout() const { return m_layout; }

private:
    struct Entry
    {
        int id;
        QString name;
        QImage picture; // null while the document is read
        int copies = 1;
    };

    void buildControls();
    void loadSettings();
    void storeSettings() const;
    std::optional<SheetSettings> chosenSettings(QString *error) const;
    void relayout();
    void showSheet(int sheet);
    void refreshList();
    void choiceChanged();
    void documentRead(int id, const QImage &picture, const QString &error);
    void chooseDocuments();
    void chooseBack(int row);
    void removeSelected();
    void copiesChanged(int copies);
    void chooseAndPrint();
    void chooseAndSave();
    void chooseAndSavePair();
    QString writeSheets(const QString &path, const SheetLayout &layout, SheetOutput::Sides sides, int copies = 1);
    void showError(const QString &text);
    QImage pictureOf(int maptile) const;
    const SheetPicture *sheetPicture(int maptile);
    QImage backOf(int back) const;

    ReadDocument m_readDocument;
    WriteFile m_writeFile;
    QList<Entry> m_entries;
    int m_nextId = 0;
    // The layout shown, and which entry each of its maptiles is.
    SheetLayout m_layout;
    QList<int> m_laidOut;
    std::map<int, SheetPicture> m_pictures;
    QList<QImage> m_backPictures;
    SheetBacks *m_backs = nullptr;
    int m_sheet = 0;
    std::unique_ptr<QPrinter> m_printer;

    QListWidget *m_list = nullptr;
    QPushButton *m_add = nullptr;
    QPushButton *m_remove = nullptr;
    QPushButton *m_ownBack = nullptr;
    QPushButton *m_noOwnBack = nullptr;
    QSpinBox *m_copies = nullptr;
    PaperPanel *m_paperPanel = nullptr;
    TwoSidedPanel *m_twoSided = nullptr;
    SheetPreview *m_preview = nullptr;
    QToolButton *m_previous = nullptr;
    QToolButton *m_next = nullptr;
    QLabel *m_sheetLabel = nullptr;
    QLabel *m_status = nullptr;
    QPushButton *m_print = nullptr;
    QPushButton *m_save = nullptr;
};
