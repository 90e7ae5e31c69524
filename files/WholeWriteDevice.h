#pragma once

#include <QIODevice>
#include <QString>

// Passes writes on to another device and insists that each arrives whole. A
// device may accept part of a write (a disk that fills up does) and writers
// such as Qt's PDF engine never look at the count: here a short write is
// followed up until the rest is written or the system says why it cannot be,
// and from the first failure on every write fails and failure() tells why.
class WholeWriteDevice : public QIODevice
{
    Q_OBJECT

public:
    explicit WholeWriteDevice(QIODevice &target);

    // Empty while every byte arrived.
    const QString &failure() const { return m_failure; }
    bool isSequential() const override { return true; }

protected:
    qint64 readData(char *data, qint64 maxSize) override;
    qint64 writeData(const char *data, qint64 size) override;

private:
    QIODevice &m_target;
    QString m_failure;
};
