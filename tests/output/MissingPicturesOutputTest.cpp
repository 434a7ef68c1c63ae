// Cards whose bound photo is missing or no readable picture: every batch
// (print, Save as PDF, export, mail) goes on, and its last message counts
// those cards and names their files; an empty value lacks nothing.

#include "mainwindow/WindowControllerFixture.h"

#include "data/Globals.h"
#include "mainwindow/ExportWindow.h"
#include "mainwindow/Open_Export_Log.h"
#include "mainwindow/mail/Send_Mail.h"
#include "mainwindow/print/Print_Wnd.h"
#include "model/SKTImage.h"
#include "output/Globals.h"
#include "output/PrinterCatalog.h"
#include "platform/AtomicFile.h"
#include "platform/IndexSet.h"

#include <QCheckBox>
#include <QComboBox>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QPrinter>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>

#include <functional>

namespace {

struct NoPrinters : PrinterCatalog
{
    QStringList printerNames() const override { return {}; }
    QPageSize defaultPaper(const QString&) const override { return QPageSize(QPageSize::A4); }
};

}

using MissingPicturesOutputTest = WindowControllerFixture;

TEST_F(MissingPicturesOutputTest, EveryBatchNamesThePicturesItCouldNotDraw)
{
    QTemporaryDir photos, out;
    const QString good = photos.filePath("p01.png"), gone = photos.filePath("p02.png");
    const QString broken = photos.filePath("p03.jpg");
    QImage picture(40, 40, QImage::Format_RGB32);
    picture.fill(Qt::darkCyan);
    ASSERT_TRUE(picture.save(good) && AtomicFile::save(broken, "\xFF\xD8 not a picture"));
    auto photo = std::make_shared<SKTImage>();
    photo->_bounds = QRectF(10, 10, 60, 60);
    photo->data_source_type = 2;
    photo->excel_col_indx = 1;
    document->insertGraphicsForKey(SKTDocumentGraphicsKey, {photo}, IndexSet(0));
    controller->Excel_Column_Titles = {"No.", "Photo"};
    const QStringList paths {good, gone, "", broken, gone};
    for (int r = 0; r < paths.size(); ++r)
        controller->ListData.append({{"Extension", QString::number(r + 1)}, {"Column1", paths[r]}});
    controller->Check_Series_Or_Excel_Use_or_not();
    ASSERT_EQ(Total_Batch_Excel_Card, 5);

    QString exported;
    Print_Wnd::setModalRun([](QDialog&) { return 0; });
    SavePanel::setHandler([&](const QString&, const QString&) { return out.filePath("cards.pdf"); });
    Open_Export_Log::setModalRun([&](Open_Export_Log& box) {
        exported = box._open_log_message->text();
        return 1;
    });
    ExportWindow::setFolderChooser([&](QWidget*) { return out.path(); });
    ExportWindow::setModalRun([](ExportWindow& w) {
        w.fileFormatPopup->setCurrentText("PNG");
        w.selectSideRow(1);
        w.Export_with_batch_chk->setChecked(false);
        w.Export_with_excel_chk->setChecked(true);
        return 1;
    });
    // what the batch `run` says at its end
    const auto said = [&](const std::function<void()>& run) {
        presenter.clear();
        exported.clear();
        run();
        return (presenter.texts().join("|") + exported).toStdString();
    };
    NoPrinters catalog;
    const auto printed = [&](bool pdfButton) {
        Print_Wnd window(nullptr, controller.get(), catalog);
        window.Open_Print_Wnd();
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(out.filePath("printed.pdf"));
        pdfButton ? window.pdf_btn->click() : window.printWith(printer);
    };
    const std::string lacking = ("3 of 5 cards were drawn without their picture: " + gone + " cannot be found; "
                                 + broken + " is not a readable picture.")
                                    .toStdString();
    EXPECT_EQ(said([&] { printed(false); }), "\nThe cards were sent to the printer, but " + lacking);
    EXPECT_EQ(said([&] { printed(true); }), "\nPDF has been saved, but " + lacking);
    EXPECT_EQ(said([&] {
                  controller->Export_Button();
                  while (controller->isBatchExportRunning())
                      QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
              }),
              "The cards have been exported.\n" + lacking + "\nThey are in this folder:");
    sender_email = "me@home.org";
    sender_pwd = "secret";
    sending_server = "smtp.home.org";
    sending_port = "587";
    Send_Mail* mail = controller->mailWindow();
    mail->resetForm();
    mail->send_barcode_rd_select();
    mail->send_with_excel_chk->setChecked(true);
    mail->rd_all_to_every->click();
    mail->to_txt->setText("a@b.com");
    mail->setSender([](const MailScript::Mail&) { return true; });
    EXPECT_EQ(said([&] {
                  mail->Send_Button();
                  while (mail->isSending())
                      QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
              }),
              "\nE-mail has been sent, but " + lacking);
    // every photo there: the words of success
    for (DesignFileRow& row : controller->ListData)
        row["Column1"] = good;
    controller->Check_Series_Or_Excel_Use_or_not();
    EXPECT_EQ(said([&] { printed(true); }), "\nPDF has been saved successfully.");
    Print_Wnd::setModalRun({});
    Open_Export_Log::setModalRun({});
    ExportWindow::setModalRun({});
    ExportWindow::setFolderChooser({});
}
