#include "barcodes/BarcodeSettings.h"

#include "model/SKTGraphic.h"

#include <algorithm>

namespace {

const QString defaultFontFamily = QStringLiteral("Times New Roman");
constexpr double defaultFontSize = 10.0;
// The designer always works in centimetres.
constexpr int designerUnit = 1;

QString titleAt(const QStringList& list, int index, const QString& fallback)
{
    return index >= 0 && index < list.size() ? list.at(index) : fallback;
}

} // namespace

BarcodeSettings::BarcodeSettings()
    : linear_font_val(QStringLiteral("0123")),
      two_d_font_val(QStringLiteral("0123")),
      header_val(QStringLiteral("HEADER")),
      footer_val(QStringLiteral("FOOTER")),
      value_font_val(defaultFontFamily, defaultFontSize),
      header_font_val(defaultFontFamily, defaultFontSize),
      footer_font_val(defaultFontFamily, defaultFontSize),
      barcode_hdr_clr_val(Colour::black()),
      barcode_ftr_clr_val(Colour::black()),
      barcode_val_clr_val(Colour::black()),
      barcode_back_clr_val(Colour::white()),
      barcode_clr_val(Colour::black()),
      dpi_custom_val(QStringLiteral("0"))
{
}

BarcodeSettings BarcodeSettings::fromObject(const SKTGraphic& o)
{
    BarcodeSettings s;
    s.linear_or_2d = o.linear_or_2d;
    s.barcode_font_index = o.barcode_font_index;
    s.linear_font_val = o.linear_font_val;
    s.two_d_font_val = o.two_d_font_val;
    s.header_val = o.header_val;
    s.footer_val = o.footer_val;
    s.show_hide_hdr = o.show_hide_hdr;
    s.show_hide_ftr = o.show_hide_ftr;
    s.show_hide_val = o.show_hide_val;
    s.show_val_on_top = o.show_val_on_top;
    s.align_hdr_index = o.align_hdr_index;
    s.align_ftr_index = o.align_ftr_index;
    s.linear_height_val = o.linear_height_val;
    s.linear_width_val = o.linear_width_val;
    s.qr_size_val = o.qr_size_val;
    s.qr_version_index = o.qr_version_index;
    s.qr_ec_index = o.qr_ec_index;
    s.pdf_hgt_val = o.pdf_hgt_val;
    s.pdf_wdt_val = o.pdf_wdt_val;
    s.pdf_ec_val = o.pdf_ec_val;
    s.dm_module_val = o.dm_module_val;
    s.dm_format_index = o.dm_format_index;
    s.dm_encoding_index = o.dm_encoding_index;
    s.hdr_margin_val = o.hdr_margin_val;
    s.ftr_margin_val = o.ftr_margin_val;
    s.val_margin_val = o.val_margin_val;
    s.TB_marging_val = o.TB_marging_val;
    s.LR_margin_val = o.LR_margin_val;
    s.value_font_val = o.value_font_val;
    s.header_font_val = o.header_font_val;
    s.footer_font_val = o.footer_font_val;
    s.barcode_hdr_clr_val = o.barcode_hdr_clr_val;
    s.barcode_ftr_clr_val = o.barcode_ftr_clr_val;
    s.barcode_val_clr_val = o.barcode_val_clr_val;
    s.barcode_back_clr_val = o.barcode_back_clr_val;
    s.barcode_clr_val = o.barcode_clr_val;
    s.dpi_val_index = o.dpi_val_index;
    s.dpi_custom_val = o.dpi_custom_val;
    s.data_source_type = o.data_source_type;
    s.batch_list_name = o.batch_list_name;
    s.batch_list_index = o.batch_list_index;
    s.excel_col_indx = o.excel_col_indx;
    return s;
}

