// The paper of a print: a chosen printer brings its default paper unless the
// page setup of this print chose one; a printer without a default keeps the
// paper; a new print forgets the page-setup choice.

#include "output/PaperChoice.h"

#include <QMap>
#include <QStringList>
#include <gtest/gtest.h>

TEST(PaperChoice, PrinterDefaultUnlessChosenInPageSetup)
{
    // "-" or "" is no paper
    const QMap<QString, QPageSize> papers = {{"A4", QPageSize(QPageSize::A4)},
                                             {"A5", QPageSize(QPageSize::A5)},
                                             {"Letter", QPageSize(QPageSize::Letter)},
                                             {"Legal", QPageSize(QPageSize::Legal)}};
    const struct
    {
        QStringList steps; // "printer A4" chosen, "setup A5" accepted in the page setup, "new" print
        const char* paper;
        bool chosen;
    } cases[] = {
        {{}, "", false},
        {{"printer A4", "printer Letter"}, "Letter", false},
        {{"printer Letter", "printer -"}, "Letter", false},
        {{"printer -"}, "", false},
        {{"printer A4", "setup A5"}, "A5", true},
        {{"printer A4", "setup A5", "printer Letter"}, "A5", true},
        {{"printer A4", "setup A5", "printer -"}, "A5", true},
        {{"printer A4", "setup -"}, "A4", false}, // a page setup without a paper chooses none
        {{"printer A4", "setup A5", "new"}, "A5", false},
        {{"printer A4", "setup A5", "new", "printer Letter"}, "Letter", false},
        {{"setup Legal", "new", "printer A4", "setup Letter", "printer A4"}, "Letter", true},
    };
    for (const auto& c : cases) {
        PaperChoice choice;
        for (const QString& step : c.steps) {
            const QPageSize paper = papers.value(step.section(' ', 1));
            if (step == "new")
                choice.startPrint();
            else if (step.startsWith("printer"))
                choice.printerChosen(paper);
            else
                choice.pageSetupChosen(paper);
        }
        const std::string label = c.steps.join(", ").toStdString();
        EXPECT_TRUE(choice.paper() == papers.value(c.paper)) << label;
        EXPECT_EQ(choice.chosenInPageSetup(), c.chosen) << label;
    }
}
