// The barcode panel: the designer's settings copied into the selected
// objects, and the designer's picture given to the edited one only.

#include "WindowControllerFixture.h"

#include "app/Globals.h"
#include "barcodes/Globals.h"
#include "canvas/CanvasController.h"
#include "canvas/SKTGraphicView.h"
#include "common/TestPictures.h"
#include "mainwindow/inspector/BarcodeDesignStep.h"
#include "mainwindow/inspector/BarcodePanelRules.h"
#include "mainwindow/inspector/DataSourceLists.h"
#include "model/SKTBarcode.h"
#include "model/UndoRegistrationPause.h"
#include "platform/UndoManager.h"

#include <QAbstractButton>
#include <QImage>

#include <tuple>

namespace {

// A source whose every copied field differs from a new object's.
std::shared_ptr<SKTBarcode> designedSource()
{
    auto s = std::make_shared<SKTBarcode>();
    s->linear_or_2d = 1; s->barcode_font_index = 3; s->linear_font_val = "lf";
    s->two_d_font_val = "tf"; s->header_val = "head"; s->footer_val = "foot";
    s->show_hide_hdr = 7; s->show_hide_ftr = 8; s->show_hide_val = 9;
    s->show_val_on_top = 10; s->align_hdr_index = 11; s->align_ftr_index = 12;
    s->linear_height_val = 13.5f; s->linear_width_val = 14.5f; s->qr_size_val = 15;
    s->qr_version_index = 16; s->qr_ec_index = 17; s->pdf_hgt_val = 18;
    s->pdf_wdt_val = 19; s->pdf_ec_val = 20; s->dm_module_val = 21;
    s->dm_format_index = 22; s->dm_encoding_index = 23; s->hdr_margin_val = 24.5f;
    s->ftr_margin_val = 25.5f; s->val_margin_val = 26.5f; s->TB_marging_val = 27.5f;
    s->LR_margin_val = 28.5f; s->value_font_val = FontSpec("Liberation Sans", 7);
    s->header_font_val = FontSpec("Liberation Serif", 8); s->footer_font_val = FontSpec("Liberation Mono", 9);
    s->barcode_hdr_clr_val = Colour::rgb(1, 0, 0); s->barcode_ftr_clr_val = Colour::rgb(0, 1, 0);
    s->barcode_val_clr_val = Colour::rgb(0, 0, 1); s->barcode_back_clr_val = Colour::rgb(1, 1, 0);
    s->barcode_clr_val = Colour::rgb(0, 1, 1);
    s->dpi_val_index = 29; s->dpi_custom_val = "600";
    // not copied
    s->barcode_unit_val = 2; s->_bounds = QRectF(1, 2, 3, 4); s->batch_list_name = "Guests";
    s->excel_col_indx = 5;
    return s;
}

TEST(BarcodePanelRules, CopiesEveryDesignerFieldAndNothingElse)
{
    const auto source = designedSource();
    SKTBarcode target;
    target._bounds = QRectF(9, 9, 9, 9);
    BarcodePanelRules::copyDesignerFields(*source, target);
#define SAME(field) EXPECT_EQ(target.field, source->field) << #field
    SAME(linear_or_2d); SAME(barcode_font_index); SAME(linear_font_val); SAME(two_d_font_val);
    SAME(header_val); SAME(footer_val); SAME(show_hide_hdr); SAME(show_hide_ftr);
    SAME(show_hide_val); SAME(show_val_on_top); SAME(align_hdr_index); SAME(align_ftr_index);
    SAME(linear_height_val); SAME(linear_width_val); SAME(qr_size_val); SAME(qr_version_index);
    SAME(qr_ec_index); SAME(pdf_hgt_val); SAME(pdf_wdt_val); SAME(pdf_ec_val);
    SAME(dm_module_val); SAME(dm_format_index); SAME(dm_encoding_index); SAME(hdr_margin_val);
    SAME(ftr_margin_val); SAME(val_margin_val); SAME(TB_marging_val); SAME(LR_margin_val);
    SAME(value_font_val); SAME(header_font_val); SAME(footer_font_val); SAME(barcode_hdr_clr_val);
    SAME(barcode_ftr_clr_val); SAME(barcode_val_clr_val); SAME(barcode_back_clr_val); SAME(barcode_clr_val);
    SAME(dpi_val_index); SAME(dpi_custom_val);
#undef SAME
    EXPECT_EQ(target.barcode_unit_val, SKTBarcode().barcode_unit_val);
    EXPECT_EQ(target._bounds, QRectF(9, 9, 9, 9));
    EXPECT_TRUE(target.batch_list_name.isEmpty());
    EXPECT_EQ(target.excel_col_indx, SKTBarcode().excel_col_indx);
}

// A typed barcode shows the typed value of its kind of symbology; a bound
// one its source's first value while the lists offer that source, else
// nothing, as it prints.
TEST(BarcodePanelRules, ShownValueFollowsTheSourceTheListsOffer)
{
    const auto series = [] { return QStringList {"Guests", "Staff"}; };
    const auto first = [](const QString& s) { return QString(s == "Staff" ? "S-1" : "G-17"); };
    const auto columns = [] { return QStringList {"No.", "Name"}; };
    const auto cell = [](int column) { return QStringLiteral("cell %1").arg(column); };
    const DataSourceLists sources {series, first, columns, cell, {}};
    struct Case
    {
        int source;
        const char* series;
        int column;
        bool twoD;
        const char* shown;
        bool lists = true;
    };
    for (const Case& c :
         {Case {0, "Staff", 1, false, "typed linear"}, Case {0, "", 0, true, "typed 2D"},
          Case {1, "Staff", 0, false, "S-1"}, Case {1, "Guests", 0, true, "G-17"}, Case {1, "Gone", 0, true, ""},
          Case {1, "", 0, false, ""}, Case {2, "", 1, true, "cell 1"}, Case {2, "Staff", 2, false, ""},
          Case {2, "", -1, true, ""}, Case {1, "Guests", 0, false, "", false}}) {
        SKTBarcode barcode;
        barcode.linear_font_val = "typed linear";
        barcode.two_d_font_val = "typed 2D";
        barcode.barcode_font_index = c.twoD ? BarcodeSettings::firstTwoDimensionalIndex() : 0;
        barcode.data_source_type = c.source;
        barcode.batch_list_name = c.series;
        barcode.excel_col_indx = c.column;
        EXPECT_EQ(BarcodePanelRules::shownValue(barcode, c.lists ? sources : DataSourceLists {}), c.shown)
            << c.source << " " << c.series << " " << c.column;
    }
}

// The designer's OK as one undo step over three selected barcodes (one left
// as it was) and one on the back: each changed front barcode goes back and
// forth whole; an unchanged design (Cancel) and the back record nothing.
TEST(BarcodeDesignStep, DesignOfEverySelectedBarcodeGoesBackAndForthWhole)
{
    SKTDocument document;
    GraphicList barcodes;
    for (int i = 0; i < 4; ++i) {
        barcodes.append(std::make_shared<SKTBarcode>());
        barcodes.back()->Set_Barcode_image(TestPictures::solidPicture(121, 62, qRgb(0, 0, 0)));
        barcodes.back()->_bounds = QRectF(10 + 130 * i, 20, 121, 62);
    }
    {
        const UndoRegistrationPause quiet(&document);
        document.insertGraphics(barcodes.mid(0, 3), IndexSet::range(0, 3));
        document.insertGraphicsForKey(SKTDocumentGraphicsKey_back, {barcodes[3]}, IndexSet(0));
    }
    const auto looks = [&] {
        std::vector<std::tuple<BarcodeSettings, QRectF, QImage, int>> all;
        for (const GraphicPtr& g : barcodes)
            all.emplace_back(BarcodeSettings::fromObject(*g), g->bounds(), g->_barcode_image.image(), g->print_object);
        return all;
    };
    const auto before = looks();
    EXPECT_FALSE(BarcodeDesignStep(barcodes).registerUndo(&document)) << "Cancel changes nothing";

    const BarcodeDesignStep step(barcodes);
    for (const GraphicPtr& g : {barcodes[0], barcodes[1], barcodes[3]}) {
        g->barcode_font_index = 19;
        g->print_object = 1;
        g->Set_Designed_Barcode_image(TestPictures::solidPicture(80, 93, qRgb(0, 0, 0)));
    }
    barcodes[0]->Set_Batch_List_Name("Guests");
    const auto after = looks();
    ASSERT_TRUE(step.registerUndo(&document));
    document.undoManager()->undo();
    auto undone = after;
    std::copy(before.begin(), before.begin() + 3, undone.begin());
    EXPECT_EQ(looks(), undone) << "the back records no undo";
    document.undoManager()->redo();
    EXPECT_EQ(looks(), after);
}

class BarcodePanelTest : public WindowControllerFixture
{
protected:
    void TearDown() override
    {
        Barcode_output_image = Picture();
        WindowControllerFixture::TearDown();
    }
};

TEST_F(BarcodePanelTest, DesignerSettingsReachEverySelectedBarcodeAndThePictureOnlyTheEditedOne)
{
    CanvasController& canvas = controller->graphicView(0)->controller();
    control<QAbstractButton>("Barcode_Tool_btn")->click();
    control<QAbstractButton>("Barcode_Tool_btn")->click();
    const GraphicList barcodes = canvas.graphics();
    ASSERT_EQ(barcodes.size(), 2);
    canvas.changeSelectionIndexes(IndexSet::range(0, 2));
    const GraphicPtr edited = canvas._Selected_Graphic;
    ASSERT_TRUE(edited);

    // without a designer the button does nothing
    control<QAbstractButton>("View_barcode_prop_Button")->click();

    QImage bars(30, 10, QImage::Format_RGB32);
    bars.fill(Qt::black);
    const auto source = designedSource();
    GraphicPtr openedOn;
    controller->setBarcodeDesigner([&](const GraphicPtr& g) {
        openedOn = g;
        Barcode_output_image = Picture(bars);
        return source;
    });
    control<QAbstractButton>("View_barcode_prop_Button")->click();
    EXPECT_EQ(openedOn, edited);
    for (const GraphicPtr& g : barcodes) {
        EXPECT_EQ(g->align_ftr_index, 12);
        EXPECT_EQ(g->header_val, "head");
        EXPECT_EQ(g->_barcode_image.isNull(), g != edited);
    }
    // the canvas's double click runs the same road
    source->align_ftr_index = 2;
    controller->Open_Barcode_Window();
    EXPECT_EQ(barcodes.at(0)->align_ftr_index, 2);
}

}
