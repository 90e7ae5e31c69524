#pragma once

#include <QDialog>

class QCheckBox;
class QLineEdit;
class Workspace;

// The options window: the fonts of the maptile number and of the speed
// values, and whether placing a subtile fills in its speed value. OK only
// hides it; the owner discards it when it is closed any other way, and the
// next one starts with automatic numbering on again.
class OptionsWindow : public QDialog
{
    Q_OBJECT

public:
    OptionsWindow(Workspace &workspace, QWidget *parent);

    // Closing other than by OK: the owner throws the window away.
    void reject() override;

private:
    void chooseMapNumFont();
    void chooseSpeedFont();
    void showFonts();

    Workspace &m_workspace;
    QLineEdit *m_mapNumFont;
    QLineEdit *m_speedFont;
    QCheckBox *m_autoNumber;
};
