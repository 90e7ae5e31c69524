#include "dialogs/FileDialogs.h"

#include "tilesets/TilesetImageReader.h"

#include <QFileDialog>

namespace FileDialogs {

namespace {
// The folder of the last file chosen, so each dialog opens where the user was.
QString &lastFolder()
{
    static QString folder;
    return folder;
}
} // namespace

QString showOpen(QWidget *owner, const QString &filter)
{
    const QString path = QFileDialog::getOpenFileName(owner, QStringLiteral("Open"), lastFolder(), filter);
    if (!path.isEmpty())
        lastFolder() = QFileInfo(path).absolutePath();
    return path;
}

QString tilesetFilter()
{
    QStringList patterns{QStringLiteral("*.bmp"), QStringLiteral("*.gif"), QStringLiteral("*.jpg"),
                         QStringLiteral("*.wmf")};
    patterns += TilesetImageReader::extraPatterns();
    return QStringLiteral("Graphic Files (*.*) (%1)").arg(patterns.join(QLatin1Char(' ')));
}

} // namespace FileDialogs
