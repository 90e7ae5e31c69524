// A window that drags one file as a file manager does: a press on it starts
// the drag. It stays until killed, since the target reads the dragged data
// from it after the drop. The end-to-end cases carry the drag with real
// pointer input.
#include <QApplication>
#include <QDrag>
#include <QMimeData>
#include <QPushButton>
#include <QUrl>

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    if (argc != 2)
        return 2;
    QPushButton source;
    source.setWindowTitle(QStringLiteral("Drag source"));
    source.setGeometry(0, 0, 60, 60);
    QObject::connect(&source, &QPushButton::pressed, [&] {
        auto *data = new QMimeData;
        data->setUrls({QUrl::fromLocalFile(QString::fromLocal8Bit(argv[1]))});
        auto *drag = new QDrag(&source);
        drag->setMimeData(data);
        drag->exec(Qt::CopyAction);
    });
    source.show();
    return app.exec();
}
