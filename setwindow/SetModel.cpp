#include "setwindow/SetModel.h"

#include <QPainter>

namespace {

constexpr int Side = SetModel::ThumbnailSide;

const QColor &markColour(unsigned marks)
{
    static const QColor shared(200, 30, 30), missing(230, 150, 0);
    return (marks & MaptileSet::SharesNumber) ? shared : missing;
}

// A square standing in for a thumbnail: grey while read, crossed when the file is no maptile.
QPixmap standIn(bool crossed)
{
    QPixmap square(Side, Side);
    square.fill(QColor(224, 224, 224));
    QPainter painter(&square);
    painter.setPen(QPen(QColor(150, 150, 150), 4));
    painter.drawRect(2, 2, Side - 4, Side - 4);
    if (crossed) {
        painter.setPen(QPen(QColor(180, 40, 40), 6));
        painter.drawLine(Side / 4, Side / 4, Side * 3 / 4, Side * 3 / 4);
        painter.drawLine(Side * 3 / 4, Side / 4, Side / 4, Side * 3 / 4);
    }
    return square;
}

// A badge in the bottom-right corner: how many spaces use the subtile, or a
// question mark on a document that cannot tell.
void drawUse(QPixmap &shown, const WhereUsed::Answer &answer)
{
    if (answer.use != WhereUsed::Use::Used && answer.use != WhereUsed::Use::NoRecords)
        return;
    const bool used = answer.use == WhereUsed::Use::Used;
    QPainter painter(&shown);
    painter.setRenderHint(QPainter::Antialiasing);
    const QRect badge(shown.width() - 40, shown.height() - 40, 36, 36);
    painter.setPen(QPen(Qt::white, 2));
    painter.setBrush(used ? QColor(20, 90, 200) : QColor(120, 120, 120));
    painter.drawEllipse(badge);
    QFont font = painter.font();
    font.setBold(true);
    font.setPixelSize(18);
    painter.setFont(font);
    painter.drawText(badge, Qt::AlignCenter, used ? QString::number(answer.spaces) : QStringLiteral("?"));
}

} // namespace

SetModel::SetModel(QObject *parent)
    : QAbstractListModel(parent)
{
}

QImage SetModel::thumbnailOf(const MaptileDocument &document)
{
    return document.preview().scaled(Side, Side, Qt::KeepAspectRatio, Qt::SmoothTransformation);
}

void SetModel::add(const QString &path)
{
    const qsizetype known = m_set.indexOf(path);
    if (known < 0) {
        beginInsertRows({}, int(m_set.size()), int(m_set.size()));
        m_set.add(path);
        m_thumbnails.append(QImage());
        m_shown.append(QPixmap());
        m_shownStates.append(-1);
        endInsertRows();
    } else {
        m_set.add(path);
        m_thumbnails[known] = {};
        m_shown[known] = {};
    }
    allChanged();
}

void SetModel::setRead(const QString &path, const MaptileSet::Entry &entry, const QImage &thumbnail)
{
    const qsizetype row = m_set.indexOf(path);
    if (row < 0)
        return;
    m_set.set(row, entry);
    m_thumbnails[row] = thumbnail;
    m_shown[row] = {};
    allChanged();
}

void SetModel::remove(const QString &path)
{
    const qsizetype row = m_set.indexOf(path);
    if (row < 0)
        return;
    beginRemoveRows({}, int(row), int(row));
    m_set.remove(row);
    m_thumbnails.removeAt(row);
    m_shown.removeAt(row);
    m_shownStates.removeAt(row);
    endRemoveRows();
    allChanged();
}

void SetModel::setWhereUsed(const std::optional<WhereUsed> &whereUsed)
{
    m_whereUsed = whereUsed;
    allChanged();
}

void SetModel::allChanged()
{
    if (!m_set.size())
        return;
    emit dataChanged(index(0), index(int(m_set.size()) - 1));
}

int SetModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_set.size());
}

int SetModel::shownState(qsizetype row) const
{
    const WhereUsed::Answer answer = m_whereUsed ? m_whereUsed->in(m_set.at(row)) : WhereUsed::Answer();
    return int(m_set.marks(row)) | int(answer.use) << 4 | answer.spaces << 8;
}

QPixmap SetModel::decoration(qsizetype row) const
{
    const unsigned marks = m_set.marks(row);
    const int state = shownState(row);
    if (!m_shown[row].isNull() && m_shownStates[row] == state)
        return m_shown[row];
    QPixmap shown;
    if (m_set.at(row).state != MaptileSet::State::Broken && !m_thumbnails[row].isNull()) {
        shown = QPixmap::fromImage(m_thumbnails[row]);
        if (marks != MaptileSet::NoMark) {
            // A frame and a corner flag in the mark's colour, seen at a glance across the set.
            QPainter painter(&shown);
            painter.setPen(QPen(markColour(marks), 6));
            painter.drawRect(QRect(QPoint(), shown.size()).adjusted(3, 3, -3, -3));
            painter.setPen(Qt::NoPen);
            painter.setBrush(markColour(marks));
            const QPoint corner[] = {{0, 0}, {36, 0}, {0, 36}};
            painter.drawPolygon(corner, 3);
        }
        if (m_whereUsed)
            drawUse(shown, m_whereUsed->in(m_set.at(row)));
    } else {
        shown = standIn(m_set.at(row).state == MaptileSet::State::Broken);
    }
    m_shown[row] = shown;
    m_shownStates[row] = state;
    return shown;
}

QString SetModel::text(qsizetype row) const
{
    const MaptileSet::Entry &entry = m_set.at(row);
    QStringList lines{entry.fileName()};
    switch (entry.state) {
    case MaptileSet::State::Reading:
        lines << tr("Being read\u2026");
        break;
    case MaptileSet::State::Foreign:
        lines << tr("Made by another program");
        break;
    case MaptileSet::State::Broken:
        lines << tr("Cannot be read");
        break;
    case MaptileSet::State::Read: {
        const unsigned marks = m_set.marks(row);
        const QString size = MaptileSet::sizeText(entry.size);
        if (marks & MaptileSet::NoNumber)
            lines << tr("No number \u00b7 %1").arg(size);
        else if (marks & MaptileSet::SharesNumber)
            lines << tr("No. %1 (shared) \u00b7 %2").arg(entry.mapNum.trimmed(), size);
        else
            lines << tr("No. %1 \u00b7 %2").arg(entry.mapNum.trimmed(), size);
        if (!entry.designer.isEmpty())
            lines << entry.designer;
        if (m_whereUsed)
            lines << m_whereUsed->label(entry);
        break;
    }
    }
    return lines.join(QLatin1Char('\n'));
}

QString SetModel::accessibleText(qsizetype row) const
{
    const QString text = m_set.accessibleText(row);
    const QString note = m_whereUsed ? m_whereUsed->note(m_set.at(row)) : QString();
    // Joined as the set joins the other parts.
    return note.isEmpty() ? text : text + MaptileSet::tr(", ") + note;
}

QVariant SetModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || index.row() >= m_set.size())
        return {};
    const qsizetype row = index.row();
    switch (role) {
    case Qt::DisplayRole:
        return text(row);
    case Qt::DecorationRole:
        return decoration(row);
    case Qt::AccessibleTextRole:
        return accessibleText(row);
    case Qt::ToolTipRole: {
        const MaptileSet::Entry &entry = m_set.at(row);
        return entry.reason.isEmpty() ? accessibleText(row) : entry.reason;
    }
    case PathRole:
        return m_set.at(row).path;
    case MarksRole:
        return m_set.marks(row);
    default:
        return {};
    }
}
