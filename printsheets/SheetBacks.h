#pragma once

#include <QImage>
#include <QList>
#include <QMap>
#include <QObject>
#include <QString>

#include <functional>

// The pictures for the backs of the sheets: one for every maptile, and any
// maptile's own, which wins over it. Each is read through the caller's
// reader when chosen, and kept as one image however many maptiles show it,
// so a PDF holds it once.
class SheetBacks : public QObject
{
    Q_OBJECT

public:
    // Reads the file at path and calls done once, on this thread, with its
    // picture, or with a null picture and the reason.
    using Read =
        std::function<void(const QString &path, std::function<void(const QImage &picture, const QString &error)> done)>;

    explicit SheetBacks(Read read, QObject *parent = nullptr);

    // An empty path takes the back away. Owners are the caller's numbers for its maptiles.
    void setForAll(const QString &path);
    void setOwn(int owner, const QString &path);
    QString forAllPath() const { return m_forAll.path; }
    // The file names shown for them; empty for none.
    QString forAllName() const { return m_forAll.name(); }
    QString ownName(int owner) const { return m_own.value(owner).name(); }
    // The name of a back still being read, or empty when all are in.
    QString reading() const;

    // For the maptiles of owners, in order, each one's index among pictures, or -1.
    QList<int> assign(const QList<int> &owners, QList<QImage> *pictures) const;

signals:
    // A back was chosen, taken away or read.
    void changed();
    // A back could not be read and was taken away; the sentence to show.
    void failed(const QString &message);

private:
    struct Back
    {
        QString path;
        QImage picture;
        int request = 0; // an answer to an older request is not this back's
        QString name() const;
    };

    void read(Back &back, int owner);

    Read m_read;
    Back m_forAll;
    QMap<int, Back> m_own;
    int m_requests = 0;
};
