#include "IconSet.h"

#include <QDir>
#include <QTransform>
#include <cmath>

namespace {
const QColor kInk("#2b2b2b");
const QColor kBlack("#000000");
const QColor kPaper("#ffffff");
const QColor kFolder("#f4c95d"), kFolderBack("#d9a530");
const QColor kBlue("#3a72c4"), kLightBlue("#cfe4fa");

using P = QPointF;

QPainterPath circle(double cx, double cy, double r)
{
    QPainterPath p;
    p.addEllipse(QPointF(cx, cy), r, r);
    return p;
}

// A clockwise arc on the circle round (8, 8) with an arrowhead at its end.
void bentArrow(SvgScene &s, double fromDeg, double toDeg, bool mirror)
{
    const double r = 5.0, cx = 8, cy = 8;
    const double pi = 3.14159265358979;
    QTransform flip = mirror ? QTransform(-1, 0, 0, 1, 16, 0) : QTransform();
    // Screen angles, y down: increasing angle turns clockwise.
    const double endDeg = toDeg - 22; // leave room for the head
    QPainterPath arc;
    arc.arcMoveTo(QRectF(cx - r, cy - r, 2 * r, 2 * r), -fromDeg);
    arc.arcTo(QRectF(cx - r, cy - r, 2 * r, 2 * r), -fromDeg, -(endDeg - fromDeg));
    s.stroke(flip.map(arc), kBlack, 2.0);
    const double a = toDeg * pi / 180, b = endDeg * pi / 180;
    const P tip(cx + r * std::cos(a), cy + r * std::sin(a));
    const P base(cx + r * std::cos(b), cy + r * std::sin(b));
    const P radial(std::cos(b), std::sin(b));
    QPainterPath head = SvgScene::poly({tip + (tip - base) * 0.35, base + radial * 3.0, base - radial * 3.0});
    s.fill(flip.map(head), kBlack);
}

// A bold arrow pointing up from row 8, for the flip icons.
QPainterPath upArrow()
{
    QPainterPath p = SvgScene::poly({P(8, 0.5), P(13.5, 5), P(10, 5), P(10, 7), P(6, 7), P(6, 5), P(2.5, 5)});
    return p;
}
} // namespace

