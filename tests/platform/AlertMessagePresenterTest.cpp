#include "platform/AlertMessagePresenter.h"

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
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
