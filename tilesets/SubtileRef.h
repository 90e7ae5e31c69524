#pragma once

#include <QString>

// The subtile assigned to one mouse button: slot, column and row, stored as
// three decimal digits ("152" = slot B, column 5, row 2).
struct SubtileRef
{
    int slot = 0;
    int column = 0;
    int row = 0;

    // Each of the first three characters read as a number by itself; any other
    // character, or a missing one, counts as 0.
    static SubtileRef fromText(const QString &text);
    QString text() const;

    bool operator==(const SubtileRef &other) const = default;
};
