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

// Cards without their pictures come in any order from the workers and in runs
// from the writers: the first three files are named in the cards' order, once.
TEST(BatchOutcomeTest, CardsWithoutPicturesAreNamedInTheirOrder)
{
    const auto gone = [](const char* path) { return QList<PicturePath::Unread> {{path, "cannot be found"}}; };
    MissingPictures first, second, one;
    first.addCard(2, gone("/c.png"));
    first.addCard(0);
    first.addCard(1, gone("/b.png"));
    second.addCard(1, gone("/b.png"));
    second.addCard(0, gone("/a.png") + QList<PicturePath::Unread> {{"/d.jpg", "is not a readable picture"}});
    one.addCard(0, gone("/e.png"));
    first.append(second);
    first.append(one);
    EXPECT_EQ(first.sentence(),
              "5 of 6 cards were drawn without their picture: /b.png cannot be found; /c.png "
              "cannot be found; /a.png cannot be found; and 2 more files.");
    EXPECT_EQ(one.sentence(), "1 of 1 card was drawn without its picture: /e.png cannot be found.");
    EXPECT_EQ(BatchOutcome::finished("Done successfully.", "Done", MissingPictures()), "Done successfully.");
    EXPECT_EQ(BatchOutcome::withPictures("Stopped.", one), "Stopped.\n" + one.sentence());
}
}
