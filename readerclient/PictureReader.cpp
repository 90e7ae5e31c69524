#include "readerclient/PictureReader.h"

#include "document/DocumentArchive.h"
#include "document/DocumentWriter.h"
#include "pictures/PictureFile.h"
#include "raster/Geometry.h"
#include "readerclient/DocumentAnswer.h"
#include "readerclient/StrayDescriptors.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QtEndian>

#include <algorithm>
#include <new>
#include <utility>

namespace {

// The file passes in pieces of this size, the next when the last has gone.
constexpr qint64 PieceBytes = 1 << 20;

// A reading process waiting for its next file.
struct Waiting
{
    QString program;
    QProcess *process = nullptr;
};

QList<Waiting> &waiting()
{
    static QList<Waiting> processes;
    return processes;
}

void endProcess(QProcess *process)
{
    process->disconnect();
    process->kill();
    process->waitForFinished();
    delete process;
}

// A fresh reading process, or null when the system starts none.
QProcess *startProcess(const QString &program)
{
    // Qt leaves a pipe open after it fails to start a program that is not there.
    if (!QFileInfo(program).isExecutable())
        return nullptr;
    auto *process = new QProcess;
    process->setProgram(program);
    // Nothing this process holds goes with it but its pipes and standard error.
    process->setChildProcessModifier(&StrayDescriptors::closeOnExec);
    // What it says about a file goes where the editor's own messages go.
    process->setProcessChannelMode(QProcess::ForwardedErrorChannel);
    process->start();
    if (!process->waitForStarted()) {
        delete process;
        return nullptr;
    }
    return process;
}

// The process waiting for program, unless it has gone meanwhile; else a fresh one.
QProcess *takeProcess(const QString &program)
{
    QList<Waiting> &list = waiting();
    const auto found = std::find_if(list.begin(), list.end(), [&](const Waiting &w) { return w.program == program; });
    if (found != list.end()) {
        QProcess *process = found->process;
        list.erase(found);
        if (process->state() == QProcess::Running)
            return process;
        endProcess(process);
    }
    return startProcess(program);
}

// A few files read at once each keep their process for the next.
constexpr qsizetype MaxWaiting = 4;

void keepWaiting(const QString &program, QProcess *process)
{
    static const bool endedWithTheApplication = [] {
        qAddPostRoutine(&PictureReader::endWaiting);
        return true;
    }();
    Q_UNUSED(endedWithTheApplication);
    const qsizetype others =
        std::count_if(waiting().cbegin(), waiting().cend(), [&](const Waiting &w) { return w.program == program; });
    if (others >= MaxWaiting || process->state() != QProcess::Running || process->bytesAvailable() > 0)
        endProcess(process);
    else
        waiting().append({program, process});
}

// Why a document file cannot be read, or nothing.
QString documentRefusal(QFile &file)
{
    try {
        DocumentArchive::openFile(file);
        return {};
    } catch (const DocumentRefusal &refusal) {
        return refusal.reason;
    }
}

} // namespace

PictureReader::PictureReader(QObject *parent)
    : PictureReader(installedProgram(), parent)
{
}

PictureReader::PictureReader(const QString &program, QObject *parent)
    : QObject(parent)
    , m_program(program)
{
    m_limit.setSingleShot(true);
    connect(&m_limit, &QTimer::timeout, this, [this] { end(Outcome::TimedOut); });
}

PictureReader::~PictureReader()
{
    cancel();
}

QString PictureReader::installedProgram()
{
    static const QString program = [] {
        const QDir folder(QCoreApplication::applicationDirPath());
        const QString installed =
            QDir::cleanPath(folder.filePath(QStringLiteral(CRYPTWRIGHT_READER_FROM_BIN "/cryptwright-reader")));
        return QFileInfo(installed).isExecutable() ? installed : folder.filePath(QStringLiteral("cryptwright-reader"));
    }();
    return program;
}

void PictureReader::prepare()
{
    const QString program = installedProgram();
    const bool ready =
        std::any_of(waiting().cbegin(), waiting().cend(), [&](const Waiting &w) { return w.program == program; });
    if (ready)
        return;
    if (QProcess *process = startProcess(program))
        keepWaiting(program, process);
}

void PictureReader::endWaiting()
{
    for (const Waiting &w : std::exchange(waiting(), {}))
        endProcess(w.process);
}

QString PictureReader::failure(const QString &reason) const
{
    return PictureFile::failure(m_path, reason);
}

void PictureReader::reportLater(const QString &error)
{
    // A start that fails at once still reports from the event loop, unless it is cancelled first.
    m_reportPending = true;
    QMetaObject::invokeMethod(
        this,
        [this, error] {
            if (std::exchange(m_reportPending, false))
                emit finished({}, error);
        },
        Qt::QueuedConnection);
}

