#include "sheets/ActualSizePdf.h"

#include <QRegularExpression>

#include <algorithm>

namespace {

// Qt writes the catalog among the first objects and ends with the trailer;
// these hold both with room to spare.
constexpr qsizetype HeadBytes = 64 * 1024;
constexpr qsizetype TailBytes = 8 * 1024;

const QByteArray Preferences = "/ViewerPreferences << /PrintScaling /None >>\n";

} // namespace

ActualSizePdf::ActualSizePdf(QIODevice &target)
    : m_target(target)
{
    open(QIODevice::WriteOnly);
}

qint64 ActualSizePdf::readData(char *, qint64)
{
    return -1;
}

qint64 ActualSizePdf::writeData(const char *data, qint64 size)
{
    if (m_failed || m_target.write(data, size) != size) {
        m_failed = true;
        setErrorString(m_target.errorString());
        return -1;
    }
    m_written += size;
    if (m_head.size() < HeadBytes)
        m_head.append(data, std::min<qsizetype>(size, HeadBytes - m_head.size()));
    if (size >= TailBytes) {
        m_tail = QByteArray(data + size - TailBytes, TailBytes);
    } else {
        m_tail.append(data, size);
        if (m_tail.size() > 2 * TailBytes)
            m_tail = m_tail.right(TailBytes);
    }
    return size;
}

bool ActualSizePdf::send(const QByteArray &bytes)
{
    if (m_target.write(bytes) == bytes.size())
        return true;
    setErrorString(m_target.errorString());
    return false;
}

QString ActualSizePdf::finish()
{
    if (m_failed)
        return tr("The PDF could not be written: %1.").arg(errorString());
    const auto unreadable = [] {
        return tr("The PDF could not be set to print at actual size: its end is not as written.");
    };
    // The last trailer: where its cross-reference section starts, and which object is the catalog.
    const QString tail = QString::fromLatin1(m_tail);
    const qsizetype trailerAt = tail.lastIndexOf(QLatin1String("trailer"));
    const qsizetype startAt = tail.lastIndexOf(QLatin1String("startxref"));
    if (trailerAt < 0 || startAt < trailerAt)
        return unreadable();
    static const QRegularExpression startForm(QStringLiteral("^startxref\\s+(\\d+)\\s+%%EOF\\s*$"));
    const QRegularExpressionMatch start = startForm.match(tail.mid(startAt));
    const qsizetype open = tail.indexOf(QLatin1String("<<"), trailerAt);
    const qsizetype close = tail.lastIndexOf(QLatin1String(">>"), startAt);
    if (!start.hasMatch() || open < 0 || close < open)
        return unreadable();
    QString trailer = tail.mid(open + 2, close - open - 2);
    static const QRegularExpression rootForm(QStringLiteral("/Root\\s+(\\d+)\\s+(\\d+)\\s+R"));
    const QRegularExpressionMatch root = rootForm.match(trailer);
    if (!root.hasMatch())
        return unreadable();
    static const QRegularExpression prevForm(QStringLiteral("/Prev\\s+\\d+"));
    trailer.remove(prevForm);

    // The catalog as written, with the viewer's preference added.
    const QString head = QString::fromLatin1(m_head);
    const QRegularExpression objectForm(
        QStringLiteral("(?:^|[\\r\\n])%1 %2 obj\\s*<<").arg(root.captured(1), root.captured(2)));
    const QRegularExpressionMatch object = objectForm.match(head);
    const qsizetype end = object.hasMatch() ? head.indexOf(QLatin1String("endobj"), object.capturedEnd()) : -1;
    const qsizetype dictionaryEnd = end < 0 ? -1 : head.lastIndexOf(QLatin1String(">>"), end);
    if (dictionaryEnd < object.capturedEnd())
        return tr("The PDF could not be set to print at actual size: its catalog is not where it was written.");
    const QString entries = head.mid(object.capturedEnd(), dictionaryEnd - object.capturedEnd());
    if (entries.contains(QLatin1String("/PrintScaling")))
        return {};
    if (entries.contains(QLatin1String("/ViewerPreferences")))
        return tr("The PDF could not be set to print at actual size: it has preferences of its own.");

    QByteArray update;
    if (!m_tail.endsWith('\n') && !m_tail.endsWith('\r'))
        update += '\n';
    const qint64 catalogAt = m_written + update.size();
    update += root.captured(1).toLatin1() + ' ' + root.captured(2).toLatin1() + " obj\n<<" + entries.toLatin1()
        + Preferences + ">>\nendobj\n";
    const qint64 xrefAt = m_written + update.size();
    // Each entry exactly 20 bytes, its line ended by a space and a line feed.
    update += "xref\n" + root.captured(1).toLatin1() + " 1\n" + QByteArray::number(catalogAt).rightJustified(10, '0')
        + ' ' + root.captured(2).toLatin1().rightJustified(5, '0') + " n \n";
    update += "trailer\n<<" + trailer.toLatin1() + "/Prev " + start.captured(1).toLatin1() + "\n>>\nstartxref\n"
        + QByteArray::number(xrefAt) + "\n%%EOF\n";
    if (!send(update))
        return tr("The PDF could not be written: %1.").arg(errorString());
    return {};
}
