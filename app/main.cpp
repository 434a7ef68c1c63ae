// Program entry: one application, its resource folder, one untitled document
// and the document's main window.
#include "app/MessageBoxes.h"
#include "app/ResourceSetup.h"
#include "model/SKTDocument.h"

#include <QApplication>
#include <QMainWindow>
#include <QWidget>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Brightfold"));

    QString reason;
    if (!setUpResourceFolder(&reason)) {
        Show_NSLog_Message(reason);
        Show_MessageBox(QStringLiteral("Can not access Larkspur Data file."));
        return 1;
    }

    // The main window stands in for the main window controller for now.
    SKTDocument::setWindowControllerMaker([](SKTDocument& document) -> std::unique_ptr<QObject> {
        auto window = std::make_unique<QMainWindow>();
        window->setWindowTitle(document.displayName());
        window->setCentralWidget(new QWidget);
        window->setGeometry(100, 0, 1000, 800);
        window->show();
        return window;
    });

    SKTDocument document;
    document.makeWindowControllers();
    return app.exec();
}
