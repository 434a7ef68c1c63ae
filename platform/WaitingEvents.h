#pragma once

// The GUI thread's events while it waits for work done elsewhere (cards
// rendered on workers, the page writers of a PDF job). They keep flowing, so
// windows repaint and a worker's message box shows, but user input is held
// back: a click could start another command in a window that is half-way
// through one. A job that shows a progress window with a Stop button names
// that window while it runs (`InputWindow`). Whenever the window shows as the
// application's topmost modal window, modal to the whole application so that
// Qt gives no other window input, every pending event is delivered: its Stop
// is taken while the job draws, and nothing else starts meanwhile.

#include <functional>

class QWindow;

class WaitingEvents
{
public:
    // One pass over the events pending on the GUI thread.
    static void process();
    // Whether process() delivers user input now.
    static bool inputTaken();

    // While it lives, the window that `window` gives (null: none yet) takes
    // its own input during waits on the GUI thread. The innermost one counts.
    class InputWindow
    {
    public:
        explicit InputWindow(std::function<QWindow*()> window);
        ~InputWindow();
        InputWindow(const InputWindow&) = delete;
        InputWindow& operator=(const InputWindow&) = delete;

    private:
        friend class WaitingEvents;
        std::function<QWindow*()> m_window;
        InputWindow* m_outer;
    };
};
