#pragma once
// The slide of a docked bar out of view or back in: timed, not stepped. The edge that moves (the
// bar's Left or Top) follows the milliseconds elapsed on a clock the slide is given, and every
// position it takes on the way is recorded as a frame.

#include <cstdint>
#include <functional>
#include <vector>

namespace stow {

// A tick count in milliseconds, 32 bits wide, which may wrap around during a slide. A virtual
// clock may move on by a step at every read, so that a slide over it ends.
using TTickClock = std::function<uint32_t()>;

class TSlide {
public:
    // The offset from the start after elapsed of duration ms, of a slide by delta: rounded to the
    // nearest pixel, a half to the even neighbour; the whole delta from duration on. duration > 0.
    static int OffsetAt(int64_t elapsed, int delta, int duration);

    // Slides an edge from start by delta over duration ms. Each pass reads the clock once and
    // moves the edge (moveEdge) to where the elapsed time puts it, unless that would bring it
    // inside the form (past 0), and then repaints; a pass that comes late counts as the end.
    // Last, the edge is set to its end exactly. A duration of 0 or less jumps to the end at once.
    // Without an edge (moveEdge empty, an undocked bar) the passes only repaint until the time
    // is up. Messages are not dispatched: repaint is the only thing that happens on the way.
    void Run(int start, int delta, int duration, const TTickClock& clock,
             const std::function<void(int)>& moveEdge, const std::function<void()>& repaint);

    // The positions the edge took in the last slide (each once, however many passes it lasted),
    // its end last.
    const std::vector<int>& Frames() const { return FFrames; }

private:
    std::vector<int> FFrames;
};

} // namespace stow
