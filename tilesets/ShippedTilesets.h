#pragma once

#include <QCoreApplication>
#include <QString>
#include <QStringList>

// The files the program comes with: its default tilesets and the metadata
// beside them, in every folder the defaults are looked for. Nothing the user
// saves replaces one, whoever may write the folder: every start reads them.
// Files are told by identity, so another spelling or a link leads to them too.
class ShippedTilesets
{
    Q_DECLARE_TR_FUNCTIONS(ShippedTilesets)

public:
    ShippedTilesets(const QStringList &folders, const QStringList &names);

    // Whether path leads to a shipped picture or metadata file.
    bool holds(const QString &path) const;
    // Whether folder is one the defaults are looked for in.
    bool isShippedFolder(const QString &folder) const;
    // Why nothing may be written at path; empty when it may.
    QString refusal(const QString &path) const;
    // As refusal(), for a tileset saved at path with its metadata beside it.
    QString tilesetRefusal(const QString &path) const;

private:
    QStringList m_folders;
    QStringList m_names;
};