std::map<QString, SvgScene> IconSet::toolbar()
{
    std::map<QString, SvgScene> icons;
    auto make = [&](const char *name) -> SvgScene & { return icons.emplace(name, SvgScene(16, 16)).first->second; };

    {
        SvgScene &s = make("clear");
        s.fillStroke(SvgScene::poly({P(3.5, 1.5), P(10.5, 1.5), P(13.5, 4.5), P(13.5, 14.5), P(3.5, 14.5)}), kPaper,
                     kInk);
        s.fillStroke(SvgScene::poly({P(10.5, 1.5), P(10.5, 4.5), P(13.5, 4.5)}), QColor("#d6d6d6"), kInk);
    }
    {
        SvgScene &s = make("open");
        s.fillStroke(SvgScene::poly({P(0.5, 3.5), P(4.5, 3.5), P(5.5, 4.5), P(11.5, 4.5), P(11.5, 13.5), P(0.5, 13.5)}),
                     kFolderBack, kInk);
        s.fillStroke(SvgScene::poly({P(0.5, 13.5), P(2.5, 7.5), P(14.5, 7.5), P(12.5, 13.5)}), kFolder, kInk);
        s.fillStroke(SvgScene::poly({P(12.5, 0.5), P(15.5, 3.5), P(13.5, 3.5), P(13.5, 6.5), P(11.5, 6.5), P(11.5, 3.5),
                                     P(9.5, 3.5)}),
                     QColor("#46a346"), QColor("#1d5e1d"));
    }
    {
        SvgScene &s = make("save");
        s.fillStroke(SvgScene::poly({P(1.5, 1.5), P(12.5, 1.5), P(14.5, 3.5), P(14.5, 14.5), P(1.5, 14.5)}), kBlue,
                     kInk);
        s.fillStroke(SvgScene::rect(4.5, 1.5, 7, 4), QColor("#d4d8de"), kInk);
        s.fill(SvgScene::rect(9, 2, 1, 3), QColor("#4a5260"));
        s.fillStroke(SvgScene::rect(3.5, 8.5, 9, 6), kPaper, kInk);
        s.fill(SvgScene::rect(5, 10, 6, 1), QColor("#9aa3ae"));
        s.fill(SvgScene::rect(5, 12, 6, 1), QColor("#9aa3ae"));
    }
    {
        SvgScene &s = make("preview");
        s.stroke(SvgScene::poly({P(10, 10), P(14.5, 14.5)}, false), QColor("#5a3b1f"), 2.6);
        s.fillStroke(circle(6.5, 6.5, 5), kLightBlue, kInk);
        QPainterPath glint;
        glint.arcMoveTo(QRectF(3.5, 3.5, 6, 6), 100);
        glint.arcTo(QRectF(3.5, 3.5, 6, 6), 100, 60);
        s.stroke(glint, kPaper, 1.2);
    }
    {
        SvgScene &s = make("print");
        s.fillStroke(SvgScene::rect(4.5, 1.5, 7, 5), kPaper, kInk);
        s.fillStroke(SvgScene::rect(1.5, 5.5, 13, 6), QColor("#a7acb3"), kInk);
        s.fill(SvgScene::rect(2, 6, 12, 1), QColor("#c9cdd2"));
        s.fill(SvgScene::rect(12, 7, 1, 1), QColor("#34c034"));
        s.fillStroke(SvgScene::rect(4.5, 9.5, 7, 5), kPaper, kInk);
        s.fill(SvgScene::rect(6, 11, 4, 1), QColor("#8a8a8a"));
        s.fill(SvgScene::rect(6, 13, 3, 1), QColor("#8a8a8a"));
    }
    {
        SvgScene &s = make("options");
        for (int y : {3, 8, 13})
            s.fill(SvgScene::rect(1, y, 14, 1), kInk);
        s.fillStroke(SvgScene::rect(3.5, 1.5, 3, 4), QColor("#f0a030"), kInk);
        s.fillStroke(SvgScene::rect(9.5, 6.5, 3, 4), QColor("#4a90d9"), kInk);
        s.fillStroke(SvgScene::rect(5.5, 11.5, 3, 4), QColor("#5cb85c"), kInk);
    }
    {
        // A paint pot tipped over, pouring into the empty corner.
        SvgScene &s = make("fill");
        s.fillStroke(SvgScene::poly({P(2.5, 7.5), P(7.5, 2.5), P(12.5, 7.5), P(7.5, 12.5)}), kPaper, kInk);
        s.fill(SvgScene::poly({P(4, 7.5), P(7.5, 4), P(11, 7.5)}), kBlue);
        QPainterPath handle;
        handle.moveTo(2.5, 7.5);
        handle.cubicTo(0.5, 4, 4, 0.5, 7.5, 2.5);
        s.stroke(handle, kInk);
        s.fillStroke(
            SvgScene::poly({P(12.5, 7.5), P(14.5, 10.5), P(14.5, 13.5), P(13.5, 14.5), P(12.5, 13.5), P(12.5, 10.5)}),
            kBlue, kInk);
    }
    {
        SvgScene &s = make("size");
        s.fillStroke(SvgScene::rect(1.5, 1.5, 9, 9), kPaper, kInk);
        for (int k : {4, 7}) {
            s.fill(SvgScene::rect(k, 2, 1, 8), QColor("#9a9a9a"));
            s.fill(SvgScene::rect(2, k, 8, 1), QColor("#9a9a9a"));
        }
        s.stroke(SvgScene::poly({P(9.5, 9.5), P(13, 13)}, false), kInk, 1.6);
        s.fill(SvgScene::poly({P(15.5, 15.5), P(15.5, 10.5), P(10.5, 15.5)}), kInk);
    }
    {
        SvgScene &s = make("number");
        const QColor c("#2d5aa0");
        s.fill(SvgScene::rect(5, 1, 2, 14), c);
        s.fill(SvgScene::rect(9, 1, 2, 14), c);
        s.fill(SvgScene::rect(1, 5, 14, 2), c);
        s.fill(SvgScene::rect(1, 9, 14, 2), c);
    }
    {
        SvgScene &s = make("info");
        s.fillStroke(circle(8, 8, 7), QColor("#3a7bd5"), QColor("#1f4f96"));
        s.fill(SvgScene::rect(7, 3, 2, 2), kPaper);
        s.fill(SvgScene::rect(7, 6, 2, 6), kPaper);
        s.fill(SvgScene::rect(6, 11, 4, 1), kPaper);
        s.fill(SvgScene::rect(6, 6, 1, 1), kPaper);
    }
    {
        SvgScene &s = make("transparency");
        s.fillStroke(SvgScene::rect(1.5, 1.5, 9, 9), QColor("#d9534f"), kInk);
        SvgScene::Style front;
        front.fill = QColor(58, 123, 213, 140);
        front.stroke = kInk;
        s.add(SvgScene::rect(5.5, 5.5, 9, 9), front);
    }
    {
        SvgScene &s = make("folder");
        s.fillStroke(SvgScene::poly({P(1.5, 2.5), P(5.5, 2.5), P(6.5, 3.5), P(14.5, 3.5), P(14.5, 13.5), P(1.5, 13.5)}),
                     kFolderBack, kInk);
        s.fillStroke(SvgScene::rect(1.5, 5.5, 13, 8), kFolder, kInk);
    }
    {
        SvgScene &s = make("flip_vertical");
        for (int x : {1, 5, 9, 13})
            s.fill(SvgScene::rect(x, 7, 2, 2), QColor("#8a8a8a"));
        s.fill(upArrow(), kBlack);
        s.fill(QTransform(1, 0, 0, -1, 0, 16).map(upArrow()), kBlack);
    }
    {
        SvgScene &s = make("flip_horizontal");
        for (int y : {1, 5, 9, 13})
            s.fill(SvgScene::rect(7, y, 2, 2), QColor("#8a8a8a"));
        const QTransform left(0, 1, 1, 0, 0, 0); // swap x and y: the up arrow points left
        s.fill(left.map(upArrow()), kBlack);
        s.fill((left * QTransform(-1, 0, 0, 1, 16, 0)).map(upArrow()), kBlack);
    }
    {
        SvgScene &s = make("rotate_right");
        bentArrow(s, 195, 335, false);
        bentArrow(s, 15, 155, false);
    }
    {
        SvgScene &s = make("rotate_left");
        bentArrow(s, 195, 335, true);
        bentArrow(s, 15, 155, true);
    }
    return icons;
}

