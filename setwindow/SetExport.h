#pragma once

#include "setwindow/SetRun.h"

// Every document of a set exported into one folder by the command line's
// --export. Cancelled, the run at work finishes and none follows: every file
// written is whole. The report names each document that could not be exported.
class SetExport : public SetRun
{
    Q_OBJECT

public:
    SetExport(const QString &program, const QStringList &documents, const QString &folder, const QString &format,
              QObject *parent = nullptr);

protected:
    QStringList arguments(const QStringList &documents) const override;
    QString stoppedLine(const QStringList &names) const override;

private:
    QString m_folder;
    QString m_format;
};