void BarcodeSettings::writeTo(SKTGraphic& o) const
{
    o.linear_or_2d = linear_or_2d;
    o.barcode_font_index = barcode_font_index;
    o.linear_font_val = linear_font_val;
    o.two_d_font_val = two_d_font_val;
    o.header_val = header_val;
    o.footer_val = footer_val;
    o.show_hide_hdr = show_hide_hdr;
    o.show_hide_ftr = show_hide_ftr;
    o.show_hide_val = show_hide_val;
    o.show_val_on_top = show_val_on_top;
    o.align_hdr_index = align_hdr_index;
    o.align_ftr_index = align_ftr_index;
    o.linear_height_val = linear_height_val;
    o.linear_width_val = linear_width_val;
    o.qr_size_val = qr_size_val;
    o.qr_version_index = qr_version_index;
    o.qr_ec_index = qr_ec_index;
    o.pdf_hgt_val = pdf_hgt_val;
    o.pdf_wdt_val = pdf_wdt_val;
    o.pdf_ec_val = pdf_ec_val;
    o.dm_module_val = dm_module_val;
    o.dm_format_index = dm_format_index;
    o.dm_encoding_index = dm_encoding_index;
    o.hdr_margin_val = hdr_margin_val;
    o.ftr_margin_val = ftr_margin_val;
    o.val_margin_val = val_margin_val;
    o.TB_marging_val = TB_marging_val;
    o.LR_margin_val = LR_margin_val;
    o.value_font_val = value_font_val;
    o.header_font_val = header_font_val;
    o.footer_font_val = footer_font_val;
    o.barcode_hdr_clr_val = barcode_hdr_clr_val;
    o.barcode_ftr_clr_val = barcode_ftr_clr_val;
    o.barcode_val_clr_val = barcode_val_clr_val;
    o.barcode_back_clr_val = barcode_back_clr_val;
    o.barcode_clr_val = barcode_clr_val;
    o.dpi_val_index = dpi_val_index;
    o.dpi_custom_val = dpi_custom_val;
}

const QStringList& BarcodeSettings::symbologyTitles()
{
    static const QStringList titles = {
        QStringLiteral("Code 39"),
        QStringLiteral("Extended Code 39"),
        QStringLiteral("Interleaved 2 of 5"),
        QStringLiteral("UPCA"),
        QStringLiteral("PostNet"),
        QStringLiteral("Modified Plessey"),
        QStringLiteral("Modified Plessey (Hex)"),
        QStringLiteral("Industrial 2 of 5"),
        QStringLiteral("EAN-13"),
        QStringLiteral("Code 128"),
        QStringLiteral("Code 128 SET A"),
        QStringLiteral("Code 128 SET B"),
        QStringLiteral("Code 128 SET C"),
        QStringLiteral("Codabar"),
        QStringLiteral("UPCE"),
        QStringLiteral("EAN-8"),
        QStringLiteral("Royal Mail Barcode (RM4SCC / CBC)"),
        QStringLiteral("Planet"),
        QStringLiteral("Japan Post Barcode"),
        QStringLiteral("QR Code"),
        QStringLiteral("PDF417"),
        QStringLiteral("DataMatrix"),
    };
    return titles;
}

const QStringList& BarcodeSettings::dpiTitles()
{
    static const QStringList titles = {QStringLiteral("Auto"), QStringLiteral("72"),  QStringLiteral("150"),
                                       QStringLiteral("300"),  QStringLiteral("600"), QStringLiteral("Custom")};
    return titles;
}

const QStringList& BarcodeSettings::qrVersionTitles()
{
    static const QStringList titles = [] {
        QStringList list {QStringLiteral("Auto")};
        for (int v = 1; v <= 40; ++v)
            list.append(QStringLiteral("V%1").arg(v));
        return list;
    }();
    return titles;
}

const QStringList& BarcodeSettings::qrLevelTitles()
{
    static const QStringList titles = {QStringLiteral("L"), QStringLiteral("M"), QStringLiteral("Q"),
                                       QStringLiteral("H")};
    return titles;
}

const QStringList& BarcodeSettings::dmFormatTitles()
{
    static const QStringList titles = [] {
        QStringList list {QStringLiteral("Auto")};
        for (const int side : {10, 12, 14, 16, 18, 20, 22, 24, 26, 32, 36, 40, 44, 48, 52, 64, 72, 80, 88, 96, 104,
                               120, 132, 144})
            list.append(QStringLiteral("C%1X%1").arg(side));
        for (const auto& [rows, columns] : {std::pair {8, 18}, {8, 32}, {12, 26}, {12, 36}, {16, 36}, {16, 48}})
            list.append(QStringLiteral("C%1X%2").arg(rows).arg(columns));
        return list;
    }();
    return titles;
}

const QStringList& BarcodeSettings::dmEncodingTitles()
{
    static const QStringList titles = {QStringLiteral("Auto"), QStringLiteral("Ascii"), QStringLiteral("C40"),
                                       QStringLiteral("Text"), QStringLiteral("Base256")};
    return titles;
}

