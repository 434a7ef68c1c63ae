// What a batch output says when it ends: a whole batch keeps its words of
// success, a stopped one says that it stopped and how much was done.

#include "output/BatchOutcome.h"

#include <gtest/gtest.h>

namespace {

TEST(BatchOutcomeTest, StoppedBatchesSayHowMuchWasDone)
{
    enum class Batch { Export, Mail, Print };
    const struct
    {
        Batch batch;
        int done, total;
        bool stopped; // export: stopped; print: the job was cancelled
        int failed;   // mail: mails that could not be sent
        const char* reason;
        const char* text;
    } rows[] = {
        {Batch::Export, 2000, 2000, false, 0, "", "Card has been exported successfully."},
        // Stop pressed as the last card was written: nothing was left out.
        {Batch::Export, 5, 5, true, 0, "", "Card has been exported successfully."},
        {Batch::Export, 1370, 2000, true, 0, "",
         "The export was stopped: 1370 of 2000 cards were written in this folder:"},
        {Batch::Export, 1, 5, true, 0, "", "The export was stopped: 1 of 5 cards was written in this folder:"},
        {Batch::Export, 0, 2, true, 0, "", "The export was stopped: 0 of 2 cards were written in this folder:"},
        {Batch::Mail, 3, 10, true, 0, "", "Sending was stopped: 3 of 10 mails were sent."},
        {Batch::Mail, 0, 1, true, 0, "", "Sending was stopped: 0 of 1 mail was sent."},
        {Batch::Mail, 4, 9, true, 2, "550 mailbox unavailable",
         "Sending was stopped: 4 of 9 mails were sent.\n2 could not be sent.\nReason: 550 mailbox unavailable"},
        {Batch::Print, 3, 40, true, 0, "",
         "Printing was stopped after 3 of 40 pages: the job was cancelled and no page was printed."},
        {Batch::Print, 1, 40, false, 0, "", "Printing was stopped: 1 of 40 pages was sent to the printer."},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.text);
        QString text;
        switch (row.batch) {
        case Batch::Export:
            text = BatchOutcome::exportFinished(row.done, row.total, row.stopped);
            break;
        case Batch::Mail:
            text = BatchOutcome::mailStopped(row.done, row.total, row.failed, QString::fromUtf8(row.reason));
            break;
        case Batch::Print:
            text = BatchOutcome::printStopped(row.done, row.total, row.stopped);
            break;
        }
        EXPECT_EQ(text, QString::fromUtf8(row.text));
        EXPECT_EQ(text.contains("successfully"), row.batch == Batch::Export && row.done == row.total);
    }
}

}
