#include "setwindow/SetExport.h"

SetExport::SetExport(const QString &program, const QStringList &documents, const QString &folder,
                     const QString &format, QObject *parent)
    : SetRun(program, documents, parent)
    , m_folder(folder)
    , m_format(format)
{
}

QStringList SetExport::arguments(const QStringList &documents) const
{
    return QStringList{QStringLiteral("--export"), m_folder, QStringLiteral("--format"), m_format} + documents;
}

QString SetExport::stoppedLine(const QStringList &names) const
{
    return tr("The export of %1 stopped before it was done; what it had not finished was not written.")
        .arg(names.join(QStringLiteral(", ")));
}
