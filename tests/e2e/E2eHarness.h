#pragma once

// Runs the real, built program in a private Xvfb, drives it with real input
// (xdotool) and reads the screen back.
//
// Adding a case: add a private slot to EndToEndTest in tst_e2e.cpp. init() has
// launched a fresh program in an empty working folder (workDir()); cleanup()
// kills it, saving the screen and the program's output when the case failed.
//  - Act in client coordinates of the main window; find others with waitForWindow(title).
//  - Never sleep: grab() before acting, then waitForChange() or waitFor() the
//    effect, and assert on grab() or pixelAt() afterwards.
// There is no window manager: windows have no frames, so a window's position
// is the screen position of its client area.

#include <QImage>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include <functional>
#include <memory>

struct xcb_connection_t;

class E2eHarness
{
public:
    // geometry: the screen coordinates of the client area.
    struct Window
    {
        quint32 id = 0;
        QRect geometry;
    };
    static constexpr QSize ScreenSize{1280, 1024};
    static constexpr int TimeoutMs = 5000;

    ~E2eHarness();
    // Starts Xvfb on a free display: once, before anything else.
    bool startServer();
    // Starts the program in a fresh working folder and home, or again in the last
    // run's, and waits until its main window is painted.
    bool launch(const QString &program, bool sameHome = false);
    // Closes the main window as a user would (answering Discard to the question about
    // changes), so that the program ends normally; killed if it does not.
    void kill();
    // Ends the program at once, as a crash would: SIGKILL.
    void crash();
    // Asks the main window to close, as the window's close button does.
    void close() { sendClose(m_main.id); }
    bool waitForExit(int timeoutMs = TimeoutMs) { return m_program.waitForFinished(timeoutMs); }
    QString workDir() const { return m_root->filePath("work"); }
    // Where the program keeps unsaved work in case it does not close.
    QString recoveryDir() const { return m_root->filePath(".local/state/cryptwright/recovery"); }
    QString output() const; // everything the program wrote so far
    // The first lines of a sanitizer report in the output, or nothing.
    QString sanitizerReport() const;

    Window mainWindow() const { return m_main; }
    // A visible window titled exactly title, other than the main window (and
    // of size, when given); the topmost of several.
    Window waitForWindow(const QString &title, int timeoutMs = TimeoutMs, QSize size = {});
    // The window's title as the window manager shows it.
    QString title(const Window &window) const;
    bool waitForWindowClosed(const Window &window)
    {
        return waitFor([&] { return !isViewable(window.id); });
    }
    // Keys typed before this go wherever the focus was before.
    bool waitForFocus(const Window &window);

    // Moves the pointer along path; with a button, presses it at the first point and releases it at
    // the last (a drag: give it a few points between, so the program sees a movement and not a jump).
    // held names the modifier keys held down throughout, as xdotool does: "ctrl", "shift+alt".
    void pointer(const QList<QPoint> &path, Qt::MouseButton button = Qt::NoButton, const QString &held = {});
    // Two presses of one button at one spot within Qt's 400 ms make a double-click.
    void click(QPoint at, Qt::MouseButton button = Qt::LeftButton, const QString &held = {})
    {
        pointer({at}, button, held);
    }
    void type(const QString &text) { xdotool({"type", "--delay", "10", "--", text}); }
    // xdotool key names, pressed and released in turn: "End", "Return", "ctrl+z".
    void keys(const QStringList &names) { xdotool(QStringList{"key", "--delay", "20", "--"} + names); }

    // A part of the main window (all of it when clientRect is empty), or of the screen.
    QImage grab(const QRect &clientRect = {}) const;
    QImage grabScreen(const QRect &screenRect = QRect({}, ScreenSize)) const;
    QRgb pixelAt(QPoint at) const { return grab({at, QSize(1, 1)}).pixel(0, 0); }
    bool waitFor(const std::function<bool()> &condition, int timeoutMs = TimeoutMs)
    {
        return QTest::qWaitFor(condition, timeoutMs);
    }
    // Waits until clientRect (as for grab()) no longer shows before and has stopped changing.
    bool waitForChange(const QRect &clientRect, const QImage &before, int timeoutMs = TimeoutMs);

private:
    void xdotool(const QStringList &arguments);
    void sendClose(quint32 id);
    // The X atom of name, or fallback when the server has none.
    quint32 atom(const char *name, quint32 fallback = 0) const;
    bool isViewable(quint32 id) const;

    QProcess m_server, m_program;
    xcb_connection_t *m_x = nullptr;
    quint32 m_rootWindow = 0;
    std::unique_ptr<QTemporaryDir> m_root;
    Window m_main;
};
