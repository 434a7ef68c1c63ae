#include "app/MessageBoxes.h"

#include "app/Globals.h"
#include "platform/GuiThread.h"
#include "platform/MessagePresenter.h"

#include <QtDebug>
#include <exception>

namespace {
QString withLeadingNewline(const QString& text)
{
    return QStringLiteral("\n") + text;
}

// Runs a box, logging anything it throws instead of passing it on.
template <typename Work>
void guarded(Work work)
{
    try {
        work();
    } catch (const std::exception& e) {
        Show_NSLog_Message(QString::fromLocal8Bit(e.what()));
    } catch (...) {
        Show_NSLog_Message(QStringLiteral("Unknown exception while showing a message"));
    }
}
}

void Main_Thread_Messgae(const QString& text)
{
    runOnGuiThreadAndWait([&text] { MessagePresenter::current().showMessage(text); });
}

int Main_Thread_Messgae_Yes_No(const QString& text)
{
    int answer = 0;
    runOnGuiThreadAndWait([&] {
        yes_no_msg_val = 0;
        answer = MessagePresenter::current().askYesNo(text) ? 1 : 0;
        yes_no_msg_val = answer;
    });
    return answer;
}

void Show_MessageBox(const QString& text)
{
    guarded([&] { Main_Thread_Messgae(withLeadingNewline(text)); });
}

int Show_YES_NO_MessageBox(const QString& text)
{
    int answer = 0;
    guarded([&] { answer = Main_Thread_Messgae_Yes_No(text); });
    return answer;
}

MessagePresenter::Answer askYesNoOrCancel(const QString& text)
{
    // A box that could not be shown has not been answered.
    auto answer = MessagePresenter::Answer::Cancelled;
    guarded([&] {
        runOnGuiThreadAndWait([&] { answer = MessagePresenter::current().askYesNoOrCancel(text); });
    });
    return answer;
}

void Show_MessageBox_No_Thread(const QString& text)
{
    guarded([&] { Main_Thread_Messgae(withLeadingNewline(text)); });
}

int show_msg(const QString& text)
{
    Main_Thread_Messgae(text);
    return 1;
}

void Show_NSLog_Message(const QString& text)
{
    if (text.isEmpty())
        return;
    qInfo().noquote() << text;
}
