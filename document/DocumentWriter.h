#pragma once

#include <QByteArray>
#include <QCoreApplication>
#include <QString>

struct MaptileDocument;

// Writes a maptile as an OpenRaster document: the credit, the maptile
// number and the speed values each on a layer of their own over the placed
// subtiles, the merged picture (what is saved, printed and previewed) and a
// thumbnail, so any painting program shows the same maptile. The editor's own
// state goes into an extension entry that other readers ignore.
class DocumentWriter
{
    Q_DECLARE_TR_FUNCTIONS(DocumentWriter)

public:
    static inline const QString MimeType = QStringLiteral("image/openraster");
    static inline const QString Suffix = QStringLiteral("ora");
    // The extension entry, its XML namespace, and the newest version this program writes and reads.
    static inline const QString StateEntry = QStringLiteral("cryptwright/maptile.xml");
    static inline const QString Namespace = QStringLiteral("https://cryptwright.example.org/ns/maptile");
    static constexpr int Version = 1;
    static inline const QString MasterEntry = QStringLiteral("data/subtiles.png");
    static constexpr int ThumbnailSize = 256;

    // Whether a path names a document rather than a picture.
    static bool isDocumentPath(const QString &path);

    // The document's bytes, or empty with error set to the reason.
    static QByteArray encode(const MaptileDocument &document, QString *error);
};
