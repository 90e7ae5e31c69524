#include "cli/ExportFiles.h"

#include "document/DocumentArchive.h"
#include "sandbox/Sandbox.h"

#include <cerrno>
#include <ctime>

#include <sys/resource.h>
#include <unistd.h>

ExportFiles::ExportFiles()
{
    // Every document and output stays open until the end: as many as the system lets a process hold.
    rlimit files{};
    if (::getrlimit(RLIMIT_NOFILE, &files) == 0 && files.rlim_cur < files.rlim_max) {
        files.rlim_cur = files.rlim_max;
        ::setrlimit(RLIMIT_NOFILE, &files);
    }
}

ExportFiles::~ExportFiles() = default;

int ExportFiles::addDocument(const QString &path)
{
    Document document;
    document.path = path;
    document.file = std::make_unique<QFile>(path);
    try {
        DocumentArchive::openFile(*document.file);
        document.size = document.file->size();
    } catch (const DocumentRefusal &refusal) {
        document.error = DocumentArchive::failure(path, refusal);
        document.file.reset();
    }
    m_documents.push_back(std::move(document));
    return int(m_documents.size()) - 1;
}

int ExportFiles::addOutput(const QString &path)
{
    Output output;
    output.file = ReplacementFile::create(path, &output.error);
    m_outputs.push_back(std::move(output));
    return int(m_outputs.size()) - 1;
}

bool ExportFiles::confine(QString *error)
{
    std::vector<const ReplacementFile *> files;
    for (Output &output : m_outputs) {
        if (output.file) {
            output.renamed = int(files.size());
            files.push_back(output.file.get());
        }
    }
    m_started = m_renamer.start(files, error);
    if (!m_started)
        return false;
    // The time zone, read once now: left unnamed, the C library looks for its
    // file again at every conversion, and the zip library makes one for each
    // entry's date.
    if (qEnvironmentVariableIsEmpty("TZ"))
        qputenv("TZ", ":/etc/localtime");
    ::tzset();
    QString reason;
    if (!Sandbox::enter(&reason)) {
        *error = tr("No document is read: this process cannot confine itself (%1).").arg(reason);
        return false;
    }
    return true;
}

bool ExportFiles::read(int number, QByteArray *bytes, QString *error)
{
    Document &document = m_documents.at(size_t(number));
    if (!document.file) {
        *error = document.error;
        return false;
    }
    // Kept from one document to the next: memory touched for the first time costs more than reading into it.
    thread_local QByteArray buffer;
    buffer.resize(document.size);
    const int handle = document.file->handle();
    qint64 done = 0;
    int failure = 0;
    if (::lseek(handle, 0, SEEK_SET) != 0)
        failure = errno;
    while (failure == 0 && done < document.size) {
        const ssize_t n = ::read(handle, buffer.data() + done, size_t(document.size - done));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            failure = n < 0 ? errno : EIO;
        else
            done += n;
    }
    if (failure != 0) {
        *error = tr("Cannot open \"%1\": the file cannot be read (%2).").arg(document.path, qt_error_string(failure));
        return false;
    }
    *bytes = buffer;
    return true;
}

QString ExportFiles::write(int number, const std::function<QString(QIODevice &)> &fill)
{
    Output &output = m_outputs.at(size_t(number));
    if (!output.file)
        return output.error;
    QString error = output.file->write(fill);
    if (error.isEmpty())
        error = m_renamer.commit(output.renamed);
    if (!error.isEmpty())
        m_renamer.discard(output.renamed);
    return error;
}

QString ExportFiles::write(int output, const QByteArray &bytes)
{
    return write(output, [&bytes](QIODevice &file) {
        return file.write(bytes) == bytes.size() ? QString() : file.errorString();
    });
}

void ExportFiles::giveUp(int number)
{
    const Output &output = m_outputs.at(size_t(number));
    if (output.file && m_started)
        m_renamer.discard(output.renamed);
}

void ExportFiles::end()
{
    if (m_started)
        m_renamer.end();
}
