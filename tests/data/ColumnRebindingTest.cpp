// Bindings to spreadsheet columns after a newly read table replaced the one
// before: which follow their column's title and which keep their place, and
// the message naming the latter.

#include "data/ColumnRebinding.h"
#include "model/SKTBarcode.h"
#include "model/SKTImage.h"
#include "model/SKTText.h"
#include "model/Shape_Control.h"

#include <gtest/gtest.h>

namespace {

using Why = ColumnRebinding::Why;

template <class Kind>
GraphicPtr bound(int source, int column)
{
    auto graphic = std::make_shared<Kind>();
    graphic->data_source_type = source;
    graphic->excel_col_indx = column;
    return graphic;
}

} // namespace

TEST(ColumnRebinding, BindingsFollowATitleNamedOnce)
{
    const QStringList before {"No.", "Name", "Company", "Number", "", "Code", "Code"};
    const QStringList inserted {"No.", "Title", "Name", "Company", "Number", "", "Code", "Code"};
    struct Case
    {
        const char* what;
        QStringList after;
        int column;
        int expected;
        Why why;
    };
    const Case cases[] = {
        {"a column inserted before", inserted, 1, 2, Why::Followed},
        {"the next one too", inserted, 3, 4, Why::Followed},
        {"moved to the front, blanks around it", {"No.", " Number ", "Name"}, 3, 1, Why::Followed},
        {"the row number", inserted, 0, 0, Why::Followed},
        {"no column", inserted, -1, -1, Why::Followed},
        {"title gone", {"No.", "First", "Last"}, 1, 1, Why::Gone},
        {"title gone, place past the new table", {"No.", "First"}, 3, 3, Why::Gone},
        {"letter case differs", {"No.", "name", "Company"}, 1, 1, Why::Gone},
        {"title twice now", {"No.", "Name", "Company", "Name"}, 1, 1, Why::Ambiguous},
        {"title twice before", {"No.", "Code"}, 6, 6, Why::Ambiguous},
        {"blank title", inserted, 4, 4, Why::Untitled},
        {"place past the old table", inserted, 7, 7, Why::Untitled},
    };
    for (const Case& c : cases) {
        const ColumnRebinding::Outcome outcome = ColumnRebinding::follow(before, c.after, c.column);
        EXPECT_EQ(outcome.column, c.expected) << c.what;
        EXPECT_EQ(int(outcome.why), int(c.why)) << c.what;
    }
}

// Texts, pictures and barcodes bound to a column move or stay; other
// bindings and other kinds are left alone; one message names those that
// stayed, by kind, side and what they show now.
TEST(ColumnRebinding, ObjectsOfBothSidesAndTheMessage)
{
    const QStringList before {"No.", "Name", "Company", "Photo", "Code"};
    const QStringList after {"No.", "Title", "Name", "Code", "Code"};
    const QList<DesignFileRow> rows {
        {{"Extension", "1"}, {"Column1", "Dr."}, {"Column2", "Ada"}, {"Column3", "A1"}, {"Column4", "A2"}}};
    const GraphicList front {bound<SKTText>(2, 1), bound<SKTImage>(2, 2), bound<SKTText>(1, 1), bound<SKTText>(0, 2),
                             bound<Shape_Control>(2, 1)};
    const GraphicList back {bound<SKTBarcode>(2, 4), bound<SKTImage>(2, 3), bound<SKTText>(2, 7)};

    QList<ColumnRebinding::Kept> kept = ColumnRebinding::rebind(front, false, before, after, rows);
    kept += ColumnRebinding::rebind(back, true, before, after, rows);

    QList<int> columns;
    for (const GraphicList& side : {front, back})
        for (const GraphicPtr& graphic : side)
            columns << graphic->excel_col_indx;
    EXPECT_EQ(columns, (QList<int> {2, 2, 1, 2, 1, 4, 3, 7}));
    EXPECT_EQ(ColumnRebinding::message(kept).toStdString(),
              "The new table has no single column with the title these objects were bound to; each keeps the "
              "column at its place:\n"
              "- picture on the front side showing \"Ada\": \"Company\" is gone; it now takes \"Name\".\n"
              "- barcode on the back side showing \"A2\": \"Code\" names more than one column; it now takes "
              "\"Code\".\n"
              "- picture on the back side showing \"A1\": \"Photo\" is gone; it now takes \"Code\".\n"
              "- text on the back side (now empty): its column had no title; it now takes no column (column 7 "
              "is not in the new table).");
    EXPECT_TRUE(ColumnRebinding::message({}).isEmpty());
}
