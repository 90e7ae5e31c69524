#include "setwindow/SetOrder.h"

#include "setwindow/SetModel.h"

SetOrder::SetOrder(SetModel *model, QObject *parent)
    : QSortFilterProxyModel(parent)
    , m_model(model)
{
    setSourceModel(model);
    setDynamicSortFilter(true);
    sort(0);
}

bool SetOrder::lessThan(const QModelIndex &left, const QModelIndex &right) const
{
    const MaptileSet &set = m_model->set();
    return MaptileSet::before(set.at(left.row()), set.at(right.row()));
}
