#include "cli/Exporter.h"

#include "app/ProgramModule.h"
#include "cli/QuickExport.h"
#include "cli/RenderEntry.h"

#include <QFileInfo>

const QStringList &Exporter::suffixes()
{
    static const QStringList list{QStringLiteral("jpg"), QStringLiteral("jpeg"), QStringLiteral("bmp"),
                                  QStringLiteral("png"), QStringLiteral("pdf")};
    return list;
}

bool Exporter::formatFor(const QString &path, Format *format)
{
    static const Format formats[] = {Format::Jpeg, Format::Jpeg, Format::Bitmap, Format::Png, Format::Pdf};
    const qsizetype index = suffixes().indexOf(QFileInfo(path).suffix().toLower());
    if (index < 0)
        return false;
    *format = formats[index];
    return true;
}

Exporter::Exporter()
    : m_beside(QuickExport::BesideBytes)
{
}

QString Exporter::exportDocument(const QString &documentPath, const QString &out, Format format,
                                 const JpegOptions &jpeg)
{
    QString error;
    if (QuickExport::exportDocument(documentPath, out, format, jpeg, m_beside, &error)
        != QuickExport::Outcome::NotTaken)
        return error;
    static const ProgramModule render(RenderEntry::ModuleName);
    const auto entry = render.entry<RenderEntry::Function>(RenderEntry::FunctionName);
    if (!entry)
        return QStringLiteral("Cannot export \"%1\": %2.").arg(QFileInfo(documentPath).fileName(), render.error());
    RenderEntry::Request request{documentPath, out, format, jpeg, {}};
    entry(&request);
    return request.error;
}
