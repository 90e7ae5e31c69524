#pragma once

#include <QString>
#include <QStringList>

// What the editor remembers of the tilesets from one run to the next: the
// folder last used for them, and the file each slot loads at start.
class TilesetSettings
{
public:
    // The folder a tileset was last loaded from or saved in; empty when none
    // was, or when it is gone.
    static QString lastFolder();
    static void rememberFolderOf(const QString &path);

    // The file each slot loads at start, empty for none, in slot order.
    static QStringList pinned();
    // path loaded into slot at every start from now on; the empty text ends that.
    static void setPinned(int slot, const QString &path);
};
