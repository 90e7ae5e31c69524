#pragma once

// Runs the real, built program in a private Xvfb, drives it with real input
// (xdotool) and reads the screen back.
//
// Adding a case: add a private slot to EndToEndTest in tst_e2e.cpp. init() has
// launched a fresh program in an empty working folder (workDir()); cleanup()
// kills it, saving the screen and the program's output when the case failed.
//  - Act in client coordinates of the target window: the main window unless
//    setTarget() chose another one (find it with waitForWindow(title)).
//  - Never sleep: grab() before acting, then waitForChange() or waitFor() the
//    effect, and assert on grab() afterwards.
// There is no window manager: windows have no frames, so a window's position
// is the screen position of its client area.

#include <QDeadlineTimer>
#include <QImage>
#include <QProcess>
#include <QTemporaryDir>

#include <functional>
#include <memory>

struct xcb_connection_t;

class E2eHarness
{
public:
    struct Window
    {
        quint32 id = 0;
        QRect geometry; // screen coordinates of the client area
    };
    static constexpr QSize ScreenSize{1280, 1024};
    static constexpr int TimeoutMs = 5000;

    ~E2eHarness();
    // Starts Xvfb on a free display: once, before anything else.
    bool startServer();
    // Starts the program in a fresh working folder and waits until its main
    // window is painted. Failures are explained as warnings.
    bool launch(const QString &program);
    void kill();
    QString workDir() const { return m_root->filePath("work"); }
    QString output() const; // everything the program wrote so far

    Window mainWindow() const { return m_main; }
    // Waits for a visible window titled exactly title, other than the main
    // window; the topmost one when there are several.
    Window waitForWindow(const QString &title, int timeoutMs = TimeoutMs);
    bool waitForWindowClosed(const Window &window, int timeoutMs = TimeoutMs)
    {
        return waitFor([&] { return !isViewable(window.id); }, timeoutMs);
    }
    // Keys typed before this go wherever the focus was before.
    bool waitForFocus(const Window &window, int timeoutMs = TimeoutMs)
    {
        return waitFor([&] { return hasFocus(window.id); }, timeoutMs);
    }
    void setTarget(const Window &window) { m_target = window; }
    // Asks window to close, as a window manager's close button would.
    void close(const Window &window);

    // Moves the pointer along path; with a button, presses it at the first
    // point and releases it at the last. held names the modifier keys held
    // down throughout, as xdotool does: "ctrl", "shift+alt".
    void pointer(const QList<QPoint> &path, Qt::MouseButton button = Qt::NoButton, const QString &held = {});
    void click(QPoint at, Qt::MouseButton button = Qt::LeftButton, const QString &held = {})
    {
        pointer({at}, button, held);
    }
    void drag(QPoint from, QPoint to, Qt::MouseButton button = Qt::LeftButton, const QString &held = {});
    void type(const QString &text);
    // xdotool key names, pressed and released in turn: "End", "Return", "ctrl+z".
    void keys(const QStringList &names);

    // A part of the target window (all of it when clientRect is empty), or of the screen.
    QImage grab(const QRect &clientRect = {}) const;
    QImage grabScreen(const QRect &screenRect = QRect({}, ScreenSize)) const;
    bool waitFor(const std::function<bool()> &condition, int timeoutMs = TimeoutMs);
    // Waits until clientRect (as for grab()) no longer shows before and has stopped changing.
    bool waitForChange(const QRect &clientRect, const QImage &before, int timeoutMs = TimeoutMs);

private:
    void xdotool(const QStringList &arguments);
    bool isViewable(quint32 id) const;
    bool hasFocus(quint32 id) const;

    QProcess m_server;
    xcb_connection_t *m_x = nullptr;
    quint32 m_rootWindow = 0;
    std::unique_ptr<QTemporaryDir> m_root;
    QProcess m_program;
    Window m_main, m_target;
    QPoint m_lastPress;
    QDeadlineTimer m_doubleClickEnd{0};
};
