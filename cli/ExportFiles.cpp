#include "cli/ExportFiles.h"

#include "document/DocumentArchive.h"
#include "pictures/PictureFile.h"
#include "sandbox/Sandbox.h"

#include <cerrno>
#include <ctime>

#include <sys/mman.h>
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

const ExportFiles *ExportFiles::s_confined = nullptr;

int ExportFiles::addDocument(const QString &path)
{
    auto document = std::make_unique<Document>();
    document->path = path;
    document->file = std::make_unique<QFile>(path);
    try {
        DocumentArchive::openFile(*document->file);
        document->size = document->file->size();
    } catch (const DocumentRefusal &refusal) {
        document->error = DocumentArchive::failure(path, refusal);
        document->file.reset();
    }
    return add(std::move(document));
}

int ExportFiles::addPicture(const QString &path)
{
    auto picture = std::make_unique<Document>();
    picture->path = path;
    picture->file = std::make_unique<QFile>(path);
    if (const QString reason = PictureFile::open(*picture->file); reason.isEmpty()) {
        picture->size = picture->file->size();
    } else {
        picture->error = PictureFile::failure(path, reason);
        picture->file.reset();
    }
    return add(std::move(picture));
}

int ExportFiles::add(std::unique_ptr<Document> document)
{
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
    if (!m_started) {
        // No one is left to remove the new files but this process, which still may.
        for (const ReplacementFile *file : files)
            ::unlink(file->newName().constData());
        return false;
    }
    // Reading a mapped file that has shrunk meets no error but a signal: the
    // process ends with the line that names the file, worded now.
    for (const std::unique_ptr<Document> &document : m_documents)
        document->shrank = "cryptwright: "
            + tr("Cannot open \"%1\": the file shrank while it was read.").arg(document->path).toLocal8Bit() + '\n';
    s_confined = this;
    struct sigaction action
    {
    };
    action.sa_sigaction = fileShrank;
    action.sa_flags = SA_SIGINFO;
    ::sigaction(SIGBUS, &action, nullptr);

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

void ExportFiles::fileShrank(int, siginfo_t *info, void *)
{
    const char *at = static_cast<const char *>(info->si_addr);
    for (const std::unique_ptr<Document> &document : s_confined->m_documents) {
        const char *mapped = document->mapped;
        if (mapped && at >= mapped && at < mapped + document->size) {
            [[maybe_unused]] const ssize_t written =
                ::write(STDERR_FILENO, document->shrank.constData(), size_t(document->shrank.size()));
            break;
        }
    }
    ::_exit(1);
}

bool ExportFiles::read(int number, QByteArray *bytes, QString *error)
{
    Document &document = *m_documents.at(size_t(number));
    if (!document.file) {
        *error = document.error;
        return false;
    }
    // Mapped rather than read: only the entries needed are ever touched, and
    // memory is not filled a second time with what the file already holds.
    void *mapped = ::mmap(nullptr, size_t(document.size), PROT_READ, MAP_PRIVATE, document.file->handle(), 0);
    if (mapped == MAP_FAILED) {
        *error = tr("Cannot open \"%1\": the file cannot be read (%2).").arg(document.path, qt_error_string(errno));
        return false;
    }
    document.mapped = static_cast<const char *>(mapped);
    *bytes = QByteArray::fromRawData(document.mapped, document.size);
    return true;
}

void ExportFiles::release(int number)
{
    Document &document = *m_documents.at(size_t(number));
    if (const char *mapped = document.mapped.exchange(nullptr))
        ::munmap(const_cast<char *>(mapped), size_t(document.size));
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
