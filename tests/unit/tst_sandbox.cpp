#include "readerclient/PictureReader.h"
#include "sandbox/Sandbox.h"
#include "support/TestImages.h"

#include <QDir>
#include <QProcess>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include <csignal>

#include <fcntl.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#if defined(__SANITIZE_ADDRESS__)
constexpr bool SanitizedAddresses = true;
#else
constexpr bool SanitizedAddresses = false;
#endif

// The confinement of the reading process, proven on a program that confines
// itself the same way and then tries what a decoder taken over by a hostile
// file might: each attempt is refused or the program is killed, and nothing
// of it reaches the system. The reading process itself runs confined.
class TestSandbox : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;
    int m_listener = -1;

    // The probe's output; a refusal too when the system ended it for its attempt.
    static QString probe(const QStringList &arguments)
    {
        QProcess process;
        process.start(SANDBOX_PROBE, arguments);
        if (!process.waitForFinished(30'000))
            return QStringLiteral("did not finish");
        if (process.exitStatus() == QProcess::CrashExit)
            return QStringLiteral("refused: killed");
        return QString::fromLocal8Bit(process.readAllStandardOutput() + process.readAllStandardError()).trimmed();
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

    void hostileAttemptsFail_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::newRow("read a file") << QStringList{"read", m_dir.filePath("secret.txt")};
        QTest::newRow("create a file") << QStringList{"create", m_dir.filePath("planted.txt")};
        QTest::newRow("list a folder") << QStringList{"list", m_dir.path()};
        QTest::newRow("connect to a socket") << QStringList{"connect", m_dir.filePath("listening")};
        QTest::newRow("start a program") << QStringList{"exec", "/bin/sh", "sh", "-c",
                                                        "echo escaped; touch " + m_dir.filePath("ran")};
        QTest::newRow("make a process") << QStringList{"fork"};
        QTest::newRow("make memory executable") << QStringList{"execute"};
        if (!SanitizedAddresses) // the address sanitizer needs the address space unlimited
            QTest::newRow("take more memory than the limit") << QStringList{"allocate"};
    }
    void hostileAttemptsFail()
    {
        QFETCH(QStringList, arguments);
        const QString output = probe(arguments);
        QVERIFY2(output.startsWith("refused: ") && !output.contains("escaped"), qPrintable(output));
        // Nothing of it happened.
        QVERIFY(!QFile::exists(m_dir.filePath("planted.txt")) && !QFile::exists(m_dir.filePath("ran")));
        fcntl(m_listener, F_SETFL, O_NONBLOCK);
        QCOMPARE(accept(m_listener, nullptr, nullptr), -1);
    }

    // The reading process the editor starts runs with the filter and cannot gain rights.
    void readingProcessIsConfined()
    {
        PictureReader::endWaiting();
        PictureReader::prepare();
        const QString children =
            TestImages::readAll(QStringLiteral("/proc/%1/task/%1/children").arg(getpid())).trimmed();
        QCOMPARE(children.split(' ').size(), 1);
        // It confines itself once it has read what it needs; until then it shows no filter.
        QString status;
        QVERIFY(QTest::qWaitFor(
            [&] {
                status = TestImages::readAll(QStringLiteral("/proc/%1/status").arg(children));
                return status.contains("Seccomp:\t2");
            },
            10'000));
        QVERIFY2(status.contains("NoNewPrivs:\t1"), qPrintable(status));
        PictureReader::endWaiting();
    }
};

QTEST_GUILESS_MAIN(TestSandbox)
#include "tst_sandbox.moc"