const QStringList& BarcodeSettings::alignmentTitles()
{
    static const QStringList titles = {QStringLiteral("Left"), QStringLiteral("Center"), QStringLiteral("Right")};
    return titles;
}

QString BarcodeSettings::symbologyTitle() const
{
    return titleAt(symbologyTitles(), barcode_font_index, QString());
}

int BarcodeSettings::dpi() const
{
    const QString title = titleAt(dpiTitles(), dpi_val_index, dpiTitles().first());
    if (title == QLatin1String("Auto"))
        return autoDpi;
    if (title == QLatin1String("Custom")) {
        bool ok = false;
        const int custom = dpi_custom_val.trimmed().toInt(&ok);
        if (!ok || custom <= 0)
            return autoDpi;
        return std::clamp(custom, minimumDpi, maximumDpi);
    }
    return title.toInt();
}

int BarcodeSettings::qrVersion() const
{
    return qr_version_index >= 0 && qr_version_index <= 40 ? qr_version_index : 0;
}

int BarcodeSettings::qrLevel() const
{
    return qr_ec_index >= 0 && qr_ec_index <= 3 ? qr_ec_index : 0;
}

QString BarcodeSettings::dmFormat() const
{
    return titleAt(dmFormatTitles(), dm_format_index, dmFormatTitles().first());
}

QString BarcodeSettings::dmEncoding() const
{
    return titleAt(dmEncodingTitles(), dm_encoding_index, dmEncodingTitles().first());
}

void BarcodeSettings::dmFormatSize(const QString& format, int* rows, int* columns)
{
    *rows = 0;
    *columns = 0;
    if (format == QLatin1String("Auto"))
        return;
    const QString rest = format.mid(1);
    const qsizetype x = rest.indexOf(QLatin1Char('X'));
    if (x < 0)
        return;
    bool rowsOk = false;
    bool columnsOk = false;
    const int h = rest.left(x).trimmed().toInt(&rowsOk);
    const int w = rest.mid(x + 1).trimmed().toInt(&columnsOk);
    if (!rowsOk || !columnsOk || h <= 0 || w <= 0)
        return;
    *rows = h;
    *columns = w;
}

QString BarcodeSettings::headerAlignment() const
{
    return titleAt(alignmentTitles(), align_hdr_index, QStringLiteral("Center"));
}

QString BarcodeSettings::footerAlignment() const
{
    return titleAt(alignmentTitles(), align_ftr_index, QStringLiteral("Center"));
}

float BarcodeSettings::barHeightPoints() const
{
    return float(linear_height_val * BarcodeDesignerSettings::unitToPoints(designerUnit));
}

BarcodeDesignerSettings BarcodeSettings::designerSettings() const
{
    BarcodeDesignerSettings d;
    d.value_font = value_font_val;
    d.header_font = header_font_val;
    d.footer_font = footer_font_val;
    d.barcode_clr = barcode_clr_val;
    d.bar_back_clr = barcode_back_clr_val;
    d.bar_val_clr = barcode_val_clr_val;
    d.bar_hdr_clr = barcode_hdr_clr_val;
    d.bar_ftr_clr = barcode_ftr_clr_val;
    d.captionCheckbox = show_hide_val;
    d.captionCheckboxEnabled = captionCheckboxEnabled;
    d.showinTopCheckbox = show_val_on_top;
    d.kerning_value_Checkbox = kerning_value_Checkbox;
    d.hideHeaderCheckbox = show_hide_hdr;
    d.hideFooterCheckbox = show_hide_ftr;
    d.align_hdr_combo = headerAlignment();
    d.align_ftr_combo = footerAlignment();
    // Negative margins would pull lines over the bars; they count as 0.
    const double unit = BarcodeDesignerSettings::unitToPoints(designerUnit);
    const auto points = [unit](float v) { return float(std::max(0.0, double(v) * unit)); };
    const bool printsCaption = captionCheckboxEnabled && show_hide_val != 1;
    d.value_margin = printsCaption ? points(val_margin_val) : 0.0f;
    d.header_margin = show_hide_hdr == 1 ? 0.0f : points(hdr_margin_val);
    d.footer_margin = show_hide_ftr == 1 ? 0.0f : points(ftr_margin_val);
    d.LR_margin = points(LR_margin_val);
    d.TB_margin = points(TB_marging_val);
    return d;
}
