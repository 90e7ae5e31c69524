#include "E2eHarness.h"

#include <QDir>
#include <QRegularExpression>

#include <csignal>
#include <cstring>
#include <sys/prctl.h>
#include <xcb/xcb.h>

namespace {

// A sanitizer build starting while the fuzz targets build beside it has been seen to need more than 15 s.
constexpr int StartTimeoutMs = 40000, SettleMs = 150;

// xcb replies are the caller's to free.
template<typename Reply>
std::unique_ptr<Reply, void (*)(void *)> owned(Reply *reply)
{
    return {reply, &free};
}

} // namespace

bool E2eHarness::startServer()
{
    // Neither the server nor the program may outlive a test that crashes.
    m_server.setChildProcessModifier([] { prctl(PR_SET_PDEATHSIG, SIGTERM); });
    m_program.setChildProcessModifier([] { prctl(PR_SET_PDEATHSIG, SIGKILL); });
    m_server.setStandardErrorFile(QProcess::nullDevice());
    // The server picks a free display and writes its number once it accepts clients.
    m_server.start("Xvfb", {"-displayfd", "1", "-screen", "0", "1280x1024x24", "-nolisten", "tcp"});
    QByteArray reply;
    while (!reply.contains('\n') && m_server.waitForReadyRead(StartTimeoutMs))
        reply += m_server.readAllStandardOutput();
    // For the program and any other client a case starts.
    qputenv("DISPLAY", ":" + reply.trimmed());
    qputenv("QT_QPA_PLATFORM", "xcb");
    m_x = xcb_connect(nullptr, nullptr);
    if (!reply.endsWith('\n') || xcb_connection_has_error(m_x))
        return false;
    m_rootWindow = xcb_setup_roots_iterator(xcb_get_setup(m_x)).data->root;
    return true;
}

E2eHarness::~E2eHarness()
{
    kill();
    if (m_x)
        xcb_disconnect(m_x);
    m_server.terminate();
    m_server.waitForFinished();
}

bool E2eHarness::launch(const QString &program, bool sameHome)
{
    kill();
    if (!sameHome || !m_root) {
        m_root = std::make_unique<QTemporaryDir>();
        QDir(m_root->path()).mkdir("work");
    }
    // Each run starts from nothing (no remembered settings, folders or work), and at scale 1.
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    for (const char *name : {"XDG_CONFIG_HOME", "XDG_CACHE_HOME", "XDG_DATA_HOME", "XDG_STATE_HOME", "QT_SCALE_FACTOR",
                             "QT_SCREEN_SCALE_FACTORS"})
        environment.remove(name);
    environment.insert("HOME", m_root->path());
    environment.insert("XDG_RUNTIME_DIR", m_root->path());
    m_program.setProcessEnvironment(environment);
    m_program.setWorkingDirectory(workDir());
    // A file, not a pipe: a chatty program can never block on a full pipe.
    m_program.setProcessChannelMode(QProcess::MergedChannels);
    m_program.setStandardOutputFile(m_root->filePath("program.log"));

    xdotool({"mousemove", "0", "0"}); // no hover in the first picture
    const QImage screenBefore = grabScreen();
    m_program.start(program, {});
    // By its size: a question it asks at the start has the same title.
    waitFor(
        [&] {
            return (m_main = waitForWindow("Cryptwright", 0, QSize(588, 325))).id
                || m_program.state() == QProcess::NotRunning;
        },
        StartTimeoutMs);
    // Shown is not yet painted: wait until its area shows something new and has settled.
    return m_main.id && waitForChange({}, screenBefore.copy(m_main.geometry), StartTimeoutMs);
}

void E2eHarness::kill()
{
    if (m_main.id && m_program.state() == QProcess::Running) {
        sendClose(m_main.id);
        // After changes it asks first: D answers Discard.
        const Window question = m_program.waitForFinished(2000) ? Window() : waitForWindow("Cryptwright", 1000);
        if (question.id && waitForFocus(question))
            keys({"d"});
        m_program.waitForFinished(5000);
    }
    crash();
}

void E2eHarness::crash()
{
    m_program.kill();
    m_program.waitForFinished();
    // The next launch's first picture must not see this run's window.
    if (m_main.id)
        waitForWindowClosed(m_main);
    m_main = {};
}

quint32 E2eHarness::atom(const char *name, quint32 fallback) const
{
    const auto reply = owned(xcb_intern_atom_reply(m_x, xcb_intern_atom(m_x, 0, strlen(name), name), nullptr));
    return reply ? reply->atom : fallback;
}

void E2eHarness::sendClose(quint32 id)
{
    // The time, data32[1], stays 0: XCB_CURRENT_TIME.
    xcb_client_message_event_t event{XCB_CLIENT_MESSAGE, 32, 0, id, atom("WM_PROTOCOLS"), {}};
    event.data.data32[0] = atom("WM_DELETE_WINDOW");
    xcb_send_event(m_x, 0, id, XCB_EVENT_MASK_NO_EVENT, reinterpret_cast<const char *>(&event));
    xcb_flush(m_x);
}

