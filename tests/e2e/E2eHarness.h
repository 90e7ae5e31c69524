#pragma once

// Drives the real, built program in the test's private X server with real
// input events (xdotool) and reads its windows back as screenshots.
//
// Adding a case: add a private slot to EndToEndTest in tst_e2e.cpp. init()
// has already launched a fresh program in an empty working folder (workDir())
// and cleanup() closes it, saving a screenshot and the program's output when
// the case failed. Inside the case:
//  - act with click()/move()/drag()/typeText()/key(); coordinates are client
//    coordinates of the target window, which is the main window unless
//    setTarget() chose another one (find it with waitForWindow(title));
//  - never sleep: take clientImage()/region() before acting, then
//    waitForChange(rect, before) or waitFor(condition) for the effect, and
//    assert on pixel()/region() afterwards;
//  - keep each case to a few seconds: the suite runs on a loaded 2-core machine.
// There is no window manager: windows have no frames, so a window's position
// is the screen position of its client area.

#include <QColor>
#include <QElapsedTimer>
#include <QImage>
#include <QProcess>
#include <QRect>
#include <QString>
#include <QTemporaryDir>

#include <functional>
#include <memory>

class E2eHarness
{
public:
    // A top-level window of the program as the X server sees it.
    struct Window
    {
        quint64 id = 0;
        QRect geometry; // screen coordinates of the client area
        bool isValid() const { return id != 0; }
    };

    static inline const QString MainTitle = QStringLiteral("Cryptwright");
    static constexpr int DefaultTimeoutMs = 5000;

    // The command-line tools the harness needs that are not on the PATH, or
    // an empty list.
    static QStringList missingTools();
    static QColor averageColour(const QImage &image, const QRect &rect);
    // Largest difference of one colour channel.
    static int colourDistance(QColor a, QColor b);

    explicit E2eHarness(QString program);
    E2eHarness(const E2eHarness &) = delete;
    E2eHarness &operator=(const E2eHarness &) = delete;
    ~E2eHarness();

    // Starts the program in a fresh working folder and waits until its main
    // window is shown and painted. The pointer is parked off the window first.
    bool launch(QString *error);
    // Asks the program to close; kills it when it asks a question instead or
    // does not end in time.
    void terminate();
    bool isRunning() const;
    QString workDir() const;
    // Everything the program wrote to stdout and stderr so far.
    QString output();

    // Windows.
    Window mainWindow() const { return m_mainWindow; }
    // Visible windows of the program whose title is exactly title.
    QList<Window> windows(const QString &title) const;
    // Waits for a visible window titled title other than the main window.
    Window waitForWindow(const QString &title, int timeoutMs = DefaultTimeoutMs);
    bool waitForWindowClosed(const Window &window, int timeoutMs = DefaultTimeoutMs);
    // Sends the window manager's close request, as the title bar's close button would.
    void closeWindow(const Window &window);
    void setTarget(const Window &window) { m_target = window; }

    // Input, in client coordinates of the target window.
    void move(int x, int y);
    void click(int x, int y, Qt::MouseButton button = Qt::LeftButton, Qt::KeyboardModifiers modifiers = {});
    void doubleClick(int x, int y, Qt::MouseButton button = Qt::LeftButton);
    void drag(QPoint from, QPoint to, Qt::MouseButton button = Qt::LeftButton,
              Qt::KeyboardModifiers modifiers = {});
    void typeText(const QString &text);
    // xdotool key names, each pressed and released in turn: "Return", "End", "ctrl+z".
    void key(const QStringList &keys);

    // The screen.
    QImage grab() const;
    QImage clientImage() const;
    QImage region(const QRect &clientRect) const;
    QRgb pixel(int x, int y) const;
    bool waitFor(const std::function<bool()> &condition, int timeoutMs = DefaultTimeoutMs);
    // Waits until clientRect no longer shows before and has stopped changing.
    bool waitForChange(const QRect &clientRect, const QImage &before, int timeoutMs = DefaultTimeoutMs);

private:
    bool xdotool(const QStringList &arguments, QByteArray *output = nullptr) const;
    // Visible windows of the program whose title matches an extended regular expression, ignoring case.
    QList<quint64> visibleWindowIds(const QString &namePattern) const;
    QRect geometryOf(quint64 id) const;
    QPoint toScreen(int x, int y) const;
    // Keeps two single clicks at one spot from becoming a double-click.
    void spaceClicks(QPoint screenPoint);

    QString m_program;
    std::unique_ptr<QTemporaryDir> m_root;
    QProcess m_process;
    Window m_mainWindow;
    Window m_target;
    QPoint m_lastClick;
    QElapsedTimer m_sinceClick;
};
