// A window that drags one file as a file manager does: a press on it starts
// the drag, and it prints whether the drag was taken. It stays until killed,
// since the target reads the dragged data from it after the drop.
// The end-to-end cases carry the drag with real pointer input.
#include <QApplication>
#include <QDrag>
#include <QMimeData>
#include <QUrl>
#include <QWidget>

#include <cstdio>

namespace {

class DragSource : public QWidget
{
public:
    explicit DragSource(QString path) : m_path(std::move(path))
    {
        setWindowTitle(QStringLiteral("Drag source"));
        setFixedSize(60, 60);
    }

protected:
    void mousePressEvent(QMouseEvent *) override
    {
        auto *drag = new QDrag(this);
        auto *data = new QMimeData;
        data->setUrls({QUrl::fromLocalFile(m_path)});
        drag->setMimeData(data);
        const Qt::DropAction action = drag->exec(Qt::CopyAction);
        std::printf("%s\n", action == Qt::IgnoreAction ? "ignored" : "dropped");
        std::fflush(stdout);
    }

private:
    QString m_path;
};

} // namespace

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    if (argc != 2)
        return 2;
    DragSource source(QString::fromLocal8Bit(argv[1]));
    source.move(0, 0);
    source.show();
    return app.exec();
}
