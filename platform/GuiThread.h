#pragma once

#include <functional>

// Work that touches windows must run on the GUI thread. These helpers let any
// thread hand such work over and wait for it.

// True on the thread that owns the application object (and when there is no
// application object yet, since nothing else can run windows then).
bool isGuiThread();

// Runs `work` on the GUI thread and returns when it has finished. On the GUI
// thread itself the work runs at once: a blocking hand-over to the own thread
// would wait for ever. From another thread the GUI thread's event loop must
// be running (or be spun) for the call to return.
void runOnGuiThreadAndWait(const std::function<void()>& work);
