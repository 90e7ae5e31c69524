#pragma once

#include "output/JpegOptions.h"
#include "pictures/PictureRows.h"

#include <QByteArray>
#include <QCoreApplication>
#include <QImage>
#include <QString>

#include <memory>

// Encodes a picture as JPEG through libjpeg, at the quality and scan order
// asked, marked at 96 pixels per inch. Qt's writer would first load every
// image plugin the system has to find its own, which costs a command-line
// export more than the encoding. Rows are encoded as they are taken, so a
// picture decoded straight into it is never held whole.
class JpegWriter : public PictureRows
{
    Q_DECLARE_TR_FUNCTIONS(JpegWriter)

public:
    explicit JpegWriter(const JpegOptions &options);
    ~JpegWriter() override;
    JpegWriter(const JpegWriter &) = delete;
    JpegWriter &operator=(const JpegWriter &) = delete;

    // Rows of red, green, blue bytes, as a document's merged picture decodes,
    // or of Qt's 32-bit pixels; any other format is refused.
    bool begin(QSize size, QImage::Format format) override;
    bool take(int y, const uchar *row) override;
    // The JPEG file's bytes once every row is taken; empty with reason() set
    // when libjpeg failed.
    QByteArray finish();
    // Why libjpeg failed; empty while it has not.
    const QString &reason() const;

    // The whole picture at once.
    static QByteArray encode(const QImage &image, const JpegOptions &options, QString *reason);

private:
    // Keeps libjpeg's message as the reason; false.
    bool failed();

    struct Encoding;
    const std::unique_ptr<Encoding> m_jpeg;
};
