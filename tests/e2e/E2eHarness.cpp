#include "E2eHarness.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QHash>
#include <QScreen>
#include <QStandardPaths>
#include <QStyleHints>
#include <QTest>
#include <QtGui/qguiapplication_platform.h>

#include <csignal>
#include <sys/prctl.h>
#include <xcb/xcb.h>

namespace {

constexpr int PollMs = 20;
constexpr int LaunchTimeoutMs = 15000;
constexpr int ToolTimeoutMs = 10000;
constexpr int CloseTimeoutMs = 3000;
constexpr int DragSteps = 8;

// The X server of the test's own application object.
xcb_connection_t *connection()
{
    return qGuiApp->nativeInterface<QNativeInterface::QX11Application>()->connection();
}

xcb_atom_t atom(const char *name)
{
    xcb_intern_atom_reply_t *reply =
        xcb_intern_atom_reply(connection(), xcb_intern_atom(connection(), 0, uint16_t(qstrlen(name)), name), nullptr);
    const xcb_atom_t result = reply ? reply->atom : xcb_atom_t(XCB_ATOM_NONE);
    free(reply);
    return result;
}

// Dialogs and message boxes are transient for their owner; the main window is not.
bool isTransient(quint64 id)
{
    xcb_generic_error_t *error = nullptr;
    xcb_get_property_reply_t *reply = xcb_get_property_reply(
        connection(),
        xcb_get_property(connection(), 0, xcb_window_t(id), XCB_ATOM_WM_TRANSIENT_FOR, XCB_ATOM_WINDOW, 0, 1),
        &error);
    const bool transient = reply && xcb_get_property_value_length(reply) > 0;
    free(reply);
    free(error);
    return transient;
}

// False also for a window that no longer exists.
bool isViewable(quint64 id)
{
    xcb_generic_error_t *error = nullptr;
    xcb_get_window_attributes_reply_t *reply = xcb_get_window_attributes_reply(
        connection(), xcb_get_window_attributes(connection(), xcb_window_t(id)), &error);
    const bool viewable = reply && reply->map_state == XCB_MAP_STATE_VIEWABLE;
    free(reply);
    free(error);
    return viewable;
}

// xdotool matches names with POSIX extended expressions.
QString exactNamePattern(const QString &title)
{
    QString pattern = QStringLiteral("^");
    for (QChar c : title) {
        if (QStringLiteral(".[]()*+?{}|^$\\").contains(c))
            pattern += u'\\';
        pattern += c;
    }
    return pattern + u'$';
}

QString buttonNumber(Qt::MouseButton button)
{
    switch (button) {
    case Qt::RightButton:
        return QStringLiteral("3");
    case Qt::MiddleButton:
        return QStringLiteral("2");
    default:
        return QStringLiteral("1");
    }
}

QStringList modifierKeys(Qt::KeyboardModifiers modifiers)
{
    QStringList keys;
    if (modifiers & Qt::ShiftModifier)
        keys << QStringLiteral("shift");
    if (modifiers & Qt::ControlModifier)
        keys << QStringLiteral("ctrl");
    if (modifiers & Qt::AltModifier)
        keys << QStringLiteral("alt");
    return keys;
}

void failTool(const QStringList &arguments, const QString &why)
{
    const QString message = QStringLiteral("xdotool %1: %2").arg(arguments.join(u' '), why);
    QTest::qFail(qPrintable(message), __FILE__, __LINE__);
}

} // namespace

QStringList E2eHarness::missingTools()
{
    QStringList missing;
    for (const QString &tool : {QStringLiteral("Xvfb"), QStringLiteral("xdotool")}) {
        if (QStandardPaths::findExecutable(tool).isEmpty())
            missing << tool;
    }
    return missing;
}

QColor E2eHarness::averageColour(const QImage &image, const QRect &rect)
{
    const QRect area = rect & image.rect();
    qint64 red = 0, green = 0, blue = 0;
    for (int y = area.top(); y <= area.bottom(); ++y) {
        for (int x = area.left(); x <= area.right(); ++x) {
            const QRgb p = image.pixel(x, y);
            red += qRed(p);
            green += qGreen(p);
            blue += qBlue(p);
        }
    }
    const qint64 count = qMax<qint64>(1, qint64(area.width()) * area.height());
    return QColor(int(red / count), int(green / count), int(blue / count));
}

int E2eHarness::colourDistance(QColor a, QColor b)
{
    return std::max({std::abs(a.red() - b.red()), std::abs(a.green() - b.green()), std::abs(a.blue() - b.blue())});
}

