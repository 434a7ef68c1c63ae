#include "mainwindow/PleaseWaitRun.h"

#include "mainwindow/PleaseWait_Modeless.h"
#include "platform/ThreadHandOff.h"

#include <QEventLoop>
#include <QThread>

#include <exception>
#include <memory>

namespace {

void runAndWait(const std::function<void()>& work, QEventLoop::ProcessEventsFlags flags)
{
    std::exception_ptr failure;
    std::unique_ptr<QThread> worker(QThread::create([&work, &failure] {
        try {
            work();
        } catch (...) {
            failure = std::current_exception();
        }
        ThreadHandOff::release(&work);
    }));
    QEventLoop loop;
    QObject::connect(worker.get(), &QThread::finished, &loop, &QEventLoop::quit);
    worker->start();
    // The thread may have finished before the loop runs; its signal is
    // queued to the loop then, so the loop still ends.
    if (!worker->isFinished())
        loop.exec(flags);
    worker->wait();
    ThreadHandOff::acquire(&work);
    if (failure)
        std::rethrow_exception(failure);
}

} // namespace

void PleaseWaitRun::run(PleaseWait_Modeless* sheet, const std::function<void()>& work)
{
    if (!sheet) {
        runAndWait(work, QEventLoop::ExcludeUserInputEvents);
        return;
    }
    sheet->setHeld(true);
    sheet->show();
    try {
        runAndWait(work, QEventLoop::AllEvents);
    } catch (...) {
        sheet->setHeld(false);
        sheet->hide();
        throw;
    }
    sheet->setHeld(false);
    sheet->hide();
}

void PleaseWaitRun::wait(const std::function<void()>& work)
{
    runAndWait(work, QEventLoop::AllEvents);
}
