#include "dialogs/FileDialogs.h"

#include "pictures/PictureDecoder.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileDialog>

namespace FileDialogs {

namespace {

struct Texts
{
    Q_DECLARE_TR_FUNCTIONS(FileDialogs)
};

// The folder of the last file chosen, so each dialog opens where the user was.
QString &lastFolder()
{
    // Start at home rather than wherever Qt's own dialog state last pointed:
    // a dialog that opens inside /proc stalls reading its special files.
    static QString folder = QDir::homePath();
    return folder;
}

void remember(const QString &path)
{
    // The same goes for a folder chosen by hand in one of those file systems.
    const QString folder = QFileInfo(path).absolutePath();
    for (const char *special : {"/proc", "/sys", "/dev"})
        if (folder == QLatin1String(special) || folder.startsWith(QLatin1String(special) + QLatin1Char('/')))
            return;
    lastFolder() = folder;
}

// A save dialog offering types; the type chosen last (lastType) is offered
// again, and a name typed without an extension takes the chosen type's.
QString askSaveName(QWidget *owner, const QString &title, const QString &start, const QStringList &types,
                    QString &lastType)
{
    QFileDialog dialog(owner, title, start);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setNameFilters(types);
    dialog.selectNameFilter(lastType);
    const auto suffixOf = [](const QString &type) { return type.section(QStringLiteral("*."), 1).left(3); };
    dialog.setDefaultSuffix(suffixOf(lastType));
    QObject::connect(&dialog, &QFileDialog::filterSelected, &dialog,
                     [&dialog, suffixOf](const QString &type) { dialog.setDefaultSuffix(suffixOf(type)); });
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    lastType = dialog.selectedNameFilter();
    const QString path = dialog.selectedFiles().front();
    remember(path);
    return path;
}

} // namespace

QString showOpen(QWidget *owner, const QString &filter)
{
    const QString path = QFileDialog::getOpenFileName(owner, Texts::tr("Open"), lastFolder(), filter);
    if (!path.isEmpty())
        remember(path);
    return path;
}

QString tilesetFilter()
{
    QStringList patterns{QStringLiteral("*.bmp"), QStringLiteral("*.gif"), QStringLiteral("*.jpg"),
                         QStringLiteral("*.wmf")};
    patterns += PictureDecoder::extraPatterns();
    return Texts::tr("Graphic Files (*.*) (%1)").arg(patterns.join(QLatin1Char(' ')));
}

QString maptileFilter()
{
    QStringList patterns{QStringLiteral("*.bmp"), QStringLiteral("*.jpg"), QStringLiteral("*.ora"),
                         QStringLiteral("*.gif"), QStringLiteral("*.wmf")};
    patterns += PictureDecoder::extraPatterns();
    patterns.removeDuplicates();
    return Texts::tr("Map Tiles (*.*) (%1)").arg(patterns.join(QLatin1Char(' ')));
}

QString showSave(QWidget *owner)
{
    static const QStringList types{Texts::tr("Jpeg (*.jpg)"), Texts::tr("Bitmap (*.bmp)"), Texts::tr("PNG (*.png)"),
                                   Texts::tr("Cryptwright maptile (*.ora)")};
    static QString lastType = types.front();
    return askSaveName(owner, Texts::tr("Save As"), lastFolder(), types, lastType);
}

QString showSaveTileset(QWidget *owner, const QString &suggested)
{
    static const QStringList types{Texts::tr("PNG (*.png)"), Texts::tr("Bitmap (*.bmp)"),
                                   Texts::tr("Jpeg (*.jpg *.jpeg)")};
    static QString lastType = types.front();
    return askSaveName(owner, Texts::tr("Save Tileset As"), QDir(lastFolder()).filePath(suggested), types,
                       lastType);
}

} // namespace FileDialogs
