#pragma once

#include <QSortFilterProxyModel>

class SetModel;

// The rows of a SetModel in the set's order, kept as readings come back.
class SetOrder : public QSortFilterProxyModel
{
    Q_OBJECT

public:
    explicit SetOrder(SetModel *model, QObject *parent = nullptr);

protected:
    bool lessThan(const QModelIndex &left, const QModelIndex &right) const override;

private:
    SetModel *m_model;
};
