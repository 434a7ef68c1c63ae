// The per-column import decided before anything is written: a chosen
// column whose series the open design uses stops the whole import, and the
// message names each such series once.

#include "data/ColumnSeriesPlan.h"
#include "data/SeriesStore.h"

#include <gtest/gtest.h>

// Every series in use is named once, in column order; a second column of
// one name asks before replacing the first.
TEST(ColumnSeriesPlan, EveryColumnCheckedFirst)
{
    using Step = ColumnSeriesPlan::Step;
    const QStringList stored {"Name", "Company", "Number", "Photo"};
    const QStringList used {"Name", "Company", "Number"}; // by the open design
    const ColumnSeriesPlan plan = ColumnSeriesPlan::make(
        {"Photo", "Number", "Name", "Guest", "Guest", "Name"},
        [&](const QString& name) { return stored.contains(name); },
        [&](const QString& name) { return used.contains(name); });
    EXPECT_EQ(plan.columns,
              (QList<ColumnSeriesPlan::Column> {{"Photo", Step::AskReplace},
                                                {"Number", Step::AskReplace},
                                                {"Name", Step::AskReplace},
                                                {"Guest", Step::Write},
                                                {"Guest", Step::AskReplace},
                                                {"Name", Step::AskReplace}}));
    EXPECT_EQ(plan.inUse, QStringList({"Number", "Name"}));
    EXPECT_TRUE(plan.refused());
}

// An import whose writes stopped names what was written and what was not;
// a folder held by another program is said alone, as for every other write.
TEST(ColumnSeriesPlan, StoppedImportNamesWhatWasWritten)
{
    const QStringList both {"Company", "Photo"};
    EXPECT_EQ(ColumnSeriesPlan::stoppedMessage({}, both, SeriesStore::busyMessage), SeriesStore::busyMessage);
    EXPECT_EQ(ColumnSeriesPlan::stoppedMessage({}, both, "Disk full").toStdString(),
              "No series was imported.\nReason: Disk full");
    EXPECT_EQ(ColumnSeriesPlan::stoppedMessage({"Name"}, both, "Disk full").toStdString(),
              "These Batch Processing Series were imported:\nName\nThese were not imported:\nCompany\nPhoto\n"
              "Reason: Disk full");
}
