#pragma once

#include "output/MaptileSaver.h"

#include <QDialog>

class QCheckBox;
class QLabel;
class QScrollBar;

// Asks the quality and the progressive choice of one JPEG save. A fresh
// window serves each save, so every save starts at 50% and baseline.
class JpegOptionsWindow : public QDialog
{
    Q_OBJECT

public:
    explicit JpegOptionsWindow(QWidget *parent = nullptr);

    JpegOptions options() const;

private:
    void showQuality(int value);

    QLabel *m_qualityLabel = nullptr;
    QScrollBar *m_quality = nullptr;
    QCheckBox *m_progressive = nullptr;
};
