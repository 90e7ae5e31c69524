#pragma once

#include "document/ZipReader.h"
#include "maptile/SpeedValues.h"

#include <QByteArray>
#include <QCoreApplication>
#include <QHash>
#include <QSize>
#include <QString>
#include <QStringList>

#include <memory>

class QFile;

// A font of the maptile as a document records it.
struct DocumentFont
{
    QString family;
    double points = 0;
    quint32 rgb = 0; // as a QRgb, fully opaque
    bool bold = false;
    bool italic = false;
    bool underline = false;
    bool strikeOut = false;
};

// The editor's state a document of this program carries beside its pictures.
struct DocumentState
{
    int columns = 0;
    int rows = 0;
    QString master; // the entry of the placed subtiles
    QString mapNum;
    QString designer;
    SpeedValues speed;
    DocumentFont mapNumFont;
    DocumentFont speedFont;
};

// Why a document is refused: a sentence part without the file name, and
// whether the file is no OpenRaster document at all.
struct DocumentRefusal
{
    QString reason;
    bool notADocument = false;

    // Ends the reading of a document that breaks a rule.
    [[noreturn]] static void raise(const QString &reason) { throw DocumentRefusal{reason}; }
};

// The checks an OpenRaster document passes before any of its pictures is
// decoded, and the reading of this program's state from it, without Qt Gui,
// so that the command line's export shares them with the editor. The file may
// come from anywhere: entries are read only by name and never written out,
// every size is checked before memory is taken for it, and a rule broken
// throws a DocumentRefusal.
class DocumentArchive
{
    Q_DECLARE_TR_FUNCTIONS(DocumentArchive)

public:
    // Larger documents are refused before they are read.
    static constexpr qint64 MaxFileBytes = 256 * 1024 * 1024;
    // The XML entries, which a maptile keeps within a few kilobytes.
    static constexpr qint64 MaxXmlBytes = 1024 * 1024;
    // Layers a document may list; another program's are never decoded, this
    // program's documents have four, each checked.
    static constexpr int MaxLayers = 100;
    static constexpr int MaxMaptileLayers = 8;
    // A picture entry may be as large as the largest picture the program decodes.
    static constexpr qint64 MaxPictureBytes = 128 * 1024 * 1024;
    // Longest texts accepted: the number box holds two characters.
    static constexpr int MaxMapNumLength = 2;
    static constexpr int MaxDesignerLength = 1000;
    static constexpr int MaxSpeedLength = MaxSpeedValueLength;
    // A font's family name and size in points.
    static constexpr int MaxFamilyLength = 200;
    static constexpr double MinPoints = 1;
    static constexpr double MaxPoints = 400;
    static inline const QString MergedEntry = QStringLiteral("mergedimage.png");

    // Checks the archive, its mimetype and its layer stack.
    explicit DocumentArchive(const QByteArray &bytes);
    // The same for the document file at path, which is read as entries are
    // read rather than all of it first; the file is checked as load() does.
    explicit DocumentArchive(const QString &path);
    ~DocumentArchive();

    // The image size the layer stack gives.
    QSize size() const { return m_size; }
    const QStringList &layers() const { return m_layers; }
    bool hasState() const;
    bool contains(const QString &name) const { return m_zip->contains(name); }
    // This program's state, checked against the layers: every layer has the
    // maptile's size. The pictures themselves are checked when decoded.
    DocumentState readState();
    // The entry's bytes, at most limit of them.
    QByteArray entry(const QString &name, qint64 limit);
    // The entry read piece by piece.
    std::unique_ptr<ZipEntryStream> stream(const QString &name, qint64 limit);
    // The size a picture entry's PNG header gives, read once per entry.
    QSize pictureSize(const QString &name);
    // The most bytes a PNG of that size can hold, even of 16-bit colour with
    // transparency stored without compression, plus room for its header,
    // colour profile and texts: anything beyond is padding that would only
    // keep the decoder busy.
    static qint64 pngByteLimit(QSize size);

    // The bytes of the document file at path, or empty with error set to
    // failure(path, reason).
    static QByteArray load(const QString &path, QString *error);
    // The sentence for a document that cannot be opened.
    static QString failure(const QString &path, const QString &reason);
    // The same for a refusal; a file that is no document at all and not named
    // as one is called what it is.
    static QString failure(const QString &path, const DocumentRefusal &refusal);
    // Whether a document may hold the font: a family named, within the
    // limit, a size within the limits, an opaque colour.
    static bool acceptsFont(const DocumentFont &font);
    // Opens a document file for reading; a file that is none, or cannot be
    // read, or is too large, throws a DocumentRefusal.
    static void openFile(QFile &file);

private:
    void check();
    void readStack();

    std::unique_ptr<QFile> m_file; // when read from a file
    std::unique_ptr<ZipReader> m_zip;
    QSize m_size;
    QStringList m_layers;
    QHash<QString, QSize> m_pictureSizes;
};
