#include "setwindow/ExportAllDialog.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>

ExportAllDialog::ExportAllDialog(const QString &folder, QWidget *parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("ExportAllDialog"));
    setWindowTitle(tr("Export All"));
    m_folder = new QLineEdit(folder, this);
    m_folder->setObjectName(QStringLiteral("exportFolder"));
    m_folder->setAccessibleName(tr("Folder to export into"));
    m_folder->setMinimumWidth(320);
    auto *choose = new QPushButton(tr("C&hoose\u2026"), this);
    choose->setObjectName(QStringLiteral("chooseExportFolder"));
    choose->setAccessibleName(tr("Choose the folder to export into"));
    connect(choose, &QPushButton::clicked, this, [this] {
        const QString chosen = QFileDialog::getExistingDirectory(this, tr("Export Into"), m_folder->text());
        if (!chosen.isEmpty())
            m_folder->setText(chosen);
    });
    m_format = new QComboBox(this);
    m_format->setObjectName(QStringLiteral("exportFormat"));
    m_format->setAccessibleName(tr("Format"));
    m_format->addItem(tr("JPEG picture (.jpg)"), QStringLiteral("jpg"));
    m_format->addItem(tr("PNG picture (.png)"), QStringLiteral("png"));
    m_format->addItem(tr("Bitmap (.bmp)"), QStringLiteral("bmp"));
    m_format->addItem(tr("PDF page at 1.5 inches per space (.pdf)"), QStringLiteral("pdf"));

    auto *row = new QHBoxLayout;
    row->addWidget(m_folder, 1);
    row->addWidget(choose);
    auto *form = new QFormLayout;
    form->addRow(tr("&Folder:"), row);
    form->addRow(tr("F&ormat:"), m_format);
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    m_ok = buttons->button(QDialogButtonBox::Ok);
    m_ok->setText(tr("&Export"));
    m_ok->setObjectName(QStringLiteral("exportAllOk"));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(m_folder, &QLineEdit::textChanged, this, [this](const QString &text) { m_ok->setEnabled(!text.trimmed().isEmpty()); });
    m_ok->setEnabled(!folder.isEmpty());
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(buttons);
}

QString ExportAllDialog::folder() const
{
    return m_folder->text().trimmed();
}

QString ExportAllDialog::format() const
{
    return m_format->currentData().toString();
}
