#include "mainwindow/inspector/BarcodePanelRules.h"

#include "barcodes/BarcodeSettings.h"
#include "mainwindow/inspector/DataSourceLists.h"
#include "model/SKTGraphic.h"

void BarcodePanelRules::copyDesignerFields(const SKTGraphic& source, SKTGraphic& target)
{
    if (&source == &target)
        return;
    target.linear_or_2d = source.linear_or_2d;
    target.barcode_font_index = source.barcode_font_index;
    if (!isBound(source)) {
        target.linear_font_val = source.linear_font_val;
        target.two_d_font_val = source.two_d_font_val;
    }
    target.header_val = source.header_val;
    target.footer_val = source.footer_val;
    target.show_hide_hdr = source.show_hide_hdr;
    target.show_hide_ftr = source.show_hide_ftr;
    target.show_hide_val = source.show_hide_val;
    target.show_val_on_top = source.show_val_on_top;
    target.align_hdr_index = source.align_hdr_index;
    target.align_ftr_index = source.align_ftr_index;
    target.linear_height_val = source.linear_height_val;
    target.linear_width_val = source.linear_width_val;
    target.qr_size_val = source.qr_size_val;
    target.qr_version_index = source.qr_version_index;
    target.qr_ec_index = source.qr_ec_index;
    target.pdf_hgt_val = source.pdf_hgt_val;
    target.pdf_wdt_val = source.pdf_wdt_val;
    target.pdf_ec_val = source.pdf_ec_val;
    target.dm_module_val = source.dm_module_val;
    target.dm_format_index = source.dm_format_index;
    target.dm_encoding_index = source.dm_encoding_index;
    target.hdr_margin_val = source.hdr_margin_val;
    target.ftr_margin_val = source.ftr_margin_val;
    target.val_margin_val = source.val_margin_val;
    target.TB_marging_val = source.TB_marging_val;
    target.LR_margin_val = source.LR_margin_val;
    target.value_font_val = source.value_font_val;
    target.header_font_val = source.header_font_val;
    target.footer_font_val = source.footer_font_val;
    target.barcode_hdr_clr_val = source.barcode_hdr_clr_val;
    target.barcode_ftr_clr_val = source.barcode_ftr_clr_val;
    target.barcode_val_clr_val = source.barcode_val_clr_val;
    target.barcode_back_clr_val = source.barcode_back_clr_val;
    target.barcode_clr_val = source.barcode_clr_val;
    target.dpi_val_index = source.dpi_val_index;
    target.dpi_custom_val = source.dpi_custom_val;
}

bool BarcodePanelRules::isBound(const SKTGraphic& barcode)
{
    return barcode.data_source_type == 1 || barcode.data_source_type == 2;
}

QString BarcodePanelRules::shownValue(const SKTGraphic& barcode, const DataSourceLists& sources)
{
    if (barcode.data_source_type == 1)
        return !barcode.batch_list_name.isEmpty() && sources.names().contains(barcode.batch_list_name)
            ? sources.firstValueOf(barcode.batch_list_name)
            : QString();
    if (barcode.data_source_type == 2)
        return barcode.excel_col_indx >= 0 && barcode.excel_col_indx < sources.columns().size()
            ? sources.firstValueOf(barcode.excel_col_indx)
            : QString();
    return BarcodeSettings::fromObject(barcode).value();
}
