#include "mainwindow/inspector/InspectorTabs.h"

#include "mainwindow/inspector/ShapePanelRules.h"
#include "model/SKTGraphic.h"

#include <utility>

InspectorTabSet InspectorTabs::forCard()
{
    return {QString(),
            {{InspectorPage::card_setting_tab, QStringLiteral("Card")},
             {InspectorPage::card_bkgd_tab, QStringLiteral("Background")},
             {InspectorPage::card_brdr_tab, QStringLiteral("Border")}},
            false};
}

QString InspectorTabs::shapeTitle(const QString& shapeCode)
{
    const QString title = ShapePanelRules::titleForShapeCode(shapeCode);
    return title.isEmpty() ? QStringLiteral("Shape Properties") : title;
}

QString InspectorTabs::alignmentLabel()
{
    return QStringLiteral("Alignment");
}

InspectorTabSet InspectorTabs::forGraphic(const SKTGraphic& graphic)
{
    using P = InspectorPage;
    InspectorTabSet set;
    set.selControlName = QStringLiteral("NONE");
    QString lockLabel;
    switch (graphic.kind()) {
    case SKTGraphic::Kind::Text:
        set.selControlName = QStringLiteral("T");
        set.tabs = {{P::text_edtng_tab, QStringLiteral("Text")},
                    {P::text_prop_tab, QStringLiteral("Properties")},
                    {P::datasource_tab, QStringLiteral("Text Source")}};
        lockLabel = QStringLiteral("Text Properties");
        break;
    case SKTGraphic::Kind::Image:
        set.selControlName = QStringLiteral("I");
        set.tabs = {{P::datasource_tab, QStringLiteral("Image Source")}, {P::image_tab, QStringLiteral("Image")}};
        lockLabel = QStringLiteral("Image Properties");
        break;
    case SKTGraphic::Kind::Line:
        set.tabs = {{P::line_tab, QStringLiteral("Line")}};
        lockLabel = QStringLiteral("Line Properties");
        break;
    case SKTGraphic::Kind::Signature:
        set.selControlName = graphic.sign_or_fingureprint;
        set.tabs = {{P::sign_tab, graphic.sign_or_fingureprint == SignatureCode::Signature
                                      ? QStringLiteral("Signature Properties")
                                      : QStringLiteral("FingrePrint Properties")}};
        lockLabel = QStringLiteral("Signature Properties");
        break;
    case SKTGraphic::Kind::Barcode:
        set.tabs = {{P::barcode_tab, QStringLiteral("Barcode")}};
        lockLabel = QStringLiteral("Barcode Properties");
        break;
    case SKTGraphic::Kind::Shape:
    case SKTGraphic::Kind::Graphic:
        lockLabel = shapeTitle(graphic.Get_shape_type());
        set.tabs = {{P::shape_tab, lockLabel}};
        break;
    }
    if (graphic.ctrl_is_locked) {
        set.tabs = {{P::Lock_tab, lockLabel}};
        set.alignment = false;
    } else {
        set.alignment = true;
    }
    return set;
}
