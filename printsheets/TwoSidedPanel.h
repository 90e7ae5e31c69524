#pragma once

#include "sheets/SheetSettings.h"

#include <QGroupBox>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QSettings;

// The Print Sheets window's choices for the second side: the back for every
// maptile, the edge the paper turns over by, how far the printer misses the
// back, and the calibration pair that measures it.
class TwoSidedPanel : public QGroupBox
{
    Q_OBJECT

public:
    explicit TwoSidedPanel(QWidget *parent = nullptr);

    // The choices as last kept in store, each that no longer reads giving way to its default.
    void load(QSettings &store);
    void store(QSettings &store) const;
    // Puts the choices into settings; false and the reason for an offset that does not read.
    bool apply(SheetSettings &settings, QString *error) const;
    // The back for every maptile as the label names it: a file name, or empty for none.
    void showBackForAll(const QString &name);

signals:
    void changed();
    void chooseBackForAll();
    void clearBackForAll();

private:
    QLabel *m_backForAll = nullptr;
    QPushButton *m_clearBack = nullptr;
    QComboBox *m_flip = nullptr;
    QLineEdit *m_offsetX = nullptr;
    QLineEdit *m_offsetY = nullptr;
    QCheckBox *m_calibration = nullptr;
};
