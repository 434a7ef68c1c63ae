// The print window over the main window's card: its controls edit the sheet
// layout, every opening starts from the same form, the live preview draws the
// same sheet each time, the print preview stops at 50 sheets, "No printer
// found." when the print system lists none, and single cards and series
// batches printed to PDF files that an independent reader checks.

#include "WindowControllerFixture.h"

#include "app/Globals.h"
#include "data/Globals.h"
#include "mainwindow/print/Print_Wnd.h"
#include "mainwindow/print/Sample_Preview.h"
#include "model/SKTText.h"
#include "output/PrinterCatalog.h"
#include "platform/IndexSet.h"

#include <QAbstractButton>
#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QDoubleSpinBox>
#include <QFile>
#include <QPrintPreviewWidget>
#include <QProcess>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QToolButton>

#include <functional>

namespace {

class FixedPrinterCatalog : public PrinterCatalog
{
public:
    QStringList names;
    QStringList printerNames() const override { return names; }
};

class PrintWindowTest : public WindowControllerFixture
{
protected:
    void SetUp() override
    {
        WindowControllerFixture::SetUp();
        Print_Wnd::setModalRun([this](QDialog& dialog) {
            if (onModal)
                onModal(dialog);
            return 0;
        });
        window = std::make_unique<Print_Wnd>(nullptr, controller.get(), catalog);
    }
    void TearDown() override
    {
        window.reset();
        Print_Wnd::setModalRun({});
        Use_Data_Sheet_Values = Use_Excel_Binding_Values = false;
        Total_Batch_Excel_Card = 0;
        WindowControllerFixture::TearDown();
    }
    void open()
    {
        window->Open_Print_Wnd();
    }
    // Text of the PDF at `path` (pdftotext) and its page count (pdfinfo).
    static QString run(const QString& program, const QStringList& arguments)
    {
        QProcess process;
        process.start(program, arguments);
        EXPECT_TRUE(process.waitForFinished(60000)) << program.toStdString();
        return QString::fromUtf8(process.readAllStandardOutput());
    }
    static int pageCount(const QString& pdf)
    {
        const QString info = run("pdfinfo", {pdf});
        for (const QString& line : info.split('\n'))
            if (line.startsWith("Pages:"))
                return line.mid(6).trimmed().toInt();
        return -1;
    }

    FixedPrinterCatalog catalog;
    std::function<void(QDialog&)> onModal;
    std::unique_ptr<Print_Wnd> window;
};

} // namespace

TEST_F(PrintWindowTest, ControlsEditTheSheetLayout)
{
    open();
    const SheetLayout start = window->sheetLayout();
    struct Row
    {
        const char* what;
        std::function<void(Print_Wnd&)> change;
        std::function<bool(const SheetLayout&)> expect;
    };
    const Row rows[] = {
        {"columns", [](Print_Wnd& w) { w.Col_Text->setValue(2); },
         [](const SheetLayout& l) { return l.columns() == 2; }},
        {"rows", [](Print_Wnd& w) { w.Row_Text->setValue(3); },
         [](const SheetLayout& l) { return l.rows() == 3; }},
        {"width in mm", [](Print_Wnd& w) { w.width_Text->setValue(50.8); },
         [](const SheetLayout& l) { return qAbs(l.cardSize().width() - 144.0) < 0.01; }},
        {"gap in mm", [](Print_Wnd& w) { w.horz_mar_Text->setValue(25.4); },
         [](const SheetLayout& l) { return qAbs(l.horizontalGap - 72.0) < 0.01; }},
        {"both sides, front above back: cell height doubled",
         [](Print_Wnd& w) { w.matrix_card_side->button(0)->click(); },
         [](const SheetLayout& l) {
             return l.side() == "BOTH" && l.arrangement() == "U" && l.cellSize().height() == 2 * l.cardSize().height();
         }},
        {"front left of back: width doubled", [](Print_Wnd& w) { w.print_alignment->setCurrentIndex(1); },
         [](const SheetLayout& l) { return l.arrangement() == "L" && l.cellSize().width() == 2 * l.cardSize().width(); }},
        {"back side", [](Print_Wnd& w) { w.matrix_card_side->button(2)->click(); },
         [](const SheetLayout& l) { return l.printsBackOnly(); }},
        {"middle-centre position", [](Print_Wnd& w) { w.alignButtons[4]->click(); },
         [](const SheetLayout& l) { return l.position == 5; }},
        {"auto-centre", [](Print_Wnd& w) { w.Auto_Center_chk_bx->click(); },
         [](const SheetLayout& l) { return l.autoCenter; }},
        {"landscape", [](Print_Wnd& w) { w.Orient_ComboBox->setCurrentIndex(1); },
         [](const SheetLayout& l) { return l.landscape() && l.sheetSize().width() > l.sheetSize().height(); }},
        // more columns than the paper holds are lowered by the fitting rule
        {"columns lowered to fit", [](Print_Wnd& w) { w.Col_Text->setValue(40); },
         [](const SheetLayout& l) { return l.columns() < 40 && l.columns() >= 1; }},
    };
    for (const Row& row : rows) {
        row.change(*window);
        EXPECT_TRUE(row.expect(window->sheetLayout())) << row.what;
    }
    EXPECT_EQ(window->Col_Text->value(), window->sheetLayout().columns());
    // without a data source the total is one full sheet
    EXPECT_EQ(window->Total_Text->value(), window->sheetLayout().rows() * window->sheetLayout().columns());
    EXPECT_FALSE(window->horz_mar_Text->isEnabled());   // auto-centre spreads the gaps itself

    // every opening starts from the same form (the paper stays as chosen)
    window->Orient_ComboBox->setCurrentIndex(0);
    open();
    EXPECT_EQ(window->sheetLayout(), start);
    EXPECT_EQ(window->matrix_card_side->checkedId(), 1);
    EXPECT_EQ(window->Total_Text->value(), 1);
    EXPECT_TRUE(window->Show_Margins->isChecked());
    EXPECT_TRUE(window->alignButtons[0]->isChecked());
    EXPECT_FALSE(window->print_with_batch_chk->isEnabled());
}

