#include "app/Workspace.h"
#include "support/TestImages.h"

#include <QTemporaryDir>
#include <QTest>

#include <functional>

using namespace Geometry;
using namespace TestImages;

namespace {

// Everything a change of the maptile may touch, as the user sees it.
struct State {
    QImage preview;
    SpeedValues speed;
    QString mapNum;
    QString designer;
    bool operator==(const State &) const = default;
};

State stateOf(const Workspace &w)
{
    return {w.preview(), w.maptile().speedValues(), w.mapNumText(), w.designerText()};
}

using Action = std::function<void(Workspace &)>;

} // namespace

Q_DECLARE_METATYPE(Action)

// Every change of the maptile goes back and forth through the undo stack exactly.
class TestUndo : public QObject
{
    Q_OBJECT

private slots:
    void init()
    {
        m_dir = std::make_unique<QTemporaryDir>();
        for (int i = 0; i < 4; ++i)
            QVERIFY(pattern(TilesetSize, i).save(m_dir->filePath(Workspace::DefaultTilesetNames[i]), "BMP"));
        m_workspace = std::make_unique<Workspace>();
        m_workspace->startUp({m_dir->path()}, [](const QString &message) { QFAIL(qPrintable(message)); });
        // Something to lose: placements over several spaces, keyed and blended, numbers and texts.
        Workspace &w = *m_workspace;
        w.setTransparency(1, TransparencySetting(QStringLiteral("2,90")));
        for (int i = 0; i < 12; ++i) {
            w.setOutlineCell(i % 4, QPoint(i % 7, i % 4));
            w.assign(Workspace::LeftButton, i % 4);
            w.place(Workspace::LeftButton, QPoint(i % 5, i % 6));
        }
        w.setMapNumText(QStringLiteral("12"));
        w.setDesignerText(QStringLiteral("Ann"));
        w.chooseSpeedValue({4, 5}, QStringLiteral("X"));
        w.undoStack().clear();
    }

    void everyChangeUndoesAndRedoesExactly_data()
    {
        QTest::addColumn<QSize>("size");
        QTest::addColumn<Action>("action");
        const QSize full(5, 6);
        QTest::newRow("placement") << full << Action([](Workspace &w) { w.place(Workspace::LeftButton, {2, 3}); });
        // Only its speed value changes: no tile data for the fixture tilesets.
        QTest::newRow("placement off the maptile")
            << QSize(3, 3) << Action([](Workspace &w) { w.place(Workspace::LeftButton, {4, 5}); });
        QTest::newRow("speed value")
            << full << Action([](Workspace &w) { w.chooseSpeedValue({1, 1}, QStringLiteral("1/T")); });
        QTest::newRow("clear") << full << Action([](Workspace &w) { w.blankMaptile(4, 3); });
        QTest::newRow("shrink") << full << Action([](Workspace &w) { w.setSize(3, 4); });
        QTest::newRow("grow") << QSize(3, 3) << Action([](Workspace &w) { w.setSize(5, 5); });
        QTest::newRow("open image") << full << Action([](Workspace &w) { w.openImage(pattern({500, 450}, 7)); });
        QTest::newRow("maptile number") << full << Action([](Workspace &w) { w.setMapNumText(QStringLiteral("7")); });
        QTest::newRow("designer") << full << Action([](Workspace &w) { w.setDesignerText(QString()); });
    }

    void everyChangeUndoesAndRedoesExactly()
    {
        QFETCH(QSize, size);
        QFETCH(Action, action);
        Workspace &w = *m_workspace;
        w.setSize(size.width(), size.height());
        w.undoStack().clear();
        const State before = stateOf(w);
        action(w);
        const State after = stateOf(w);
        QVERIFY(after != before);
        QCOMPARE(w.undoStack().count(), 1);

        // A second round trip catches a command that only works once.
        for (int round = 0; round < 2; ++round) {
            w.setMaptileChanged(false);
            w.undo();
            QVERIFY(stateOf(w) == before);
            QVERIFY(w.maptileChanged());
            w.setMaptileChanged(false);
            w.redo();
            QVERIFY(stateOf(w) == after);
            QVERIFY(w.maptileChanged());
        }
    }

    void undoneSizeIsShownAgain()
    {
        Workspace &w = *m_workspace;
        QList<QSize> shown;
        connect(&w, &Workspace::sizeChosen, this, [&shown](int c, int r) { shown << QSize(c, r); });
        w.setSize(3, 4);
        w.undo();
        w.redo();
        QCOMPARE(shown, (QList<QSize>{{3, 4}, {5, 6}, {3, 4}}));
    }

    void newChangeDropsTheRedoBranch()
    {
        Workspace &w = *m_workspace;
        const State start = stateOf(w);
        w.place(Workspace::LeftButton, {0, 0});
        const State one = stateOf(w);
        w.place(Workspace::LeftButton, {1, 0});
        w.undo();
        QVERIFY(stateOf(w) == one);
        w.chooseSpeedValue({0, 0}, QStringLiteral("X"));
        const State branch = stateOf(w);
        w.redo(); // nothing left to redo: the undone placement is gone
        QVERIFY(stateOf(w) == branch);
        w.undo();
        w.undo();
        QVERIFY(stateOf(w) == start);
        QVERIFY(!w.undoStack().canUndo());
    }

    void typingIsOneStepPerBoxUntilFocusLeaves()
    {
        Workspace &w = *m_workspace;
        for (const QString &text : {u"1"_qs, u"15"_qs})
            w.setMapNumText(text);
        for (const QString &text : {u"B"_qs, u"Bo"_qs, u"Bob"_qs})
            w.setDesignerText(text);
        w.endTypingStep();
        w.setDesignerText(QStringLiteral("Bob!"));
        w.setDesignerText(QStringLiteral("Bob")); // typed and taken back: no step
        QCOMPARE(w.undoStack().count(), 2);
        w.undo();
        QCOMPARE(w.designerText(), QStringLiteral("Ann"));
        QCOMPARE(w.mapNumText(), QStringLiteral("15"));
        w.undo();
        QCOMPARE(w.mapNumText(), QStringLiteral("12"));
    }

    void thousandPlacementsStayUnderAHundredMegabytes()
    {
        Workspace &w = *m_workspace;
        const qint64 before = processKb("VmRSS");
        for (int i = 0; i < 1000; ++i)
            w.place(Workspace::LeftButton, QPoint(i % 5, (i / 5) % 6));
        const qint64 grown = processKb("VmRSS") - before;
        qInfo("1,000 placements took %lld KiB of undo history", grown);
        QVERIFY2(grown < 100 * 1024, qPrintable(QString::number(grown)));
        QCOMPARE(w.undoStack().count(), 1000);
    }

private:
    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<Workspace> m_workspace;
};

QTEST_MAIN(TestUndo)
#include "tst_undo.moc"
