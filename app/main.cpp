// Program entry: one application, one document and its main window.
#include <QApplication>
#include <QMainWindow>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Brightfold"));
    QMainWindow window;
    window.setWindowTitle(QStringLiteral("Untitled"));
    window.resize(1000, 800);
    window.show();
    return app.exec();
}
