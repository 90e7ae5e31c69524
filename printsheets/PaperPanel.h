#pragma once

#include "sheets/SheetSettings.h"

#include <QGroupBox>

class QComboBox;
class QLineEdit;
class QSettings;

// The Print Sheets window's choices of the paper and how maptiles sit on it:
// which paper and which way up, the margin, the gap, the bleed, and the lines to cut along.
class PaperPanel : public QGroupBox
{
    Q_OBJECT

public:
    explicit PaperPanel(QWidget *parent = nullptr);

    // The choices as last kept in store, each that no longer reads giving way to its default.
    void load(QSettings &store);
    void store(QSettings &store) const;
    // Puts the choices into settings; false and the reason for a length that does not read.
    bool apply(SheetSettings &settings, QString *error) const;
    // Shows the paper a printer was set to, where it is one offered here.
    void showPaper(const QPageSize &paper, QPageLayout::Orientation orientation);

signals:
    void changed();

private:
    QComboBox *m_paper = nullptr;
    QComboBox *m_orientation = nullptr;
    QLineEdit *m_margin = nullptr;
    QLineEdit *m_gap = nullptr;
    QLineEdit *m_bleed = nullptr;
    QComboBox *m_cutLines = nullptr;
};
