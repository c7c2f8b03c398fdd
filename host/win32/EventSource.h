#pragma once
// Where input comes from while the message loop has nothing to do. A loop with exchangeable
// parts: the scripted designer plugs in no source, and its loop waits on its (virtual) clock;
// the interactive window plugs in a source that waits for the person's mouse and keys, up to the
// time the loop gives, and posts what came to the desktop's windows.

#include <cstdint>

namespace host {

class IEventSource {
public:
    static constexpr uint64_t NoDeadline = UINT64_MAX;

    virtual ~IEventSource() = default;
    // Waits until input arrives or the loop's clock reaches until (NoDeadline: as long as it
    // takes), and queues what arrived (Desktop::PostInput, or messages to the windows it
    // serves). Returns at once when input is already waiting. Never spins: an idle program
    // sleeps here.
    virtual void WaitForInput(uint64_t until) = 0;
};

} // namespace host
