#include "platform/WaitingEvents.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <QWindow>

namespace {

// Read and written on the GUI thread only.
WaitingEvents::InputWindow* s_innermost = nullptr;

}

WaitingEvents::InputWindow::InputWindow(std::function<QWindow*()> window)
    : m_window(std::move(window)), m_outer(s_innermost)
{
    s_innermost = this;
}

WaitingEvents::InputWindow::~InputWindow()
{
    s_innermost = m_outer;
}

bool WaitingEvents::inputTaken()
{
    QWindow* window = s_innermost && s_innermost->m_window ? s_innermost->m_window() : nullptr;
    // Shown last among the modal windows and modal to the application: Qt
    // blocks the input of every other window, so only this one answers.
    return window && window->isVisible() && window->modality() == Qt::ApplicationModal
        && QGuiApplication::modalWindow() == window;
}

void WaitingEvents::process()
{
    QCoreApplication::processEvents(inputTaken() ? QEventLoop::AllEvents : QEventLoop::ExcludeUserInputEvents);
}
