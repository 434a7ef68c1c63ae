// The paper of a print: a chosen printer brings its default paper unless the
// page setup of this print chose one; a printer without a default keeps the
// paper; a new print forgets the page-setup choice.

#include "output/PaperChoice.h"

#include <QStringList>
#include <gtest/gtest.h>

namespace {

// A paper by its name; "-" or "" is none.
QPageSize paperNamed(const QString& name)
{
    if (name == QLatin1String("A4"))
        return QPageSize(QPageSize::A4);
    if (name == QLatin1String("A5"))
        return QPageSize(QPageSize::A5);
    if (name == QLatin1String("Letter"))
        return QPageSize(QPageSize::Letter);
    if (name == QLatin1String("Legal"))
        return QPageSize(QPageSize::Legal);
    return QPageSize();
}

// One step: "printer A4" (a printer whose default is A4; "printer -" one
// without a default), "setup A5" (A5 accepted in the page setup) or "new"
// (the window opened again).
void play(PaperChoice& choice, const QString& step)
{
    const QStringList words = step.split(QLatin1Char(' '));
    if (words[0] == QLatin1String("new"))
        choice.startPrint();
    else if (words[0] == QLatin1String("printer"))
        choice.printerChosen(paperNamed(words.value(1)));
    else if (words[0] == QLatin1String("setup"))
        choice.pageSetupChosen(paperNamed(words.value(1)));
    else
        ADD_FAILURE() << step.toStdString();
}

} // namespace

TEST(PaperChoice, PrinterDefaultUnlessChosenInPageSetup)
{
    const struct
    {
        QStringList steps;
        const char* paper; // "" none yet
        bool chosen;
    } cases[] = {
        {{}, "", false},
        {{"printer A4"}, "A4", false},
        {{"printer A4", "printer Letter"}, "Letter", false},
        {{"printer Letter", "printer A4"}, "A4", false},
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
        for (const QString& step : c.steps)
            play(choice, step);
        const std::string label = c.steps.join(QStringLiteral(", ")).toStdString();
        EXPECT_TRUE(choice.paper() == paperNamed(QString::fromLatin1(c.paper))) << label;
        EXPECT_EQ(choice.chosenInPageSetup(), c.chosen) << label;
    }
}