QString E2eHarness::sanitizerReport() const
{
    const QString log = output();
    const qsizetype at = log.indexOf(QRegularExpression("ERROR: (Address|Leak)Sanitizer|runtime error:"));
    return at < 0 ? QString() : log.mid(at, 2000);
}

QString E2eHarness::output() const
{
    QFile log(m_root ? m_root->filePath("program.log") : QString());
    return log.open(QIODevice::ReadOnly) ? QString::fromLocal8Bit(log.readAll()) : QString();
}

QString E2eHarness::title(const Window &window) const
{
    // Qt writes the name as UTF-8 in both properties; _NET_WM_NAME is the one a window manager shows.
    const auto name = owned(xcb_get_property_reply(
        m_x, xcb_get_property(m_x, 0, window.id, atom("_NET_WM_NAME", XCB_ATOM_WM_NAME), XCB_ATOM_ANY, 0, 256),
        nullptr));
    return name ? QString::fromUtf8(static_cast<const char *>(xcb_get_property_value(name.get())),
                                    xcb_get_property_value_length(name.get()))
                : QString();
}

E2eHarness::Window E2eHarness::waitForWindow(const QString &title, int timeoutMs, QSize size)
{
    Window found;
    waitFor(
        [&] {
            const auto tree = owned(xcb_query_tree_reply(m_x, xcb_query_tree(m_x, m_rootWindow), nullptr));
            for (int i = 0; tree && i < xcb_query_tree_children_length(tree.get()); ++i) {
                const xcb_window_t id = xcb_query_tree_children(tree.get())[i];
                const auto geometry = owned(xcb_get_geometry_reply(m_x, xcb_get_geometry(m_x, id), nullptr));
                const Window window{
                    id, geometry ? QRect(geometry->x, geometry->y, geometry->width, geometry->height) : QRect()};
                if (id != m_main.id && geometry && isViewable(id) && (size.isEmpty() || size == window.geometry.size())
                    && this->title(window) == title)
                    found = window;
            }
            return found.id != 0;
        },
        timeoutMs);
    return found;
}

bool E2eHarness::waitForFocus(const Window &window)
{
    return waitFor([&] {
        const auto reply = owned(xcb_get_input_focus_reply(m_x, xcb_get_input_focus(m_x), nullptr));
        return reply && reply->focus == window.id;
    });
}

void E2eHarness::pointer(const QList<QPoint> &path, Qt::MouseButton button, const QString &held)
{
    const QString number = button == Qt::RightButton ? "3" : button == Qt::MiddleButton ? "2" : "1";
    QStringList arguments;
    for (qsizetype i = 0; i < path.size(); ++i) {
        const QPoint at = m_main.geometry.topLeft() + path[i];
        // Not "--sync": it waits forever for a move to where the pointer already is.
        // The server handles the moves and presses in order all the same.
        arguments << "mousemove" << QString::number(at.x()) << QString::number(at.y());
        if (i == 0 && !held.isEmpty())
            arguments << "keydown" << held;
        if (i == 0 && button)
            arguments << "mousedown" << number;
    }
    if (button)
        arguments << "mouseup" << number;
    if (!held.isEmpty())
        arguments << "keyup" << held;
    xdotool(arguments);
}

QImage E2eHarness::grab(const QRect &clientRect) const
{
    return grabScreen(
        (clientRect.isEmpty() ? QRect({}, m_main.geometry.size()) : clientRect).translated(m_main.geometry.topLeft()));
}

QImage E2eHarness::grabScreen(const QRect &r) const
{
    const auto reply = owned(xcb_get_image_reply(
        m_x, xcb_get_image(m_x, XCB_IMAGE_FORMAT_Z_PIXMAP, m_rootWindow, r.x(), r.y(), r.width(), r.height(), ~0u),
        nullptr));
    // The 24-bit screen comes as 32-bit pixels with an unused top byte.
    return reply ? QImage(xcb_get_image_data(reply.get()), r.width(), r.height(), QImage::Format_RGB32)
                       .convertToFormat(QImage::Format_ARGB32)
                 : QImage();
}

bool E2eHarness::waitForChange(const QRect &clientRect, const QImage &before, int timeoutMs)
{
    // A large repaint reaches the server in strips; on a busy machine one strip can
    // lag behind the next poll, so the picture counts as settled only once it has
    // stayed the same for a while.
    QImage previous;
    QDeadlineTimer steady;
    return waitFor(
        [&] {
            const QImage now = grab(clientRect);
            if (now != previous)
                steady.setRemainingTime(SettleMs);
            previous = now;
            return now != before && steady.hasExpired();
        },
        timeoutMs);
}

void E2eHarness::xdotool(const QStringList &arguments)
{
    if (QProcess::execute("xdotool", arguments) != 0)
        QTest::qFail(qPrintable("xdotool " + arguments.join(' ') + " failed"), __FILE__, __LINE__);
}

bool E2eHarness::isViewable(quint32 id) const
{
    const auto reply = owned(xcb_get_window_attributes_reply(m_x, xcb_get_window_attributes(m_x, id), nullptr));
    return reply && reply->map_state == XCB_MAP_STATE_VIEWABLE;
}
