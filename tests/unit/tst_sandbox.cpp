#include "document/DocumentReader.h"
#include "document/MaptileDocument.h"
#include "readerclient/PictureReader.h"
#include "sandbox/Sandbox.h"
#include "support/TestImages.h"

#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include <csignal>

#include <fcntl.h>
#include <spawn.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <sys/wait.h>
#include <unistd.h>

#if defined(__SANITIZE_ADDRESS__)
constexpr bool SanitizedAddresses = true;
#else
constexpr bool SanitizedAddresses = false;
#endif

extern char **environ;

// The confinement of the reading process and of the command line's export,
// proven on programs that confine themselves the same way and then try what a
// decoder taken over by a hostile file might: each attempt is refused or the
// program is killed, and nothing of it reaches the system. The reading process
// and the command line themselves run confined.
class TestSandbox : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;
    int m_listener = -1;

    // The probe's output; a refusal too when the system ended it for its attempt.
    static QString probe(const QStringList &arguments, const QString &program = QStringLiteral(SANDBOX_PROBE))
    {
        QProcess process;
        process.start(program, arguments);
        if (!process.waitForFinished(30'000))
            return QStringLiteral("did not finish");
        if (process.exitStatus() == QProcess::CrashExit)
            return QStringLiteral("refused: killed");
        return QString::fromLocal8Bit(process.readAllStandardOutput() + process.readAllStandardError()).trimmed();
    }

    // What the descriptors of process pid lead to.
    static QStringList openFiles(qint64 pid)
    {
        QStringList files;
        for (const QFileInfo &fd : QDir(QStringLiteral("/proc/%1/fd").arg(pid))
                                       .entryInfoList(QDir::AllEntries | QDir::System | QDir::NoDotAndDotDot))
            files << fd.symLinkTarget();
        return files;
    }

private slots:
    void initTestCase()
    {
        TestImages::writeText(m_dir.filePath("secret.txt"), "not for the reader");
        // A socket that listens: a confined program must not reach it.
        m_listener = socket(AF_UNIX, SOCK_STREAM, 0);
        sockaddr_un address{};
        address.sun_family = AF_UNIX;
        const QByteArray path = QFile::encodeName(m_dir.filePath("listening"));
        qstrncpy(address.sun_path, path.constData(), sizeof address.sun_path);
        QVERIFY(bind(m_listener, reinterpret_cast<sockaddr *>(&address), sizeof address) == 0);
        QVERIFY(listen(m_listener, 4) == 0);
        qInfo("Landlock version %d", Sandbox::landlockVersion());
    }

    void cleanupTestCase() { close(m_listener); }

    // Each attempt in a probe confined as the reading process is, and in one confined as the export is once
    // its document is open and its output made, where an attempt is refused, even from a thread that was
    // running before, and the document is still exported; or the attempt ends the export, and then the file
    // it was to replace is as it was, with nothing left beside it.
    void hostileAttemptsFail_data()
    {
        QTest::addColumn<QStringList>("attempt");
        QTest::addColumn<bool>("exporting");
        QTest::addColumn<bool>("killed"); // the export, for its attempt
        const QString secret = m_dir.filePath("secret.txt");
        const auto both = [](const char *name, const QStringList &attempt, bool killed) {
            QTest::addRow("%s", name) << attempt << false << false;
            QTest::addRow("export: %s", name) << attempt << true << killed;
        };
        both("read a file", {"read", secret}, false);
        both("create a file", {"create", m_dir.filePath("planted.txt")}, false);
        both("list a folder", {"list", m_dir.path()}, false);
        both("connect to a socket", {"connect", m_dir.filePath("listening")}, false);
        both("start a program", {"exec", "/bin/sh", "sh", "-c", "echo escaped; touch " + m_dir.filePath("ran")}, true);
        both("make a process", {"fork"}, true);
        QTest::newRow("make memory executable") << QStringList{"execute"} << false << false;
        if (!SanitizedAddresses) // the address sanitizer needs the address space unlimited
            QTest::newRow("take more memory than the limit") << QStringList{"allocate"} << false << false;
        QTest::newRow("export: read a file from a thread started earlier")
            << QStringList{"read-elsewhere", secret} << true << false;
        QTest::newRow("export: rename a file") << QStringList{"rename", secret} << true << true;
    }
    void hostileAttemptsFail()
    {
        QFETCH(QStringList, attempt);
        QFETCH(bool, exporting);
        QFETCH(bool, killed);
        QDir out(m_dir.filePath("out"));
        QVERIFY(out.removeRecursively() && QDir().mkpath(out.path()));
        TestImages::writeText(out.filePath("maptile.jpg"), "the earlier export");
        const QString document = QFINDTESTDATA("../../fuzz/corpus/fuzz_document/maptile.ora");
        const QString output = exporting
            ? probe(QStringList{document, out.filePath("maptile.jpg")} + attempt, QStringLiteral(EXPORT_PROBE))
            : probe(attempt);
        QVERIFY2(output.startsWith("refused: ") && !output.contains("escaped"), qPrintable(output));
        // Nothing of it happened.
        QVERIFY(!QFile::exists(m_dir.filePath("planted.txt")) && !QFile::exists(m_dir.filePath("ran"))
                && QFile::exists(m_dir.filePath("secret.txt")));
        fcntl(m_listener, F_SETFL, O_NONBLOCK);
        QCOMPARE(accept(m_listener, nullptr, nullptr), -1);
        if (!exporting)
            return;
        // The renaming process outlives a probe that was killed by a moment, to remove what it left.
        QTRY_COMPARE(out.entryList(QDir::Files | QDir::Hidden), QStringList{"maptile.jpg"});
        if (killed) {
            QCOMPARE(TestImages::readAll(out.filePath("maptile.jpg")), "the earlier export");
        } else {
            QString error;
            QVERIFY2(output.endsWith("\nexported"), qPrintable(output));
            QCOMPARE(QImage(out.filePath("maptile.jpg")).size(), DocumentReader::readFinished(document, &error).size());
        }
    }

    // The command line itself runs confined while it reports: the report of forty missing documents
    // fills a pipe of one page, which holds it there until it is read. Sheets read their backs too.
    void commandLineIsConfined_data()
    {
        QTest::addColumn<QStringList>("options");
        QTest::addColumn<QString>("written");
        QTest::newRow("pictures") << QStringList{"--export", m_dir.filePath("exported")}
                                  << m_dir.filePath("exported/maptile.jpg");
        const QString back = m_dir.filePath("back.png");
        QVERIFY(TestImages::solid({60, 40}, qRgb(200, 0, 0)).save(back));
        QTest::newRow("sheets with backs")
            << QStringList{"--export", m_dir.filePath("sheets.pdf"), "--paper", "a4", "--calibration", "--backs", back}
            << m_dir.filePath("sheets.pdf");
    }
    void commandLineIsConfined()
    {
        QFETCH(QStringList, options);
        QFETCH(QString, written);
        const QString document = QFINDTESTDATA("../../fuzz/corpus/fuzz_document/maptile.ora");
        QStringList arguments = QStringList{CRYPTWRIGHT_BINARY} + options + QStringList{document};
        for (int i = 0; i < 40; ++i)
            arguments << m_dir.filePath(QStringLiteral("missing %1 ").arg(i) + QString(100, 'x') + ".ora");
        int report[2];
        QVERIFY(pipe2(report, O_CLOEXEC) == 0);
        QVERIFY(fcntl(report[1], F_SETPIPE_SZ, 4096) == 4096);
        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_adddup2(&actions, report[1], STDERR_FILENO);
        QList<QByteArray> bytes;
        for (const QString &argument : arguments)
            bytes << QFile::encodeName(argument);
        std::vector<char *> argv;
        for (QByteArray &argument : bytes)
            argv.push_back(argument.data());
        argv.push_back(nullptr);
        pid_t child = 0;
        const int spawned = posix_spawn(&child, argv[0], &actions, nullptr, argv.data(), environ);
        posix_spawn_file_actions_destroy(&actions);
        close(report[1]);
        QCOMPARE(spawned, 0);

        const QString status = TestImages::confinedStatus(child, 20'000);
        const bool confined = status.contains("Seccomp:\t2");
        const QStringList threads =
            QDir(QStringLiteral("/proc/%1/task").arg(child)).entryList(QDir::Dirs | QDir::NoDotAndDotDot);
        QStringList unconfined;
        for (const QString &thread : threads) {
            const QString task = TestImages::readAll(QStringLiteral("/proc/%1/task/%2/status").arg(child).arg(thread));
            // A thread that ended since the listing has no status left to read.
            if (task.isEmpty())
                continue;
            if (!task.contains("Seccomp:\t2") || !task.contains("NoNewPrivs:\t1"))
                unconfined << thread;
        }
        QByteArray lines;
        char buffer[4096];
        for (ssize_t n; (n = read(report[0], buffer, sizeof buffer)) > 0;)
            lines.append(buffer, n);
        close(report[0]);
        int exit = 0;
        QCOMPARE(waitpid(child, &exit, 0), child);
        QVERIFY2(confined && unconfined.isEmpty(), qPrintable(status + unconfined.join(' ')));
        QVERIFY(WIFEXITED(exit) && WEXITSTATUS(exit) == 1);
        QCOMPARE(lines.count('\n'), 40);
        QVERIFY(QFileInfo(written).size() > 0);
    }

    // A descriptor left open without close-on-exec by whatever started the editor reaches no
    // reading process: the editor passes it to none, not even one that would keep it, and the
    // reading process started by another closes it before it confines itself.
    void readingProcessHoldsNoStrayDescriptor_data()
    {
        QTest::addColumn<bool>("byTheEditor");
        QTest::newRow("started by the editor") << true;
        QTest::newRow("started by another program") << false;
    }
    void readingProcessHoldsNoStrayDescriptor()
    {
        QFETCH(bool, byTheEditor);
        PictureReader::endWaiting();
        const QString secret = m_dir.filePath("secret.txt");
        const int stray = ::open(QFile::encodeName(secret).constData(), O_RDWR);
        QVERIFY(stray > STDERR_FILENO && !(fcntl(stray, F_GETFD) & FD_CLOEXEC));
        PictureReader reader(READER_STANDIN);
        QProcess other;
        if (byTheEditor) {
            QSignalSpy finished(&reader, &PictureReader::finished);
            TestImages::writeText(m_dir.filePath("plain.png"), "x");
            reader.start(m_dir.filePath("plain.png"), PictureReader::Kind::WholePicture);
            QVERIFY(finished.wait(10'000));
        } else {
            other.start(PictureReader::installedProgram());
            QVERIFY(other.waitForStarted());
        }
        ::close(stray);
        const QList<qint64> children = TestImages::childProcesses();
        QCOMPARE(children.size(), 1);
        const qint64 pid = children.front();
        // The reading process is looked at once it has confined itself.
        if (!byTheEditor)
            QVERIFY(TestImages::confinedStatus(pid).contains("Seccomp:\t2"));
        const QStringList files = openFiles(pid);
        QVERIFY2(files.size() >= 3 && !files.contains(secret), qPrintable(files.join('\n')));
        PictureReader::endWaiting();
        other.kill();
        other.waitForFinished();
    }

    // A reading process taken over by the file it reads may answer what it likes: the editor
    // takes nothing a sound reading could not give, reports it as a file it cannot read, and
    // asks that process nothing more. A document as long as its limits allow passes.
    void unsoundAnswersAreRefused_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("kind");
        QTest::addColumn<bool>("taken");
        using enum PictureReader::Kind;
        QTest::newRow("a document at every limit") << "longest.ora" << int(Maptile) << true;
        QTest::newRow("14,400 x 864 pixels") << "wide.ora" << int(Maptile) << false;
        QTest::newRow("six columns") << "six columns.ora" << int(Maptile) << false;
        QTest::newRow("six columns finished") << "six columns.ora" << int(FinishedMaptile) << false;
        QTest::newRow("a designer of 300,000 characters") << "designer.ora" << int(Maptile) << false;
        QTest::newRow("a number of 5,000 characters") << "number.ora" << int(Maptile) << false;
        QTest::newRow("a stack over the limit") << "stack.ora" << int(Maptile) << false;
        QTest::newRow("a placement from a tileset not carried") << "copy.ora" << int(Maptile) << false;
        QTest::newRow("a maptile smaller than a space") << "small.png" << int(Maptile) << false;
        QTest::newRow("a document for a tileset picture") << "state.ora" << int(WholePicture) << false;
        QTest::newRow("bytes that are no picture") << "garbage.png" << int(Maptile) << false;
    }
    void unsoundAnswersAreRefused()
    {
        QFETCH(QString, name);
        QFETCH(int, kind);
        QFETCH(bool, taken);
        PictureReader::endWaiting();
        const QString path = m_dir.filePath(name);
        TestImages::writeText(path, "x");
        PictureReader reader(READER_STANDIN);
        QSignalSpy finished(&reader, &PictureReader::finished);
        reader.start(path, PictureReader::Kind(kind));
        QVERIFY(finished.wait(30'000));
        const ReaderResult result = finished.front().at(0).value<ReaderResult>();
        const QImage &image = result.picture;
        const QString error = finished.front().at(1).toString();
        if (taken) {
            const MaptileDocument &document = result.document;
            QVERIFY2(document.editable && document.designer.size() == 1000, qPrintable(error));
            QVERIFY(document.records.top({0, 0}) && document.records.copies().size() == 1);
        } else {
            QVERIFY2(image.isNull() && error.contains(name) && error.contains("could not be passed on"),
                     qPrintable(error));
        }
        QCOMPARE(TestImages::childProcesses().size(), taken ? 1 : 0);
        PictureReader::endWaiting();
    }
};

QTEST_GUILESS_MAIN(TestSandbox)
#include "tst_sandbox.moc"
