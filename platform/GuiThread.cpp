#include "platform/GuiThread.h"

#include "platform/ThreadHandOff.h"

#include <QCoreApplication>
#include <QMetaObject>
#include <QThread>

#include <deque>
#include <mutex>

bool isGuiThread()
{
    QCoreApplication* app = QCoreApplication::instance();
    return app == nullptr || QThread::currentThread() == app->thread();
}

namespace {

// Work that workers wait to have run on the GUI thread, in the order they
// asked. Each call queued to the GUI thread runs whatever is waiting then; a
// worker queues its call after its work is here, so the work has run when
// that call returns. The queued call carries nothing: the work comes through
// this lock, which ThreadSanitizer sees, not through Qt's queue, which it
// cannot see.
std::mutex waitingLock;
std::deque<const std::function<void()>*> waiting;

void runWaitingWork()
{
    for (;;) {
        const std::function<void()>* work = nullptr;
        {
            const std::lock_guard lock(waitingLock);
            if (waiting.empty())
                return;
            work = waiting.front();
            waiting.pop_front();
        }
        (*work)();
        ThreadHandOff::release(work);
    }
}

} // namespace

void runOnGuiThreadAndWait(const std::function<void()>& work)
{
    if (isGuiThread()) {
        work();
        return;
    }
    {
        const std::lock_guard lock(waitingLock);
        waiting.push_back(&work);
    }
    QMetaObject::invokeMethod(
        QCoreApplication::instance(), [] { runWaitingWork(); }, Qt::BlockingQueuedConnection);
    // What the work did on the GUI thread is seen here.
    ThreadHandOff::acquire(&work);
}
