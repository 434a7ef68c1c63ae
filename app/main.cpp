// Program entry: one application, its resource folder, one untitled document
// and the document's main window.
#include "app/MessageBoxes.h"
#include "app/ResourceSetup.h"
#include "canvas/CardDocumentRendering.h"
#include "mainwindow/SKTWindowController.h"
#include "mainwindow/barcode/Barcode_Gen.h"
#include "model/SKTDocument.h"
#include "platform/AlertMessagePresenter.h"

#include <QApplication>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Brightfold"));
    AlertMessagePresenter alerts;
    MessagePresenter::setDefault(&alerts);

    QString reason;
    if (!setUpResourceFolder(&reason)) {
        Show_NSLog_Message(reason);
        Show_MessageBox(QStringLiteral("Can not access Larkspur Data file."));
        return 1;
    }

    // The document's pictures and print pages take their card base from the
    // window that shows the document.
    const auto rendering = std::make_shared<CardDocumentRendering>();
    SKTDocument::setRendering(rendering);
    SKTDocument::setWindowControllerMaker([rendering](SKTDocument& document) -> std::unique_ptr<QObject> {
        auto controller = std::make_unique<SKTWindowController>(document);
        controller->setBarcodeDesigner(
            [](const GraphicPtr& edited) { return Barcode_Gen::defaultInstance()->Open_Wnd(edited); });
        rendering->setHost(controller.get());
        return controller;
    });

    SKTDocument document;
    document.makeWindowControllers();
    const int status = app.exec();
    rendering->setHost(nullptr);
    SKTWindowController::Delete_Excel_File_Temp_Folder();
    return status;
}
