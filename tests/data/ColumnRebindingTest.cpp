// Bindings to spreadsheet columns after a newly read table replaced the one
// before: which follow their column's title and which keep their place.

#include "data/ColumnRebinding.h"

#include <gtest/gtest.h>

TEST(ColumnRebinding, BindingsFollowATitleNamedOnce)
{
    using Why = ColumnRebinding::Why;
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
        {"moved to the front, blanks around it", {"No.", " Number ", "Name"}, 3, 1, Why::Followed},
        {"the row number", inserted, 0, 0, Why::Followed},
        {"title gone", {"No.", "First", "Last"}, 1, 1, Why::Gone},
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

// The message lists objects that take the new table's column at their place
// and objects whose place is past the new table's columns under headings of
// their own, each true for what is listed under it.
TEST(ColumnRebinding, TheMessageSaysWhatEachObjectNowTakes)
{
    using Kind = SKTGraphic::Kind;
    using Why = ColumnRebinding::Why;
    const QString atPlace = "The new table has no single column with the title these objects were bound to; each "
                            "keeps the column at its place:";
    const QString past = "The new table has no single column with the title these objects were bound to, nor a "
                         "column at their place; they now take no column:";
    const ColumnRebinding::Kept named {false, Kind::Text, "Company", Why::Gone, 2, "Name", true, "Ann"};
    const ColumnRebinding::Kept untitled {true, Kind::Barcode, "", Why::Untitled, 3, "", true, ""};
    const ColumnRebinding::Kept gone {true, Kind::Image, "Photo", Why::Ambiguous, 7, "", false, ""};
    const QString namedLine = "- text on the front side showing \"Ann\": \"Company\" is gone; it now takes \"Name\".";
    const QString untitledLine =
        "- barcode on the back side (now empty): its column had no title; it now takes column 3, which has no title.";
    const QString goneLine = "- picture on the back side (now empty): \"Photo\" names more than one column; the new "
                             "table has no column 7.";
    const struct
    {
        const char* what;
        QList<ColumnRebinding::Kept> kept;
        QStringList lines;
    } rows[] = {
        {"none", {}, {}},
        {"at their place", {named, untitled}, {atPlace, namedLine, untitledLine}},
        {"past the table", {gone}, {past, goneLine}},
        {"both, each under its heading", {gone, named}, {atPlace, namedLine, past, goneLine}},
    };
    for (const auto& row : rows)
        EXPECT_EQ(ColumnRebinding::message(row.kept).toStdString(), row.lines.join('\n').toStdString()) << row.what;
}
