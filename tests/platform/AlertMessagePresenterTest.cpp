#include "platform/AlertMessagePresenter.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDialog>
#include <QMainWindow>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

#include <functional>
#include <memory>

namespace {
struct SeenBox {
    QString text;
    QString informative;
    QStringList buttons;
    QString defaultButton;
};

// Once the box is up, notes what it shows and clicks the button `answer`.
void answerNextBox(SeenBox& seen, const QString& answer)
{
    auto look = std::make_shared<std::function<void()>>();
    *look = [&seen, answer, look] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (!box) {
            QTimer::singleShot(10, *look);
            return;
        }
        seen.text = box->text();
        seen.informative = box->informativeText();
        for (QAbstractButton* b : box->buttons())
            seen.buttons.append(b->text());
        seen.defaultButton = box->defaultButton() ? box->defaultButton()->text() : QString();
        for (QAbstractButton* b : box->buttons()) {
            if (b->text() == answer)
                b->click();
        }
        *look = nullptr;   // ends the self-reference
    };
    QTimer::singleShot(0, *look);
}

// Once the next box is up, does `leave` to it.
void leaveNextBox(std::function<void(QMessageBox*)> leave)
{
    auto look = std::make_shared<std::function<void()>>();
    *look = [leave, look] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (!box) {
            QTimer::singleShot(10, *look);
            return;
        }
        leave(box);
        *look = nullptr;
    };
    QTimer::singleShot(0, *look);
}
}

TEST(AlertMessagePresenter, MessageHasOneOkButton)
{
    AlertMessagePresenter alerts;
    SeenBox seen;
    answerNextBox(seen, QStringLiteral("OK"));
    alerts.showMessage(QStringLiteral("\nSaved."));
    EXPECT_EQ(seen.text, QStringLiteral("\nSaved."));
    EXPECT_EQ(seen.text.split('\n').first(), QString());
    EXPECT_EQ(seen.buttons, QStringList({"OK"}));
    EXPECT_TRUE(seen.informative.isEmpty());
}

TEST(AlertMessagePresenter, YesIsTheDefaultAndOnlyYesAnswersTrue)
{
    AlertMessagePresenter alerts;
    SeenBox yes;
    answerNextBox(yes, QStringLiteral("Yes"));
    EXPECT_TRUE(alerts.askYesNo(QStringLiteral("Do you want to save changes before closing?")));
    EXPECT_EQ(yes.text, QStringLiteral("Do you want to save changes before closing?"));
    EXPECT_EQ(yes.defaultButton, QStringLiteral("Yes"));
    yes.buttons.sort();
    EXPECT_EQ(yes.buttons, QStringList({"No", "Yes"}));

    SeenBox no;
    answerNextBox(no, QStringLiteral("No"));
    EXPECT_FALSE(alerts.askYesNo(QStringLiteral("Delete?")));
}

// Escape or closing the box leaves a question unanswered where it may be
// cancelled; a plain Yes/No question takes either as No.
TEST(AlertMessagePresenter, EscapeOrClosingLeavesTheQuestionUnanswered)
{
    using Answer = MessagePresenter::Answer;
    AlertMessagePresenter alerts;
    const std::function<void(QMessageBox*)> ways[] = {
        [](QMessageBox* box) { QTest::keyClick(box, Qt::Key_Escape); },
        [](QMessageBox* box) { box->close(); },
    };
    for (const auto& leave : ways) {
        leaveNextBox(leave);
        EXPECT_EQ(alerts.askYesNoOrCancel(QStringLiteral("Save?")), Answer::Cancelled);
        leaveNextBox(leave);
        EXPECT_FALSE(alerts.askYesNo(QStringLiteral("Delete?")));
    }
    for (const auto& [button, answer] : {std::pair {"Yes", Answer::Yes}, std::pair {"No", Answer::No}}) {
        SeenBox seen;
        answerNextBox(seen, QString::fromLatin1(button));
        EXPECT_EQ(alerts.askYesNoOrCancel(QStringLiteral("Save?")), answer);
        EXPECT_EQ(seen.defaultButton, QStringLiteral("Yes"));
    }
}

// A box stands centred on the window it belongs to: the modal dialog on top,
// else the active window, else the main window, also while no window is
// active or the active one has just been hidden (a please-wait window that
// closed before the question), never at the screen's corner.
TEST(AlertMessagePresenter, ABoxIsCentredOnItsWindow)
{
    QMainWindow main;
    main.setGeometry(260, 200, 500, 360);
    main.show();
    QDialog dialog(&main);
    dialog.setGeometry(100, 60, 380, 260);
    const struct
    {
        const char* what;
        std::function<void()> before;
        QWidget* centre;
    } rows[] = {
        {"main window active", [&] { main.activateWindow(); }, &main},
        {"modal dialog over it", [&] { dialog.open(); }, &dialog},
        {"active dialog just hidden", [&] { dialog.show(), dialog.activateWindow(), dialog.hide(); }, &main},
        {"no window active", [&] { QApplication::setActiveWindow(nullptr); }, &main},
    };
    AlertMessagePresenter alerts;
    for (const auto& row : rows) {
        row.before();
        QPoint centre;
        leaveNextBox([&](QMessageBox* box) {
            centre = box->geometry().center();
            box->accept();
        });
        alerts.showMessage(QStringLiteral("The workbook has changed since this design was saved. Read it again?"));
        EXPECT_LE((centre - row.centre->geometry().center()).manhattanLength(), 2)
            << row.what << ": " << centre.x() << "," << centre.y();
        dialog.hide();
    }
}
