#pragma once

#include <QByteArray>
#include <QCoreApplication>
#include <QIODevice>
#include <QString>

// A device a PDF is written through on its way to another. Once the PDF is
// complete, finish() adds an update of its catalog that asks viewers to
// print at actual size, not fitted to the printer's page (PrintScaling
// None), as an incremental update: the new catalog, a cross-reference
// section for it alone and a trailer that points back to the old one. The
// PDF as written stays byte for byte, so nothing held in memory grows with it.
class ActualSizePdf : public QIODevice
{
    Q_DECLARE_TR_FUNCTIONS(ActualSizePdf)

public:
    // Opened for writing to target, which must stay open until finish().
    explicit ActualSizePdf(QIODevice &target);

    // Appends the update; returns the empty text or a one-sentence reason.
    QString finish();

    bool isSequential() const override { return true; }

protected:
    qint64 readData(char *data, qint64 size) override;
    qint64 writeData(const char *data, qint64 size) override;

private:
    bool send(const QByteArray &bytes);

    QIODevice &m_target;
    qint64 m_written = 0;
    bool m_failed = false;
    // The start holds the catalog, the end the trailer.
    QByteArray m_head;
    QByteArray m_tail;
};
