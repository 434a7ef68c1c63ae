#include "platform/MessagePresenter.h"

#include "platform/AlertMessagePresenter.h"

#include <atomic>

namespace {
std::atomic<MessagePresenter*> installedPresenter {nullptr};
}

MessagePresenter& MessagePresenter::current()
{
    if (MessagePresenter* p = installedPresenter.load())
        return *p;
    static AlertMessagePresenter alerts;
    return alerts;
}

void MessagePresenter::install(MessagePresenter* presenter)
{
    installedPresenter.store(presenter);
}
