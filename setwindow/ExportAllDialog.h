#pragma once

#include <QDialog>

class QComboBox;
class QLineEdit;
class QPushButton;

// Asks where every document of a set is exported to and as what.
class ExportAllDialog : public QDialog
{
    Q_OBJECT

public:
    ExportAllDialog(const QString &folder, QWidget *parent = nullptr);

    QString folder() const;
    // jpg, bmp, png or pdf, as --format takes it.
    QString format() const;

private:
    QLineEdit *m_folder = nullptr;
    QComboBox *m_format = nullptr;
    QPushButton *m_ok = nullptr;
};