E2eHarness::E2eHarness(QString program)
    : m_program(std::move(program))
{
    // The program must not outlive a test that crashes.
    m_process.setChildProcessModifier([] { prctl(PR_SET_PDEATHSIG, SIGKILL); });
}

E2eHarness::~E2eHarness()
{
    terminate();
}

bool E2eHarness::launch(QString *error)
{
    terminate();
    m_root = std::make_unique<QTemporaryDir>();
    const QDir root(m_root->path());
    for (const char *folder : {"work", "config", "cache", "data", "runtime"}) {
        if (!m_root->isValid() || !root.mkpath(QLatin1String(folder))) {
            *error = QStringLiteral("cannot create the folders of a test run under %1").arg(root.path());
            return false;
        }
    }
    QFile::setPermissions(root.filePath(QStringLiteral("runtime")),
                          QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);

    // Each run starts from nothing: no remembered dialog folders, no shared runtime files.
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
    environment.insert(QStringLiteral("XDG_CONFIG_HOME"), root.filePath(QStringLiteral("config")));
    environment.insert(QStringLiteral("XDG_CACHE_HOME"), root.filePath(QStringLiteral("cache")));
    environment.insert(QStringLiteral("XDG_DATA_HOME"), root.filePath(QStringLiteral("data")));
    environment.insert(QStringLiteral("XDG_RUNTIME_DIR"), root.filePath(QStringLiteral("runtime")));
    // Pixel positions are checked exactly.
    environment.remove(QStringLiteral("QT_SCALE_FACTOR"));
    environment.remove(QStringLiteral("QT_SCREEN_SCALE_FACTORS"));
    m_process.setProcessEnvironment(environment);
    m_process.setWorkingDirectory(workDir());
    // A file, not a pipe: a chatty program can never block on a full pipe.
    const QString log = root.filePath(QStringLiteral("program.log"));
    m_process.setStandardOutputFile(log);
    m_process.setStandardErrorFile(log, QIODevice::Append);

    // Off the window, so that no hover changes what the first screenshot shows.
    xdotool({QStringLiteral("mousemove"), QStringLiteral("--sync"), QStringLiteral("0"), QStringLiteral("0")});
    const QImage screenBefore = grab();

    m_process.start(m_program, {});
    if (!m_process.waitForStarted(LaunchTimeoutMs)) {
        *error = QStringLiteral("cannot start %1: %2").arg(m_program, m_process.errorString());
        return false;
    }

    const bool shown = waitFor([this] {
        if (!isRunning())
            return true;
        for (const Window &window : windows(MainTitle)) {
            if (!isTransient(window.id)) {
                m_mainWindow = window;
                return true;
            }
        }
        return false;
    }, LaunchTimeoutMs);
    if (!shown || !m_mainWindow.isValid()) {
        *error = isRunning() ? QStringLiteral("no main window titled \"%1\" appeared").arg(MainTitle)
                             : QStringLiteral("the program ended during start-up");
        *error += QStringLiteral("; its output:\n") + output();
        return false;
    }
    m_target = m_mainWindow;

    // Shown is not yet painted: wait until the window's area shows something
    // new and has stopped changing.
    if (!waitForChange(QRect(QPoint(0, 0), m_mainWindow.geometry.size()), screenBefore.copy(m_mainWindow.geometry),
                       LaunchTimeoutMs)) {
        *error = QStringLiteral("the main window was never painted");
        return false;
    }
    return true;
}

void E2eHarness::terminate()
{
    if (isRunning()) {
        if (m_mainWindow.isValid())
            closeWindow(m_mainWindow);
        // Any other window now is a question (unsaved changes) or a modal
        // window refusing the close: no answer is given, the program is killed.
        const auto endedOrAsking = [this] {
            if (!isRunning())
                return true;
            const QList<quint64> open = visibleWindowIds(QString());
            return std::any_of(open.cbegin(), open.cend(), [this](quint64 id) { return id != m_mainWindow.id; });
        };
        waitFor(endedOrAsking, CloseTimeoutMs);
        if (isRunning()) {
            m_process.kill();
            m_process.waitForFinished(CloseTimeoutMs);
        }
    }
    // The next run's first screenshot must not see this run's window.
    if (m_mainWindow.isValid())
        waitForWindowClosed(m_mainWindow, CloseTimeoutMs);
    m_mainWindow = {};
    m_target = {};
}

bool E2eHarness::isRunning() const
{
    return m_process.state() != QProcess::NotRunning;
}

QString E2eHarness::workDir() const
{
    return m_root ? QDir(m_root->path()).filePath(QStringLiteral("work")) : QString();
}