TEST_F(PrintWindowTest, LivePreviewRepaintsTheSameSheetAndFollowsTheOutlines)
{
    catalog.names = {"office"};
    open();
    window->Row_Text->setValue(2);
    window->Col_Text->setValue(2);
    const QImage first = window->PrintView->imageRepresentation();
    EXPECT_EQ(first.size(), window->paperSize().toSize());
    EXPECT_EQ(window->PrintView->imageRepresentation(), first);
    window->Show_Margins->click();
    const QImage plain = window->PrintView->imageRepresentation();
    EXPECT_NE(plain, first);
    window->Show_Margins->click();
    EXPECT_EQ(window->PrintView->imageRepresentation(), first);
    EXPECT_EQ(window->Printer_ComboBox->currentText(), "office");
}

TEST_F(PrintWindowTest, PrintPreviewStopsAtFiftySheetsAndRepaintsAlike)
{
    open();
    window->Total_Text->setValue(51);
    int pages = 0;
    QImage firstGrab, secondGrab;
    onModal = [&](QDialog&) {
        QPrintPreviewWidget* preview = window->previewWidget();
        ASSERT_TRUE(preview);
        pages = preview->pageCount();
        firstGrab = preview->grab().toImage();
        preview->updatePreview();
        secondGrab = preview->grab().toImage();
    };
    window->Execute_Printing(true);
    EXPECT_EQ(pages, 50);
    EXPECT_EQ(firstGrab, secondGrab);
    EXPECT_EQ(presenter.texts(), QStringList({"\n" + SheetPagination::previewLimitMessage()}));

    presenter.clear();
    window->Total_Text->setValue(0);
    window->Execute_Printing(true);
    EXPECT_EQ(presenter.texts(), QStringList({"\n" + SheetPagination::emptyJobMessage()}));
}

TEST_F(PrintWindowTest, NoPrinterFound)
{
    open();   // the print system lists no printer
    EXPECT_EQ(window->Printer_ComboBox->count(), 0);
    window->Execute_Printing(false);
    EXPECT_EQ(presenter.texts(), QStringList({"\nNo printer found."}));

    // a printer that went away before the job
    catalog.names = {"office"};
    open();
    catalog.names.clear();
    presenter.clear();
    window->Execute_Printing(false);
    EXPECT_EQ(presenter.texts(), QStringList({"\nNo printer found."}));
}

TEST_F(PrintWindowTest, SingleCardAndSeriesBatchToPdf)
{
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());

    // a single card: a full sheet of 2 x 2 cells on one page
    open();
    window->Row_Text->setValue(2);
    window->Col_Text->setValue(2);
    const QString single = folder.filePath("single.pdf");
    ASSERT_TRUE(window->printToPdf(single));
    EXPECT_EQ(pageCount(single), 1);

    // a batch: five records of a series on sheets of 2 x 2 cells
    QDir().mkpath(Data_Folder_Path);
    QFile series(Data_Folder_Path + "/guests.txt");
    ASSERT_TRUE(series.open(QIODevice::WriteOnly));
    series.write("Ada\nBo\nCy\nDi\nEve\n");
    series.close();
    auto text = std::make_shared<SKTText>();
    text->_bounds = QRectF(10, 10, 150, 30);
    text->data_source_type = 1;
    text->batch_list_name = "guests";
    document->insertGraphicsForKey(SKTDocumentGraphicsKey, {text}, IndexSet::range(0, 1));
    controller->Check_Series_Or_Excel_Use_or_not();
    ASSERT_EQ(Total_Batch_Excel_Card, 5);
    open();
    EXPECT_TRUE(window->print_with_batch_chk->isChecked());
    EXPECT_EQ(window->Total_Text->value(), 5);
    EXPECT_EQ(window->Total_Text->maximum(), 5);
    window->Row_Text->setValue(2);
    window->Col_Text->setValue(2);
    EXPECT_EQ(window->Total_Text->value(), 5);   // a data source keeps the total
    const QString batch = folder.filePath("batch.pdf");
    ASSERT_TRUE(window->printToPdf(batch));
    EXPECT_EQ(pageCount(batch), 2);
    const QString first = run("pdftotext", {"-f", "1", "-l", "1", batch, "-"});
    const QString second = run("pdftotext", {"-f", "2", "-l", "2", batch, "-"});
    for (const char* name : {"Ada", "Bo", "Cy", "Di"})
        EXPECT_TRUE(first.contains(name)) << name;
    EXPECT_TRUE(second.contains("Eve"));
    EXPECT_FALSE(second.contains("Ada"));
    EXPECT_EQ(text->Text_contents()->string(), "Ada");   // record 0 back on the card
    EXPECT_FALSE(QFile::exists(batch + ".part"));

    // a file that cannot be written is reported, not announced
    presenter.clear();
    EXPECT_FALSE(window->printToPdf(folder.filePath("missing/folder/x.pdf")));
    EXPECT_EQ(presenter.texts(), QStringList({"\nUnable to save PDF file."}));
}
