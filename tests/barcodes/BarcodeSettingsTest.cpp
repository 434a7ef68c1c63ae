// The per-object barcode settings: loading from and writing back to a card
// object, and the values resolved from stored list positions.

#include "barcodes/BarcodeSettings.h"
#include "model/SKTGraphic.h"

#include <gtest/gtest.h>

namespace {

// Every barcode field of the object changed away from its default.
void changeEveryField(SKTGraphic& o)
{
    o.linear_or_2d = 1;
    o.barcode_font_index = 21;
    o.linear_font_val = QStringLiteral("LIN-1");
    o.two_d_font_val = QStringLiteral("two\nlines");
    o.header_val = QStringLiteral("Head");
    o.footer_val = QStringLiteral("Foot");
    o.show_hide_hdr = 1;
    o.show_hide_ftr = 1;
    o.show_hide_val = 1;
    o.show_val_on_top = 1;
    o.align_hdr_index = 0;
    o.align_ftr_index = 2;
    o.linear_height_val = 1.25f;
    o.linear_width_val = 13.5f;
    o.qr_size_val = 90;
    o.qr_version_index = 7;
    o.qr_ec_index = 3;
    o.pdf_hgt_val = 33;
    o.pdf_wdt_val = 140;
    o.pdf_ec_val = 5;
    o.dm_module_val = 4;
    o.dm_format_index = 26;
    o.dm_encoding_index = 3;
    o.hdr_margin_val = 0.2f;
    o.ftr_margin_val = 0.3f;
    o.val_margin_val = 0.4f;
    o.TB_marging_val = 0.5f;
    o.LR_margin_val = 0.6f;
    o.value_font_val = FontSpec(QStringLiteral("Liberation Sans"), 12, QStringLiteral("LiberationSans"));
    o.header_font_val = FontSpec(QStringLiteral("Liberation Mono"), 14);
    o.footer_font_val = FontSpec(QStringLiteral("Liberation Serif"), 8);
    o.barcode_hdr_clr_val = Colour::rgb(1, 0, 0);
    o.barcode_ftr_clr_val = Colour::rgb(0, 1, 0);
    o.barcode_val_clr_val = Colour::rgb(0, 0, 1);
    o.barcode_back_clr_val = Colour::grey(0.9);
    o.barcode_clr_val = Colour::cmyk(0, 0, 0, 1);
    o.dpi_val_index = 5;
    o.dpi_custom_val = QStringLiteral("450");
    o.data_source_type = 2;
    o.batch_list_name = QStringLiteral("Guests");
    o.batch_list_index = 3;
    o.excel_col_indx = 4;
}

} // namespace

TEST(BarcodeSettings, ObjectFieldsSurviveLoadingAndWritingBack)
{
    const GraphicPtr source = SKTGraphic::makeOfClass(QStringLiteral("SKTBarcode"));
    const GraphicPtr target = SKTGraphic::makeOfClass(QStringLiteral("SKTBarcode"));
    ASSERT_TRUE(source && target);
    changeEveryField(*source);
    const BarcodeSettings loaded = BarcodeSettings::fromObject(*source);
    loaded.writeTo(*target);
    const SKTGraphic& a = *source;
    const SKTGraphic& b = *target;
#define SAME(field) EXPECT_EQ(b.field, a.field) << #field
    SAME(linear_or_2d); SAME(barcode_font_index); SAME(linear_font_val); SAME(two_d_font_val);
    SAME(header_val); SAME(footer_val); SAME(show_hide_hdr); SAME(show_hide_ftr); SAME(show_hide_val);
    SAME(show_val_on_top); SAME(align_hdr_index); SAME(align_ftr_index); SAME(linear_height_val);
    SAME(linear_width_val); SAME(qr_size_val); SAME(qr_version_index); SAME(qr_ec_index); SAME(pdf_hgt_val);
    SAME(pdf_wdt_val); SAME(pdf_ec_val); SAME(dm_module_val); SAME(dm_format_index); SAME(dm_encoding_index);
    SAME(hdr_margin_val); SAME(ftr_margin_val); SAME(val_margin_val); SAME(TB_marging_val); SAME(LR_margin_val);
    SAME(value_font_val); SAME(header_font_val); SAME(footer_font_val); SAME(barcode_hdr_clr_val);
    SAME(barcode_ftr_clr_val); SAME(barcode_val_clr_val); SAME(barcode_back_clr_val); SAME(barcode_clr_val);
    SAME(dpi_val_index); SAME(dpi_custom_val);
#undef SAME
    // The value source is loaded but written by the source lists, not by OK.
    EXPECT_EQ(loaded.data_source_type, 2);
    EXPECT_EQ(loaded.batch_list_name, QStringLiteral("Guests"));
    EXPECT_EQ(loaded.excel_col_indx, 4);
    EXPECT_EQ(b.data_source_type, 0);
    EXPECT_TRUE(b.batch_list_name.isEmpty());
    // A new object and a new value agree.
    EXPECT_EQ(BarcodeSettings::fromObject(*SKTGraphic::makeOfClass(QStringLiteral("SKTBarcode"))), BarcodeSettings());
}

