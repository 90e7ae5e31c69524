#include "dialogs/FileDialogs.h"

#include "pictures/PictureDecoder.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileDialog>
#include <QSettings>

#include <algorithm>

namespace FileDialogs {

namespace {

const QString LastFolderKey = QStringLiteral("dialogs/lastFolder");

struct Texts
{
    Q_DECLARE_TR_FUNCTIONS(FileDialogs)
};

QSettings settings()
{
    return QSettings(QStringLiteral("cryptwright"), QStringLiteral("cryptwright"));
}

// Never a folder of a special file system: a dialog that opens inside /proc
// stalls reading its special files.
bool isSpecial(const QString &folder)
{
    for (const char *special : {"/proc", "/sys", "/dev"})
        if (folder == QLatin1String(special) || folder.startsWith(QLatin1String(special) + QLatin1Char('/')))
            return true;
    return false;
}

// The folder of the last file chosen, so each dialog opens where the user was;
// home at first, or when that folder is gone.
QString lastFolder()
{
    const QString folder = settings().value(LastFolderKey).toString();
    return !folder.isEmpty() && !isSpecial(folder) && QFileInfo(folder).isDir() ? folder : QDir::homePath();
}

void remember(const QString &path)
{
    const QString folder = QFileInfo(path).absolutePath();
    if (!isSpecial(folder))
        settings().setValue(LastFolderKey, folder);
}

// A save dialog offering types, the one of suggested's extension chosen (the
// first when none fits); a name typed without an extension takes the chosen type's.
QString askSaveName(QWidget *owner, const QString &title, const QString &suggested, const QStringList &types)
{
    const QFileInfo start(QDir(lastFolder()), suggested);
    QFileDialog dialog(owner, title, start.filePath());
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setNameFilters(types);
    const QString suffix = start.suffix().toLower();
    const auto type = std::find_if(types.begin(), types.end(), [&suffix](const QString &type) {
        const QStringList patterns = type.section(QLatin1Char('('), 1).chopped(1).split(QLatin1Char(' '));
        return !suffix.isEmpty() && patterns.contains(QStringLiteral("*.") + suffix);
    });
    const QString chosen = type == types.end() ? types.front() : *type;
    dialog.selectNameFilter(chosen);
    const auto suffixOf = [](const QString &type) { return type.section(QStringLiteral("*."), 1).left(3); };
    dialog.setDefaultSuffix(suffixOf(chosen));
    QObject::connect(&dialog, &QFileDialog::filterSelected, &dialog,
                     [&dialog, suffixOf](const QString &type) { dialog.setDefaultSuffix(suffixOf(type)); });
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
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

QString showSave(QWidget *owner, const QString &suggested)
{
    const QStringList types{Texts::tr("Cryptwright maptile (*.ora)"), Texts::tr("Jpeg (*.jpg)"),
                            Texts::tr("Bitmap (*.bmp)"), Texts::tr("PNG (*.png)")};
    return askSaveName(owner, Texts::tr("Save As"), suggested, types);
}

QString showSaveTileset(QWidget *owner, const QString &suggested)
{
    const QStringList types{Texts::tr("PNG (*.png)"), Texts::tr("Bitmap (*.bmp)"), Texts::tr("Jpeg (*.jpg *.jpeg)")};
    return askSaveName(owner, Texts::tr("Save Tileset As"), suggested, types);
}

} // namespace FileDialogs
