#include "tilesets/SubtileRef.h"

SubtileRef SubtileRef::fromText(const QString &text)
{
    auto digit = [&](int i) {
        if (i >= text.size())
            return 0;
        const int v = text.at(i).digitValue();
        return v < 0 ? 0 : v;
    };
    return {digit(0), digit(1), digit(2)};
}

QString SubtileRef::text() const
{
    return QString::number(slot) + QString::number(column) + QString::number(row);
}
