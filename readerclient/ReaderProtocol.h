#pragma once

#include <QByteArray>
#include <QImage>
#include <QRgb>
#include <QString>

// What the editor and the reading process say to each other over the
// reading process's standard input and output, one request and one answer at
// a time. Numbers are little-endian.
//
// A request: a header of RequestHeaderBytes (what to read, the blank colour,
// the length of the file's name, the length of its bytes), the name in UTF-8,
// then the file's bytes.
//
// An answer: eight bytes giving the length of what follows, then a picture
// (a kind byte, its width, height, format and bytes per line, padded to
// PictureHeaderBytes, then its raw pixels), or for a maptile the document a
// file opens as (see DocumentAnswer), or a refusal (a kind byte, then one
// sentence in UTF-8). The editor takes nothing a sound reading could not have
// sent.
namespace ReaderProtocol {

// What is made of a file.
enum class Kind : quint8 {
    WholePicture = 1, // a picture for a tileset slot or a subtile
    Maptile = 2, // a picture or a document opened as the maptile
    FinishedMaptile = 3 // a document's finished maptile, overlays drawn in
};

// How the reading process ends besides answering: out of memory, or unable
// to confine itself before reading anything.
constexpr int OutOfMemoryExit = 2;
constexpr int NotConfinedExit = 3;

constexpr int RequestHeaderBytes = 24;
constexpr int LengthBytes = 8;
constexpr int PictureHeaderBytes = 32;
// Longest file name a request may carry, in bytes.
constexpr quint32 MaxNameBytes = 4096;
// Largest file a request may carry: the largest picture or document file.
constexpr qint64 MaxFileBytes = qint64(256) * 1024 * 1024;
// The longest refusal: a sentence naming the file and perhaps an entry of it.
constexpr qint64 MaxRefusalBytes = 256 * 1024;

struct Request
{
    Kind kind = Kind::WholePicture;
    QRgb background = 0;
    QString name;
    qint64 fileBytes = 0;
};

// The header and the name: what goes ahead of the file's bytes.
QByteArray encodeRequest(const Request &request);
// The header read back; false when it is none. The name follows, nameBytes long.
bool decodeRequestHeader(const char *header, Request *request, quint32 *nameBytes);

// An answer in two parts, so that a picture's pixels are written from where
// they lie: the length and the header (or the whole of a document's answer),
// the pixels.
struct Answer
{
    QByteArray head;
    QImage image; // holds the pixels while they are written
};
// The picture, or the refusal error when picture is null.
Answer encodeAnswer(const QImage &picture, const QString &error);
// The answer whose bytes after the length are body.
Answer encodeAnswer(const QByteArray &body);
// What follows an answer's length, read back: the picture, keeping the bytes
// it arrived in rather than copying them, or a null image with error set to
// the refusal. Bytes that are no answer give a null image and no error.
QImage decodeAnswer(const QByteArray &bytes, QString *error);

// The longest answer a reading of kind gives: its largest picture or document.
qint64 maxAnswerBytes(Kind kind);
// Whether picture is one a reading of kind gives: opaque pixels; for a whole
// picture no more of them than the decoder takes, for a finished maptile whole
// spaces, at most 5 x 6. A maptile's reading answers a document instead.
bool answerFits(Kind kind, const QImage &picture);

} // namespace ReaderProtocol
