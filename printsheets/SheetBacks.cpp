#include "printsheets/SheetBacks.h"

#include <QFileInfo>
#include <QPointer>

namespace {

constexpr int ForAll = -1;

} // namespace

QString SheetBacks::Back::name() const
{
    return path.isEmpty() ? QString() : QFileInfo(path).fileName();
}

SheetBacks::SheetBacks(Read read, QObject *parent)
    : QObject(parent)
    , m_read(std::move(read))
{
}

void SheetBacks::setForAll(const QString &path)
{
    m_forAll = Back{path, {}, 0};
    read(m_forAll, ForAll);
}

void SheetBacks::setOwn(int owner, const QString &path)
{
    if (path.isEmpty()) {
        m_own.remove(owner);
        emit changed();
        return;
    }
    read(m_own[owner] = Back{path, {}, 0}, owner);
}

QString SheetBacks::reading() const
{
    if (!m_forAll.path.isEmpty() && m_forAll.picture.isNull())
        return m_forAll.name();
    for (const Back &back : m_own) {
        if (back.picture.isNull())
            return back.name();
    }
    return {};
}

QList<int> SheetBacks::assign(const QList<int> &owners, QList<QImage> *pictures) const
{
    pictures->clear();
    QList<int> indices;
    int forAll = -1;
    for (const int owner : owners) {
        const Back *own = m_own.contains(owner) ? &*m_own.find(owner) : nullptr;
        if (own && !own->picture.isNull()) {
            indices << int(pictures->size());
            *pictures << own->picture;
        } else if (!own && !m_forAll.picture.isNull()) {
            if (forAll < 0) {
                forAll = int(pictures->size());
                *pictures << m_forAll.picture;
            }
            indices << forAll;
        } else {
            indices << -1;
        }
    }
    return indices;
}

void SheetBacks::read(Back &back, int owner)
{
    emit changed();
    if (back.path.isEmpty())
        return;
    back.request = ++m_requests;
    // The backs may be gone, or this one chosen again, before the reader answers.
    QPointer<SheetBacks> self(this);
    const int request = back.request;
    m_read(back.path, [self, owner, request](const QImage &picture, const QString &error) {
        if (!self)
            return;
        Back *answered = owner == ForAll  ? &self->m_forAll
            : self->m_own.contains(owner) ? &*self->m_own.find(owner)
                                          : nullptr;
        if (!answered || answered->request != request)
            return;
        if (!picture.isNull()) {
            answered->picture = picture;
            emit self->changed();
            return;
        }
        const QString name = answered->name();
        if (owner == ForAll)
            self->m_forAll = Back{};
        else
            self->m_own.remove(owner);
        emit self->changed();
        emit self->failed(error.isEmpty() ? tr("The back %1 could not be read.").arg(name)
                                          : tr("The back %1 could not be read: %2").arg(name, error));
    });
}