TEST(BarcodeSettings, ResolvesStoredPositions)
{
    struct Case
    {
        int dpiIndex;
        const char* custom;
        int dpi;
    };
    for (const Case& c : {Case {0, "0", 600}, Case {1, "0", 72}, Case {3, "0", 300}, Case {5, "450", 450},
                          Case {5, " 150 ", 150}, Case {5, "abc", 600}, Case {5, "0", 600}, Case {5, "9000", 1200},
                          Case {5, "10", 72}, Case {17, "0", 600}, Case {-1, "0", 600}}) {
        BarcodeSettings s;
        s.dpi_val_index = c.dpiIndex;
        s.dpi_custom_val = QString::fromLatin1(c.custom);
        EXPECT_EQ(s.dpi(), c.dpi) << c.dpiIndex << " " << c.custom;
    }
    struct Format
    {
        const char* title;
        int rows;
        int columns;
    };
    for (const Format& f : {Format {"C8X18", 8, 18}, Format {"C16X48", 16, 48}, Format {"C144X144", 144, 144},
                            Format {"Auto", 0, 0}, Format {"C10", 0, 0}, Format {"CaXb", 0, 0}, Format {"", 0, 0}}) {
        int rows = -1;
        int columns = -1;
        BarcodeSettings::dmFormatSize(QString::fromLatin1(f.title), &rows, &columns);
        EXPECT_EQ(rows, f.rows) << f.title;
        EXPECT_EQ(columns, f.columns) << f.title;
    }
    EXPECT_EQ(BarcodeSettings::symbologyTitles().size(), 22);
    EXPECT_EQ(BarcodeSettings::qrVersionTitles().size(), 41);
    EXPECT_EQ(BarcodeSettings::qrVersionTitles().at(40), QStringLiteral("V40"));
    EXPECT_EQ(BarcodeSettings::dmFormatTitles().size(), 31);
    EXPECT_EQ(BarcodeSettings::dmFormatTitles().at(25), QStringLiteral("C8X18"));

    BarcodeSettings s;
    s.barcode_font_index = 40;
    s.align_hdr_index = 9;
    s.qr_version_index = 41;
    EXPECT_TRUE(s.symbologyTitle().isEmpty());
    EXPECT_EQ(s.headerAlignment(), QStringLiteral("Center"));
    EXPECT_EQ(s.qrVersion(), 0);
    // Hidden lines have no margin; negative margins count as none.
    s.show_hide_hdr = 1;
    s.show_hide_val = 1;
    s.LR_margin_val = -2.0f;
    const BarcodeDesignerSettings style = s.designerSettings();
    EXPECT_EQ(style.header_margin, 0.0f);
    EXPECT_EQ(style.value_margin, 0.0f);
    EXPECT_EQ(style.LR_margin, 0.0f);
    EXPECT_NEAR(style.footer_margin, 0.1 * 28.346472, 1e-4);
}
