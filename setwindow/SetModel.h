#pragma once

#include "set/MaptileSet.h"
#include "set/WhereUsed.h"

#include <QAbstractListModel>
#include <QImage>
#include <QList>
#include <QPixmap>

#include <optional>

// The set as the set window's list shows it: a row for each document, in the
// order they were found, with its thumbnail once read (marked when its number
// is shared or missing, and where a subtile asked about is used), its file
// name, number, size and designer, or why it is no maptile of the set.
// SetOrder puts the rows in the set's order.
class SetModel : public QAbstractListModel
{
    Q_OBJECT

public:
    static constexpr int ThumbnailSide = 128;
    enum Role { PathRole = Qt::UserRole, MarksRole };

    explicit SetModel(QObject *parent = nullptr);

    const MaptileSet &set() const { return m_set; }
    // A row for path, being read; one listed already shows it is read again.
    void add(const QString &path);
    // What reading path gave; nothing when path is no longer listed.
    void setRead(const QString &path, const MaptileSet::Entry &entry, const QImage &thumbnail);
    void remove(const QString &path);
    // The subtile whose use is marked on every thumbnail; none clears the marks.
    void setWhereUsed(const std::optional<WhereUsed> &whereUsed);
    const std::optional<WhereUsed> &whereUsed() const { return m_whereUsed; }

    // The finished maptile made small enough for the list.
    static QImage thumbnailOf(const MaptileDocument &document);

    int rowCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;

private:
    // The thumbnail as shown: with its mark, or standing in for one still read or not to be read.
    QPixmap decoration(qsizetype row) const;
    QString text(qsizetype row) const;
    QString accessibleText(qsizetype row) const;
    // What the thumbnail shows besides the picture, so that a change draws it anew.
    int shownState(qsizetype row) const;
    // Marks depend on every row: all are shown anew when one changes.
    void allChanged();

    MaptileSet m_set;
    std::optional<WhereUsed> m_whereUsed;
    QList<QImage> m_thumbnails;
    mutable QList<QPixmap> m_shown;
    mutable QList<int> m_shownStates;
};
