#pragma once

#include "mainwindow/inspector/InspectorPanel.h"
#include "model/SKTGraphic.h"

#include <QObject>

#include <functional>

class QPushButton;
class BarcodePanelHost;

// The barcode panel (`barcode_tab`): the button that opens the barcode
// designer on the edited barcode, and the copy of the designer's settings
// into the selected objects.
class BarcodePanel : public QObject, public InspectorPanel
{
    Q_OBJECT

public:
    // Opens the barcode designer modally on an object; the object it
    // returns (null for none) holds the settings to copy, and
    // `Barcode_output_image` the picture it made.
    using Designer = std::function<GraphicPtr(const GraphicPtr& edited)>;

    explicit BarcodePanel(BarcodePanelHost& host);

    bool showsKind(const SKTGraphic& graphic) const override;
    // The settings are edited in the designer: nothing to fill.
    void load(const SKTGraphic& graphic) override;

    // Opens the designer on the edited object of the current side; when it
    // returns an object and a picture was made, the settings are copied.
    void Open_Barcode_Window();
    // Every selected barcode gets the print flag and the designer's settings
    // of `source` (its typed value only when `source` is typed), then a
    // picture that shows them: the edited object the designer's picture,
    // every other one a picture made from its own value and source with
    // those settings (none when the symbology refuses that value or its
    // series or column is gone, never the symbol it showed before). Each
    // frame takes its picture's size. Selected objects that are not
    // barcodes take nothing. The edited object is `edited`, or without
    // one the current object of the canvas.
    void Update_Barcode_Graphics(const GraphicPtr& source, GraphicPtr edited = {});

    void setDesigner(Designer designer) { m_designer = std::move(designer); }
    bool hasDesigner() const { return bool(m_designer); }

private:
    static bool isBarcode(const SKTGraphic& graphic);

    BarcodePanelHost& m_host;
    QPushButton* m_settings = nullptr;
    Designer m_designer;
};
