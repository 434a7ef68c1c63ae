#pragma once

#include <functional>

// Ends the program with an exit status. Tests replace the handler to record
// the status instead.
class ProcessTerminator
{
public:
    using Handler = std::function<void(int status)>;

    // Leaves the event loops so that the program returns `status`; before
    // any event loop runs, the process ends at once.
    static void terminate(int status);

    // Replaces what terminate() does; an empty handler brings back the default.
    static void setHandler(Handler handler);
};
