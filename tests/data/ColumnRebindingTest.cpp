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
