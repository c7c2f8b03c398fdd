#pragma once
// The collection passes a bar is asked for, and where its pass stands among the other bars'.
//
// Every insertion into or removal from the form asks each bar for a pass. The design posted one
// CM_COLLECT for each request, and each handler let the application process all pending messages
// before its own pass: a burst of n components on a form with b bars nested n x b handlers, the
// pass asked for last ran first (innermost), and every handler then ran a full pass of its own.
// A bar now keeps at most one message waiting: a request made while it waits is merged into it.
// A handler runs its own pass only, after the messages that waited before it and after the
// passes of the form's bars that were asked for later than it (their messages are still
// waiting), so the passes run in the order the nesting gave them, once each; and since each pass
// brought its bar to the front, the outermost last, a bar's pass leaves above it the bars whose
// passes ran since it was first asked for, when these had been asked for before it.
//
// Times here are request stamps (NextCollectStamp): they only need to say what came first.

#include <cstdint>

namespace stow {

// A stamp later than every stamp before it.
uint64_t NextCollectStamp();

class TCollectRequest {
public:
    // A pass is asked for at now. True when no message waits yet: the caller posts one.
    bool Ask(uint64_t now) {
        if (!FWaiting)
            FEarliest = now;
        FLatest = now;
        if (FWaiting)
            return false;
        FWaiting = true;
        return true;
    }
    // The message was posted again (its pass has to wait).
    void Reposted() { FWaiting = true; }
    // The bar's message arrived at now; one that nobody asked for (sent by hand) counts as a
    // request made at that moment.
    void Arrived(uint64_t now) {
        if (!FWaiting)
            FEarliest = FLatest = now;
        FWaiting = false;
    }
    // Its window went, and the message with it.
    void Dropped() { FWaiting = false; }
    bool Waiting() const { return FWaiting; }

    // Whether this pass has to wait for other's: other was asked for later and waits.
    bool WaitsFor(const TCollectRequest& other) const {
        return other.FWaiting && other.FLatest > FLatest;
    }
    // The pass ran at now.
    void Ran(uint64_t now) {
        FRanAt = now;
        FRanFor = FEarliest;
    }
    // Whether other's bar stays above this one after this pass: its pass ran since this bar was
    // first asked for, and it had been asked for before.
    bool StaysBelow(const TCollectRequest& other) const {
        return other.FRanAt > FEarliest && other.FRanFor < FEarliest;
    }

private:
    bool FWaiting = false;
    uint64_t FEarliest = 0; // the first request since the last pass
    uint64_t FLatest = 0;   // the last one
    uint64_t FRanAt = 0;    // when the last pass ran
    uint64_t FRanFor = 0;   // the first request that pass served
};

} // namespace stow
