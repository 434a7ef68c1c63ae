#include "platform/MessagePresenter.h"

#include <QtDebug>

#include <atomic>

namespace {
std::atomic<MessagePresenter*> installedPresenter {nullptr};
std::atomic<MessagePresenter*> defaultPresenter {nullptr};

// Used when nothing can show a box: the text goes to the log and a
// question is answered No (or left unanswered where it may be), so nothing
// is confirmed that nobody saw.
class LogPresenter : public MessagePresenter
{
public:
    void showMessage(const QString& text) override { qWarning().noquote() << text; }
    bool askYesNo(const QString& text) override
    {
        qWarning().noquote() << text << "(answered No)";
        return false;
    }
    Answer askYesNoOrCancel(const QString& text) override
    {
        qWarning().noquote() << text << "(not answered)";
        return Answer::Cancelled;
    }
};
}

MessagePresenter& MessagePresenter::current()
{
    if (MessagePresenter* p = installedPresenter.load())
        return *p;
    if (MessagePresenter* p = defaultPresenter.load())
        return *p;
    static LogPresenter log;
    return log;
}

void MessagePresenter::install(MessagePresenter* presenter)
{
    installedPresenter.store(presenter);
}

void MessagePresenter::setDefault(MessagePresenter* presenter)
{
    defaultPresenter.store(presenter);
}
