#include "platform/ProcessTerminator.h"

#include <QCoreApplication>
#include <QThread>

#include <cstdio>
#include <cstdlib>

namespace {
ProcessTerminator::Handler& handler()
{
    static ProcessTerminator::Handler h;
    return h;
}
}

void ProcessTerminator::terminate(int status)
{
    if (handler()) {
        handler()(status);
        return;
    }
    if (QCoreApplication::instance() && QThread::currentThread()->loopLevel() > 0) {
        QCoreApplication::exit(status);
        return;
    }
    std::fflush(nullptr);
    std::exit(status);
}

void ProcessTerminator::setHandler(Handler h)
{
    handler() = std::move(h);
}