QString E2eHarness::output()
{
    if (!m_root)
        return QString();
    QFile log(QDir(m_root->path()).filePath(QStringLiteral("program.log")));
    return log.open(QIODevice::ReadOnly) ? QString::fromLocal8Bit(log.readAll()) : QString();
}

QList<E2eHarness::Window> E2eHarness::windows(const QString &title) const
{
    QList<Window> found;
    for (quint64 id : visibleWindowIds(exactNamePattern(title))) {
        // The search ignores case; titles are compared exactly.
        QByteArray name;
        xdotool({QStringLiteral("getwindowname"), QString::number(id)}, &name);
        if (name.endsWith('\n'))
            name.chop(1);
        if (QString::fromUtf8(name) != title)
            continue;
        const QRect geometry = geometryOf(id);
        if (geometry.isValid())
            found.append(Window{id, geometry});
    }
    return found;
}

E2eHarness::Window E2eHarness::waitForWindow(const QString &title, int timeoutMs)
{
    Window result;
    waitFor([&] {
        for (const Window &window : windows(title)) {
            if (window.id != m_mainWindow.id) {
                result = window;
                return true;
            }
        }
        return false;
    }, timeoutMs);
    return result;
}

bool E2eHarness::waitForWindowClosed(const Window &window, int timeoutMs)
{
    return waitFor([&] { return !isViewable(window.id); }, timeoutMs);
}

void E2eHarness::closeWindow(const Window &window)
{
    xcb_client_message_event_t event{};
    event.response_type = XCB_CLIENT_MESSAGE;
    event.format = 32;
    event.window = xcb_window_t(window.id);
    event.type = atom("WM_PROTOCOLS");
    event.data.data32[0] = atom("WM_DELETE_WINDOW");
    event.data.data32[1] = XCB_CURRENT_TIME;
    xcb_send_event(connection(), 0, xcb_window_t(window.id), XCB_EVENT_MASK_NO_EVENT,
                   reinterpret_cast<const char *>(&event));
    xcb_flush(connection());
}

void E2eHarness::move(int x, int y)
{
    const QPoint at = toScreen(x, y);
    xdotool({QStringLiteral("mousemove"), QStringLiteral("--sync"), QString::number(at.x()), QString::number(at.y())});
}

void E2eHarness::click(int x, int y, Qt::MouseButton button, Qt::KeyboardModifiers modifiers)
{
    const QPoint at = toScreen(x, y);
    spaceClicks(at);
    QStringList arguments{QStringLiteral("mousemove"), QStringLiteral("--sync"), QString::number(at.x()),
                          QString::number(at.y())};
    const QStringList keys = modifierKeys(modifiers);
    for (const QString &key : keys)
        arguments << QStringLiteral("keydown") << key;
    arguments << QStringLiteral("click") << buttonNumber(button);
    for (auto it = keys.crbegin(); it != keys.crend(); ++it)
        arguments << QStringLiteral("keyup") << *it;
    xdotool(arguments);
    m_lastClick = at;
    m_sinceClick.start();
}

void E2eHarness::doubleClick(int x, int y, Qt::MouseButton button)
{
    const QPoint at = toScreen(x, y);
    spaceClicks(at);
    xdotool({QStringLiteral("mousemove"), QStringLiteral("--sync"), QString::number(at.x()), QString::number(at.y()),
             QStringLiteral("click"), QStringLiteral("--repeat"), QStringLiteral("2"), QStringLiteral("--delay"),
             QStringLiteral("50"), buttonNumber(button)});
    m_lastClick = at;
    m_sinceClick.start();
}

void E2eHarness::drag(QPoint from, QPoint to, Qt::MouseButton button, Qt::KeyboardModifiers modifiers)
{
    const QPoint start = toScreen(from.x(), from.y());
    const QPoint end = toScreen(to.x(), to.y());
    QStringList arguments{QStringLiteral("mousemove"), QStringLiteral("--sync"), QString::number(start.x()),
                          QString::number(start.y())};
    const QStringList keys = modifierKeys(modifiers);
    for (const QString &key : keys)
        arguments << QStringLiteral("keydown") << key;
    arguments << QStringLiteral("mousedown") << buttonNumber(button);
    // Several steps, so that the program sees a movement and not a jump.
    for (int step = 1; step <= DragSteps; ++step) {
        const QPoint at = start + (end - start) * step / DragSteps;
        arguments << QStringLiteral("mousemove") << QStringLiteral("--sync") << QString::number(at.x())
                  << QString::number(at.y());
    }
    arguments << QStringLiteral("mouseup") << buttonNumber(button);
    for (auto it = keys.crbegin(); it != keys.crend(); ++it)
        arguments << QStringLiteral("keyup") << *it;
    xdotool(arguments);
}

