#pragma once

#include <QColor>
#include <QDialog>
#include <QFont>

class QCheckBox;
class QFontComboBox;
class QLabel;
class QPushButton;
class QSpinBox;

// The font chooser of the options window: face, whole-point size 6..72, bold,
// italic, underline, strikeout and text colour, and nothing else, so that a
// choice confirmed unchanged gives back the font it started from.
class FontDialog : public QDialog
{
    Q_OBJECT

public:
    FontDialog(const QFont &font, const QColor &colour, QWidget *parent);

    // Offers font and colour for change. On OK they become the choice and true
    // is returned; on cancel both stay as they were and false is returned.
    static bool showFont(QWidget *owner, QFont &font, QColor &colour);

    QFont chosenFont() const;
    QColor chosenColour() const { return m_colour; }

private:
    void chooseColour();
    void showChoice();

    // The face asked for, kept as it was until the user picks another, so a
    // face that is not installed is not silently replaced by its stand-in.
    QString m_family;
    QColor m_colour;
    QFontComboBox *m_face;
    QSpinBox *m_size;
    QCheckBox *m_bold;
    QCheckBox *m_italic;
    QCheckBox *m_underline;
    QCheckBox *m_strikeOut;
    QPushButton *m_colourButton;
    QLabel *m_sample;
};