void PictureReader::start(const QString &path, Kind kind, int timeLimitMs)
{
    cancel();
    m_path = path;
    m_kind = kind;
    m_timeLimitMs = timeLimitMs;
    auto file = std::make_unique<QFile>(path);
    const bool document =
        kind == Kind::FinishedMaptile || (kind == Kind::Maptile && DocumentWriter::isDocumentPath(path));
    if (const QString reason = document ? documentRefusal(*file) : PictureFile::open(*file); !reason.isEmpty()) {
        reportLater(failure(reason));
        return;
    }
    m_process = takeProcess(m_program);
    if (!m_process) {
        reportLater(failure(tr("the system could not start a process to read it")));
        return;
    }
    connect(m_process, &QProcess::readyReadStandardOutput, this, &PictureReader::readAnswer);
    connect(m_process, &QProcess::bytesWritten, this, &PictureReader::sendMore);
    connect(m_process, &QProcess::finished, this, &PictureReader::processEnded);
    m_file = std::move(file);
    m_unsent = m_file->size();
    m_process->write(
        ReaderProtocol::encodeRequest({kind, Geometry::blankColour(), QFileInfo(path).fileName(), m_unsent}));
    m_limit.start(timeLimitMs);
    // From the event loop, so that a file that fails on the way is reported from there too.
    QMetaObject::invokeMethod(this, &PictureReader::sendMore, Qt::QueuedConnection);
}

void PictureReader::sendMore()
{
    while (m_process && m_unsent > 0 && m_process->bytesToWrite() < PieceBytes) {
        const QByteArray piece = m_file->read(std::min(m_unsent, PieceBytes));
        if (piece.isEmpty()) {
            // Shorter now than when it was opened, or unreadable on the way.
            end(Outcome::Failed, failure(tr("the file cannot be read (%1)").arg(m_file->errorString())));
            return;
        }
        m_unsent -= piece.size();
        m_process->write(piece);
    }
    if (m_unsent == 0)
        m_file.reset();
}

void PictureReader::readAnswer()
{
    while (m_process && m_process->bytesAvailable() > 0) {
        if (m_length.size() < ReaderProtocol::LengthBytes) {
            // The answer's length first, then the answer straight into its place.
            m_length += m_process->read(ReaderProtocol::LengthBytes - m_length.size());
            if (m_length.size() < ReaderProtocol::LengthBytes)
                return;
            // No memory is taken for more than the reading could need.
            const quint64 length = qFromLittleEndian<quint64>(m_length.constData());
            if (length > quint64(ReaderProtocol::maxAnswerBytes(m_kind))) {
                end(Outcome::Unfit);
                return;
            }
            try {
                m_answer.resize(qsizetype(length));
            } catch (const std::bad_alloc &) {
                end(Outcome::OutOfMemory);
                return;
            }
            m_filled = 0;
        }
        const qint64 n = m_process->read(m_answer.data() + m_filled, m_answer.size() - m_filled);
        if (n < 0) {
            end(Outcome::Failed);
            return;
        }
        m_filled += n;
        if (m_filled == m_answer.size()) {
            end(Outcome::Done);
            return;
        }
    }
}

void PictureReader::processEnded()
{
    // Whatever it wrote before it ended counts.
    readAnswer();
    if (!m_process)
        return;
    const bool normal = m_process->exitStatus() == QProcess::NormalExit;
    if (normal && m_process->exitCode() == ReaderProtocol::OutOfMemoryExit)
        end(Outcome::OutOfMemory);
    else if (normal && m_process->exitCode() == ReaderProtocol::NotConfinedExit)
        end(Outcome::NotStarted);
    else
        end(Outcome::Failed);
}

void PictureReader::cancel()
{
    m_reportPending = false;
    if (!m_process)
        return;
    m_limit.stop();
    m_file.reset();
    endProcess(std::exchange(m_process, nullptr));
    m_length.clear();
    m_answer = {};
}

void PictureReader::end(Outcome outcome, const QString &error)
{
    m_limit.stop();
    m_file.reset();
    ReaderResult result;
    QString message = error;
    if (outcome == Outcome::Done) {
        // Taken only as a sound reading could have made it: the reading process may have been taken over.
        bool fits = false;
        if (m_kind == Kind::Maptile && m_answer.startsWith(DocumentAnswer::Kind)) {
            fits = DocumentAnswer::decode(m_answer, &result.document);
            result.picture = result.document.maptile.master();
        } else {
            result.picture = ReaderProtocol::decodeAnswer(m_answer, &message);
            const bool refusal = result.picture.isNull() && !message.isEmpty();
            fits = refusal ? m_answer.size() <= ReaderProtocol::MaxRefusalBytes
                           : ReaderProtocol::answerFits(m_kind, result.picture);
        }
        if (!fits) {
            result = {};
            outcome = Outcome::Unfit;
        }
    }
    QProcess *process = std::exchange(m_process, nullptr);
    process->disconnect(this);
    if (outcome == Outcome::Done)
        keepWaiting(m_program, process);
    else
        endProcess(process);
    switch (outcome) {
    case Outcome::Done:
        break;
    case Outcome::Unfit:
        message = failure(tr("the picture could not be passed on"));
        break;
    case Outcome::TimedOut:
        message = failure(tr("reading it took longer than %1 seconds").arg(m_timeLimitMs / 1000.0));
        break;
    case Outcome::OutOfMemory:
        message = failure(tr("there is not enough memory to read it"));
        break;
    case Outcome::Failed:
        if (message.isEmpty())
            message = failure(tr("the picture is damaged and could not be read"));
        break;
    case Outcome::NotStarted:
        message = failure(tr("the system could not start a process to read it"));
        break;
    }
    m_length.clear();
    m_answer = {};
    emit finished(result, message);
}
