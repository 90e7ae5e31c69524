#pragma once

#include <QDialog>

// The program information window: name, version, credits, and links that
// open in the system's browser or mail program.
class InfoWindow : public QDialog
{
    Q_OBJECT

public:
    static inline const QString WebAddress = QStringLiteral("https://cryptwright.example.org");
    static inline const QString MailAddress = QStringLiteral("mailto:support@cryptwright.example.org");

    explicit InfoWindow(QWidget *parent);

    // Hands url to its default program; a failure is reported in a message box.
    void openLink(const QString &url);
};
