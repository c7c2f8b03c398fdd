// The slide on its own, over a clock the test moves: its frames, a tick count that wraps, a late
// pass, positions inside the form, a jump, and a slide without an edge to move.
#include "stowbar/Slide.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

namespace stowtest {
namespace {

using stow::TSlide;

// A tick count that reads Times in order, then stays at the last.
struct FakeClock {
    std::vector<uint32_t> Times;
    size_t Reads = 0;
    uint32_t operator()() {
        uint32_t t = Times[std::min(Reads, Times.size() - 1)];
        ++Reads;
        return t;
    }
};

// A clock that moves on by step at every read, from start.
FakeClock Stepping(uint32_t start, uint32_t step, int reads) {
    FakeClock c;
    for (int i = 0; i < reads; ++i)
        c.Times.push_back(start + static_cast<uint32_t>(i) * step);
    return c;
}

struct Slid {
    std::vector<int> Frames;
    std::vector<int> Moves;
    int Repaints = 0;
    size_t Reads = 0;
};

Slid Slide(int start, int delta, int duration, FakeClock clock, bool edge = true) {
    TSlide slide;
    Slid out;
    std::function<void(int)> move;
    if (edge)
        move = [&](int e) { out.Moves.push_back(e); };
    slide.Run(
        start, delta, duration, [&] { return clock(); }, move, [&] { ++out.Repaints; });
    out.Frames = slide.Frames();
    out.Reads = clock.Reads;
    return out;
}

TEST(SlideTest, OffsetsRoundHalvesToEvenAndStopAtTheEnd) {
    struct Case {
        int64_t Elapsed;
        int Delta;
        int Offset;
    };
    for (Case c : {Case{50, -52, -6}, Case{150, -52, -20}, Case{250, -52, -32}, Case{350, -52, -46},
                   Case{10, -52, -1}, Case{50, 52, 6}, Case{150, 52, 20}, Case{400, -52, -52},
                   Case{5000, -52, -52}, Case{0, -52, 0}}) {
        SCOPED_TRACE(c.Elapsed);
        EXPECT_EQ(TSlide::OffsetAt(c.Elapsed, c.Delta, 400), c.Offset);
    }
}

TEST(SlideTest, EachPassIsAFrameAndTheEndIsSetExactly) {
    Slid s = Slide(0, -52, 100, Stepping(1000, 25, 10));
    EXPECT_EQ(s.Frames, (std::vector<int>{-13, -26, -39, -52, -52}));
    EXPECT_EQ(s.Moves, s.Frames);
    EXPECT_EQ(s.Repaints, 4);
    EXPECT_EQ(s.Reads, 5u); // the start and one a pass
}

TEST(SlideTest, APositionThatLastsSeveralPassesIsOneFrame) {
    // A fast clock, as the real one is: a millisecond a read, 4 pixels over 40 ms.
    Slid s = Slide(0, -4, 40, Stepping(0, 1, 100));
    EXPECT_EQ(s.Frames, (std::vector<int>{0, -1, -2, -3, -4, -4}));
    EXPECT_EQ(s.Moves.size(), 41u); // every pass still moves the edge
    EXPECT_EQ(s.Repaints, 40);
}

TEST(SlideTest, TickCountWrappingAroundKeepsThePath) {
    Slid plain = Slide(0, -52, 100, Stepping(1000, 25, 10));
    Slid wrapped = Slide(0, -52, 100, Stepping(UINT32_MAX - 30, 25, 10));
    EXPECT_EQ(wrapped.Frames, plain.Frames);
}

TEST(SlideTest, LatePassCountsAsTheEnd) {
    FakeClock clock;
    clock.Times = {0, 25, 5000};
    Slid s = Slide(-60, 52, 100, clock);
    // 5000 ms late: the pass puts the edge at its end, never beyond it.
    EXPECT_EQ(s.Frames, (std::vector<int>{-47, -8, -8}));
}

TEST(SlideTest, PositionsInsideTheFormAreSkippedButRepainted) {
    Slid s = Slide(-20, 52, 100, Stepping(0, 25, 10));
    EXPECT_EQ(s.Frames, (std::vector<int>{-7, 32}));
    EXPECT_EQ(s.Repaints, 4);
}

TEST(SlideTest, NoDurationJumpsWithoutReadingTheClock) {
    for (int duration : {0, -400}) {
        Slid s = Slide(-52, 52, duration, Stepping(0, 25, 10));
        EXPECT_EQ(s.Frames, std::vector<int>{0});
        EXPECT_EQ(s.Reads, 0u);
        EXPECT_EQ(s.Repaints, 0);
    }
}

TEST(SlideTest, WithoutAnEdgeTheTimeStillGoesAndNothingMoves) {
    Slid s = Slide(0, -52, 100, Stepping(0, 25, 10), false);
    EXPECT_TRUE(s.Frames.empty());
    EXPECT_TRUE(s.Moves.empty());
    EXPECT_EQ(s.Repaints, 4);
    EXPECT_EQ(s.Reads, 5u);
}

TEST(SlideTest, AFreshSlideForgetsTheFramesOfTheLast) {
    TSlide slide;
    FakeClock clock = Stepping(0, 50, 10);
    auto tick = [&] { return clock(); };
    slide.Run(
        0, -52, 100, tick, [](int) {}, [] {});
    slide.Run(
        -52, 52, 0, tick, [](int) {}, [] {});
    EXPECT_EQ(slide.Frames(), std::vector<int>{0});
}

} // namespace
} // namespace stowtest
