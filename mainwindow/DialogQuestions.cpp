#include "mainwindow/DialogQuestions.h"

#include "dialogs/FileDialogs.h"
#include "dialogs/JpegOptionsWindow.h"
#include "mainwindow/GuideHints.h"
#include "mainwindow/MainWindow.h"

#include <QMessageBox>
#include <QPushButton>

DialogQuestions::DialogQuestions(QWidget *owner)
    : m_owner(owner)
{
}

UserQuestions::Keep DialogQuestions::askToKeep(const QString &why, const QString &question)
{
    QMessageBox box(QMessageBox::NoIcon, MainWindow::Title, why + question,
                    QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel, m_owner);
    box.button(QMessageBox::Save)->setText(tr("&Save"));
    box.button(QMessageBox::Discard)->setText(tr("&Discard"));
    box.button(QMessageBox::Cancel)->setText(tr("Cancel"));
    box.setDefaultButton(QMessageBox::Save);
    switch (box.exec()) {
    case QMessageBox::Save:
        return Keep::Save;
    case QMessageBox::Discard:
        return Keep::Discard;
    default:
        return Keep::Cancel;
    }
}

QString DialogQuestions::chooseToOpen(Files files)
{
    return FileDialogs::showOpen(m_owner,
                                 files == Files::Maptile ? FileDialogs::maptileFilter() : FileDialogs::tilesetFilter());
}

QString DialogQuestions::chooseToSave(Files files, const QString &suggested)
{
    return files == Files::Maptile ? FileDialogs::showSave(m_owner, suggested)
                                   : FileDialogs::showSaveTileset(m_owner, suggested);
}

std::optional<JpegOptions> DialogQuestions::askJpegOptions()
{
    JpegOptionsWindow options(m_owner);
    if (options.exec() != QDialog::Accepted)
        return std::nullopt;
    return options.options();
}

UserQuestions::Recovered DialogQuestions::offerRecovered(const QString &text)
{
    QMessageBox box(QMessageBox::NoIcon, MainWindow::Title, text, QMessageBox::NoButton, m_owner);
    QPushButton *restore = box.addButton(tr("&Restore"), QMessageBox::AcceptRole);
    QPushButton *discard = box.addButton(tr("&Discard"), QMessageBox::DestructiveRole);
    box.setDefaultButton(restore);
    box.exec();
    if (box.clickedButton() == restore)
        return Recovered::Restore;
    // Closed unanswered, the work is kept for the next start.
    return box.clickedButton() == discard ? Recovered::Discard : Recovered::Later;
}

void DialogQuestions::inform(const QString &text)
{
    QMessageBox::information(m_owner, MainWindow::Title, text);
}

void DialogQuestions::warn(const QString &text)
{
    QMessageBox::warning(m_owner, MainWindow::Title, text);
}

void DialogQuestions::note(const QString &text)
{
    if (m_guide)
        m_guide->showText(text);
}
