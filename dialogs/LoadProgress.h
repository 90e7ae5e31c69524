#pragma once

#include <QDialog>

// The small window shown while a picture is read away from the main window:
// the file's name, a busy bar and Cancel. It leaves the main window usable
// and does not take the keyboard from it; Cancel, Escape and closing it all
// reject it.
class LoadProgress : public QDialog
{
    Q_OBJECT

public:
    static constexpr QSize ClientSize{300, 90};

    LoadProgress(const QString &fileName, QWidget *parent);
};