SvgScene IconSet::application()
{
    SvgScene s(256, 256);
    const QColor outline("#24140a");
    // Chest outline: a box with a rounded lid.
    QPainterPath body;
    body.addRoundedRect(QRectF(36, 124, 184, 100), 10, 10);
    QPainterPath lid;
    lid.moveTo(36, 128);
    lid.lineTo(36, 96);
    lid.cubicTo(36, 44, 220, 44, 220, 96);
    lid.lineTo(220, 128);
    lid.closeSubpath();

    SvgScene::Style wood;
    wood.gradient = {QPointF(0, 124), QPointF(0, 224), {{0, QColor("#b36e32")}, {1, QColor("#6e3a16")}}};
    wood.stroke = outline;
    wood.strokeWidth = 6;
    s.add(body, wood);
    SvgScene::Style lidWood;
    lidWood.gradient = {QPointF(0, 56), QPointF(0, 128), {{0, QColor("#d08a45")}, {1, QColor("#8a4a1e")}}};
    lidWood.stroke = outline;
    lidWood.strokeWidth = 6;
    s.add(lid, lidWood);
    // Plank seams.
    for (double y : {157.0, 190.0})
        s.stroke(SvgScene::poly({P(42, y), P(214, y)}, false), QColor("#5a2e10"), 3);
    QPainterPath seam;
    seam.moveTo(40, 100);
    seam.cubicTo(44, 66, 212, 66, 216, 100);
    s.stroke(seam, QColor("#6a3614"), 3);
    // Iron bands over lid and box.
    SvgScene::Style iron;
    iron.gradient = {QPointF(0, 50), QPointF(0, 224), {{0, QColor("#8c96a3")}, {1, QColor("#3b4149")}}};
    iron.stroke = QColor("#1b1f24");
    iron.strokeWidth = 4;
    const QPainterPath chest = body.united(lid);
    for (double x : {62.0, 170.0}) {
        QPainterPath band;
        band.addRect(x, 40, 24, 190);
        s.add(band.intersected(chest), iron);
        for (double y : {110.0, 150.0, 200.0})
            s.fill(circle(x + 12, y, 4), QColor("#c9d0d8"));
    }
    // The gold lock plate and keyhole.
    SvgScene::Style gold;
    gold.gradient = {QPointF(0, 104), QPointF(0, 156), {{0, QColor("#ffe083")}, {1, QColor("#c38a1c")}}};
    gold.stroke = QColor("#5a3a08");
    gold.strokeWidth = 4;
    QPainterPath plate;
    plate.addRoundedRect(QRectF(108, 104, 40, 50), 7, 7);
    s.add(plate, gold);
    QPainterPath hole = circle(128, 124, 6);
    hole.addPath(SvgScene::poly({P(124, 126), P(132, 126), P(135, 144), P(121, 144)}));
    hole.setFillRule(Qt::WindingFill);
    s.fill(hole, QColor("#2a1a06"));
    // A glint of treasure under the lid.
    QPainterPath shine = SvgScene::poly(
        {P(196, 30), P(202, 44), P(216, 50), P(202, 56), P(196, 70), P(190, 56), P(176, 50), P(190, 44)});
    s.fill(shine, QColor("#ffe99a"));
    return s;
}

bool IconSet::write(const QString &repoRoot)
{
    const QDir root(repoRoot);
    QDir().mkpath(root.filePath("resources/icons"));
    QDir().mkpath(root.filePath("resources/images"));
    bool ok = true;
    for (const auto &[name, scene] : toolbar())
        ok &= scene.save(root.filePath("resources/icons/" + name + ".svg"));
    const SvgScene app = application();
    ok &= app.save(root.filePath("resources/icons/cryptwright.svg"));
    ok &= app.render(64, 64).save(root.filePath("resources/images/cryptwright-64.png"));
    ok &= app.render(256, 256).save(root.filePath("resources/images/cryptwright-256.png"));
    return ok;
}
