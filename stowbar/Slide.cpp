#include "stowbar/Slide.h"

#include "stowbar/Coordinates.h"

#include <algorithm>

namespace stow {

namespace {

// n / d rounded to the nearest integer, a half to the even neighbour; d > 0.
int roundedQuotient(int64_t n, int64_t d) {
    int64_t q = n / d;
    int64_t twiceRest = 2 * (n % d < 0 ? -(n % d) : n % d);
    if (twiceRest > d || (twiceRest == d && q % 2 != 0))
        q += n < 0 ? -1 : 1;
    return static_cast<int>(q);
}

} // namespace

int TSlide::OffsetAt(int64_t elapsed, int delta, int duration) {
    return roundedQuotient(std::min<int64_t>(elapsed, duration) * delta, duration);
}

void TSlide::Run(int start, int delta, int duration, const TTickClock& clock,
                 const std::function<void(int)>& moveEdge, const std::function<void()>& repaint) {
    FFrames.clear();
    if (duration > 0) {
        // The elapsed time is the difference of two 32-bit tick counts, which stays right when
        // the count wraps around during the slide.
        const uint32_t t0 = clock();
        int64_t elapsed = 0;
        while (elapsed < duration) {
            elapsed = static_cast<int32_t>(clock() - t0);
            const int edge = Saturated(int64_t{start} + OffsetAt(elapsed, delta, duration));
            // An edge that would come inside the form is skipped; the end is set exactly below.
            if (moveEdge && edge <= 0) {
                moveEdge(edge);
                // A pass on a fast clock may find the edge where the last one left it: a
                // position is recorded once, however many passes it lasts.
                if (FFrames.empty() || FFrames.back() != edge)
                    FFrames.push_back(edge);
            }
            repaint();
        }
    }
    if (moveEdge) {
        const int end = Saturated(int64_t{start} + delta);
        moveEdge(end);
        FFrames.push_back(end);
    }
}

} // namespace stow
