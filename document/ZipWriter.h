#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

// Builds a zip archive in memory, entry by entry in the order added.
class ZipWriter
{
public:
    enum class Method { Store, Deflate };

    // The bytes are copied; nothing is written until archive().
    void add(const QString &name, const QByteArray &bytes, Method method);
    // The whole archive, or empty with error set to the reason.
    QByteArray archive(QString *error) const;

private:
    struct Entry
    {
        QString name;
        QByteArray bytes;
        Method method;
    };
    QList<Entry> m_entries;
};