void E2eHarness::typeText(const QString &text)
{
    xdotool({QStringLiteral("type"), QStringLiteral("--delay"), QStringLiteral("10"), QStringLiteral("--"), text});
}

void E2eHarness::key(const QStringList &keys)
{
    xdotool(QStringList{QStringLiteral("key"), QStringLiteral("--delay"), QStringLiteral("20"), QStringLiteral("--")}
            + keys);
}

QImage E2eHarness::grab() const
{
    return QGuiApplication::primaryScreen()->grabWindow(0).toImage();
}

QImage E2eHarness::clientImage() const
{
    return region(QRect(QPoint(0, 0), m_target.geometry.size()));
}

QImage E2eHarness::region(const QRect &clientRect) const
{
    const QPoint at = toScreen(clientRect.x(), clientRect.y());
    return QGuiApplication::primaryScreen()
        ->grabWindow(0, at.x(), at.y(), clientRect.width(), clientRect.height())
        .toImage();
}

QRgb E2eHarness::pixel(int x, int y) const
{
    return region(QRect(x, y, 1, 1)).pixel(0, 0);
}

bool E2eHarness::waitFor(const std::function<bool()> &condition, int timeoutMs)
{
    const QDeadlineTimer deadline(timeoutMs);
    for (;;) {
        if (condition())
            return true;
        if (deadline.hasExpired())
            return false;
        QTest::qWait(PollMs);
    }
}

bool E2eHarness::waitForChange(const QRect &clientRect, const QImage &before, int timeoutMs)
{
    QImage previous;
    return waitFor([&] {
        const QImage now = region(clientRect);
        const bool settled = now != before && now == previous;
        previous = now;
        return settled;
    }, timeoutMs);
}

bool E2eHarness::xdotool(const QStringList &arguments, QByteArray *output) const
{
    QProcess tool;
    tool.start(QStringLiteral("xdotool"), arguments);
    if (!tool.waitForFinished(ToolTimeoutMs)) {
        tool.kill();
        tool.waitForFinished();
        failTool(arguments, QStringLiteral("did not finish"));
        return false;
    }
    if (output)
        *output = tool.readAllStandardOutput();
    // A search that matches nothing ends with status 1; only a caller that
    // reads the output can tell that apart from an error.
    if (tool.exitStatus() != QProcess::NormalExit || (tool.exitCode() != 0 && !output)) {
        failTool(arguments, QString::fromLocal8Bit(tool.readAllStandardError()).trimmed());
        return false;
    }
    return tool.exitCode() == 0;
}

QList<quint64> E2eHarness::visibleWindowIds(const QString &namePattern) const
{
    QList<quint64> ids;
    if (!isRunning())
        return ids;
    QByteArray lines;
    xdotool({QStringLiteral("search"), QStringLiteral("--all"), QStringLiteral("--onlyvisible"),
             QStringLiteral("--pid"), QString::number(m_process.processId()),
             QStringLiteral("--name"), namePattern},
            &lines);
    for (const QByteArray &line : lines.split('\n')) {
        bool ok = false;
        const quint64 id = line.trimmed().toULongLong(&ok);
        if (ok)
            ids.append(id);
    }
    return ids;
}

QRect E2eHarness::geometryOf(quint64 id) const
{
    QByteArray shell;
    if (!xdotool({QStringLiteral("getwindowgeometry"), QStringLiteral("--shell"), QString::number(id)}, &shell))
        return QRect();
    QHash<QByteArray, int> values;
    for (const QByteArray &line : shell.split('\n')) {
        const qsizetype equals = line.indexOf('=');
        if (equals > 0)
            values.insert(line.left(equals), line.mid(equals + 1).toInt());
    }
    return QRect(values.value("X"), values.value("Y"), values.value("WIDTH"), values.value("HEIGHT"));
}

QPoint E2eHarness::toScreen(int x, int y) const
{
    return m_target.geometry.topLeft() + QPoint(x, y);
}

void E2eHarness::spaceClicks(QPoint screenPoint)
{
    const QStyleHints *hints = QGuiApplication::styleHints();
    if (!m_sinceClick.isValid() || (screenPoint - m_lastClick).manhattanLength() > hints->mouseDoubleClickDistance())
        return;
    const qint64 remaining = hints->mouseDoubleClickInterval() + PollMs - m_sinceClick.elapsed();
    if (remaining > 0)
        QTest::qWait(int(remaining));
}
