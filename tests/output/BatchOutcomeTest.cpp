// What a batch output says when it ends: a whole batch keeps its words of
// success, a stopped one says that it stopped and how much was done.

#include "output/BatchOutcome.h"

#include <gtest/gtest.h>

namespace {

TEST(BatchOutcomeTest, StoppedBatchesSayHowMuchWasDone)
{
    using B = BatchOutcome;
    const struct
    {
        QString text;
        const char* expected;
    } rows[] = {
        {B::exportFinished(2000, 2000, false), "Card has been exported successfully."},
        {B::exportFinished(5, 5, true), "Card has been exported successfully."}, // Stop after the last card
        {B::exportFinished(1370, 2000, true),
         "The export was stopped: 1370 of 2000 cards were written in this folder:"},
        {B::exportFinished(1, 5, true), "The export was stopped: 1 of 5 cards was written in this folder:"},
        {B::exportFinished(0, 2, true), "The export was stopped: 0 of 2 cards were written in this folder:"},
        {B::mailStopped(3, 10, 0, ""), "Sending was stopped: 3 of 10 mails were sent."},
        {B::mailStopped(0, 1, 0, ""), "Sending was stopped: 0 of 1 mail was sent."},
        {B::mailStopped(4, 9, 2, "550 mailbox unavailable"),
         "Sending was stopped: 4 of 9 mails were sent.\n2 could not be sent.\nReason: 550 mailbox unavailable"},
        {B::printStopped(3, 40, true),
         "Printing was stopped after 3 of 40 pages: the job was cancelled and no page was printed."},
        {B::printStopped(1, 40, false), "Printing was stopped: 1 of 40 pages was sent to the printer."},
        {B::pdfStopped(9, 2000), "Saving as PDF was stopped after 9 of 2000 pages: no file was written."},
        {B::pdfStopped(0, 1), "Saving as PDF was stopped after 0 of 1 page: no file was written."},
    };
    for (const auto& row : rows)
        EXPECT_EQ(row.text, QString::fromUtf8(row.expected));
}

}
