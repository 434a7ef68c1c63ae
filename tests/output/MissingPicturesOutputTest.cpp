// Cards whose bound photo is missing or no readable picture: every batch
// (print, Save as PDF, export, mail) still goes on and its last message
// counts those cards and names their files; a card whose value is empty
// lacks nothing, and with every photo drawn the success texts stay as
// they were.

#include "mainwindow/WindowControllerFixture.h"

#include "data/Globals.h"
#include "mainwindow/ExportWindow.h"
#include "mainwindow/Open_Export_Log.h"
#include "mainwindow/mail/Send_Mail.h"
#include "mainwindow/print/Print_Wnd.h"
#include "model/SKTImage.h"
#include "output/Globals.h"
#include "output/PrinterCatalog.h"
#include "platform/IndexSet.h"

#include <QCheckBox>
#include <QComboBox>
#include <QElapsedTimer>
#include <QFile>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QPrinter>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTemporaryDir>

#include <functional>

namespace {

class NoPrinters : public PrinterCatalog
{
public:
    QStringList printerNames() const override { return {}; }
    QPageSize defaultPaper(const QString&) const override { return QPageSize(QPageSize::A4); }
};

class MissingPicturesOutputTest : public WindowControllerFixture
{
protected:
    void SetUp() override
    {
        WindowControllerFixture::SetUp();
        Print_Wnd::setModalRun([](QDialog&) { return 0; });
        Open_Export_Log::setModalRun([this](Open_Export_Log& box) {
            exported = box._open_log_message->text();
            return 1;
        });
        ExportWindow::setFolderChooser([this](QWidget*) { return out.path(); });
        ExportWindow::setModalRun([](ExportWindow& w) {
            w.fileFormatPopup->setCurrentText("PNG");
            w.selectSideRow(1);
            w.Export_with_batch_chk->setChecked(false);
            w.Export_with_excel_chk->setChecked(true);
            return 1;
        });
    }
    void TearDown() override
    {
        Print_Wnd::setModalRun({});
        Open_Export_Log::setModalRun({});
        ExportWindow::setModalRun({});
        ExportWindow::setFolderChooser({});
        WindowControllerFixture::TearDown();
    }

    // A photo bound to the column "Photo" of rows naming `paths`.
    void bindPhotos(const QStringList& paths)
    {
        auto photo = std::make_shared<SKTImage>();
        photo->_bounds = QRectF(10, 10, 60, 60);
        photo->data_source_type = 2;
        photo->excel_col_indx = 1;
        document->insertGraphicsForKey(SKTDocumentGraphicsKey, {photo}, IndexSet(0));
        controller->Excel_Column_Titles = {"No.", "Photo"};
        for (int r = 0; r < paths.size(); ++r)
            controller->ListData.append({{"Extension", QString::number(r + 1)}, {"Column1", paths[r]}});
        controller->Check_Series_Or_Excel_Use_or_not();
    }

    QString printed(bool pdfButton)
    {
        Print_Wnd window(nullptr, controller.get(), catalog);
        window.Open_Print_Wnd();
        presenter.clear();
        if (pdfButton) {
            const QString pdf = out.filePath("cards.pdf");
            SavePanel::setHandler([pdf](const QString&, const QString&) { return pdf; });
            window.pdf_btn->click();
        } else {
            QPrinter printer(QPrinter::HighResolution);
            printer.setOutputFormat(QPrinter::PdfFormat);
            printer.setOutputFileName(out.filePath("printed.pdf"));
            window.printWith(printer);
        }
        return presenter.texts().join("|");
    }
    QString exportedBatch()
    {
        exported.clear();
        presenter.clear();
        controller->Export_Button();
        QElapsedTimer clock;
        clock.start();
        while (controller->isBatchExportRunning() && clock.elapsed() < 120000)
            QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
        return presenter.texts().join("|") + exported;
    }
    QString mailed()
    {
        sender_email = "me@home.org";
        sender_pwd = "secret";
        sending_server = "smtp.home.org";
        sending_port = "587";
        Send_Mail* window = controller->mailWindow();
        window->resetForm();
        window->send_barcode_rd_select();
        window->send_with_excel_chk->setChecked(true);
        window->rd_all_to_every->click();
        window->to_txt->setText("a@b.com");
        window->setSender([](const MailScript::Mail&) { return true; });
        presenter.clear();
        window->Send_Button();
        QElapsedTimer clock;
        clock.start();
        while (window->isSending() && clock.elapsed() < 120000)
            QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
        return presenter.texts().join("|");
    }

    NoPrinters catalog;
    QTemporaryDir out;
    QString exported;
};

}

TEST_F(MissingPicturesOutputTest, EveryBatchNamesThePicturesItCouldNotDraw)
{
    QTemporaryDir photos;
    const QString good = photos.filePath("p01.png");
    const QString gone = photos.filePath("p02.png");
    const QString broken = photos.filePath("p03.jpg");
    QImage picture(40, 40, QImage::Format_RGB32);
    picture.fill(Qt::darkCyan);
    ASSERT_TRUE(picture.save(good));
    QFile damaged(broken);
    ASSERT_TRUE(damaged.open(QIODevice::WriteOnly) && damaged.write("\xFF\xD8 not a picture") > 0);
    damaged.close();
    // an empty value names no picture and lacks none
    bindPhotos({good, gone, "", broken, gone});
    ASSERT_EQ(Total_Batch_Excel_Card, 5);

    const QString lacking = "3 of 5 cards were drawn without their picture: " + gone + " cannot be found; " + broken
        + " is not a readable picture.";
    const struct
    {
        const char* batch;
        std::function<QString()> run;
        QString said;
    } batches[] = {
        {"print", [&] { return printed(false); }, "\nThe cards were sent to the printer, but " + lacking},
        {"Save as PDF", [&] { return printed(true); }, "\nPDF has been saved, but " + lacking},
        {"export", [&] { return exportedBatch(); },
         "The cards have been exported.\n" + lacking + "\nThey are in this folder:"},
        {"mail", [&] { return mailed(); }, "\nE-mail has been sent, but " + lacking},
    };
    for (const auto& b : batches)
        EXPECT_EQ(b.run().toStdString(), b.said.toStdString()) << b.batch;

    // every photo there: the words of success, and no word from a print
    controller->ListData.clear();
    document->removeGraphicsForKey(SKTDocumentGraphicsKey, IndexSet(0));
    bindPhotos({good, "", good});
    const char* const whole[] = {"", "\nPDF has been saved successfully.", "Card has been exported successfully.",
                                 "\nE-mail has been sent successfully."};
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(batches[i].run().toStdString(), whole[i]) << batches[i].batch;
}
