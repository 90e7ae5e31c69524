#pragma once

#include "cli/Renamer.h"
#include "files/ReplacementFile.h"

#include <QByteArray>
#include <QCoreApplication>
#include <QFile>
#include <QString>

#include <atomic>
#include <functional>
#include <memory>
#include <vector>

#include <csignal>

class QIODevice;

// The files of one export command, opened while the process may still open
// files: each document for reading, each output as a new file beside its
// name, and the renaming process that is to give the outputs their names.
// Then the process confines itself for good (Sandbox): every document is read
// and every output written through what was opened here, so that a document
// that takes over its decoder reaches no other file, and an output that
// fails leaves the file it was to replace as it was.
class ExportFiles
{
    Q_DECLARE_TR_FUNCTIONS(ExportFiles)

public:
    ExportFiles();
    ~ExportFiles();
    ExportFiles(const ExportFiles &) = delete;
    ExportFiles &operator=(const ExportFiles &) = delete;

    // Opens the document at path, checked as the editor checks one; returns its number.
    int addDocument(const QString &path);
    // Opens the picture at path, checked as the editor checks one; numbered among the documents.
    int addPicture(const QString &path);
    // Makes the new file for the output at path; returns its number.
    int addOutput(const QString &path);
    // Why a document cannot be read, or an output cannot be made: a sentence
    // naming the file; empty when it can.
    const QString &documentError(int document) const { return m_documents.at(size_t(document))->error; }
    const QString &outputError(int output) const { return m_outputs.at(size_t(output)).error; }

    // Starts the renaming process and confines this process; false with
    // error set to a sentence when either cannot be done, and then nothing
    // may be read.
    bool confine(QString *error);

    // Once confined, from any thread. The bytes of a document, mapped from its
    // file until release(); false with error set. A file that shrinks while
    // it is read ends the process with one line naming it, and status 1.
    bool read(int document, QByteArray *bytes, QString *error);
    void release(int document);
    // Fills an output through fill, puts it on the disk and gives it its
    // name; the empty text, or the sentence that names the output and the
    // reason, and then the new file is removed.
    QString write(int output, const std::function<QString(QIODevice &)> &fill);
    QString write(int output, const QByteArray &bytes);
    // An output that may no longer take its name, however its writing ends.
    void giveUp(int output);
    // Removes every output that did not take its name, and returns once the
    // names taken are on the disk.
    void end();

private:
    struct Document
    {
        QString path;
        std::unique_ptr<QFile> file;
        qint64 size = 0;
        QString error;
        std::atomic<const char *> mapped = nullptr;
        QByteArray shrank; // the line that ends the process when the file shrinks under its mapping
    };
    int add(std::unique_ptr<Document> document);
    static void fileShrank(int signal, siginfo_t *info, void *context);
    static const ExportFiles *s_confined;
    struct Output
    {
        std::unique_ptr<ReplacementFile> file;
        int renamed = -1; // its number for the renaming process
        QString error;
    };

    std::vector<std::unique_ptr<Document>> m_documents;
    std::vector<Output> m_outputs;
    Renamer m_renamer;
    bool m_started = false;
};
