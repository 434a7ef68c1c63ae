#pragma once

// Which pages the property inspector shows, and under which labels, for the
// card itself or for one card object, without the tab view: the object's
// exact kind chooses the pages, a locked object gets the lock page alone
// (labelled after its kind) and no alignment page.

#include <QList>
#include <QString>

class SKTGraphic;

// The pages of the inspector's tab view, named as in the window layout.
enum class InspectorPage {
    card_setting_tab,
    card_bkgd_tab,
    card_brdr_tab,
    text_edtng_tab,
    text_prop_tab,
    datasource_tab,
    image_tab,
    line_tab,
    sign_tab,
    barcode_tab,
    shape_tab,
    aligmnt_tab,
    Lock_tab,
};

struct InspectorTab {
    InspectorPage page;
    QString label;
    bool operator==(const InspectorTab&) const = default;
};

struct InspectorTabSet {
    // The kind last loaded: "T" text, "I" picture, a signature's code, else
    // "NONE".
    QString selControlName;
    // The pages in order, the alignment page not among them.
    QList<InspectorTab> tabs;
    // The alignment page follows the others (unlocked objects only).
    bool alignment = false;
};

class InspectorTabs
{
public:
    // The card pages: settings, background, border.
    static InspectorTabSet forCard();
    static InspectorTabSet forGraphic(const SKTGraphic& graphic);
    // The title of a shape's page by its shape code; "Shape Properties" for
    // a code the program does not know.
    static QString shapeTitle(const QString& shapeCode);
    static QString alignmentLabel();
};
