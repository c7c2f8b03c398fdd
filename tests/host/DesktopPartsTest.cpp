// The desktop's parts on their own: the message queue on a clock it is given, the window tree's
// order of destruction, and a desktop on a clock that is not virtual.
#include "host/win32/Desktop.h"

#include "host/rtl/SysUtils.h"

#include <gtest/gtest.h>

#include <stdexcept>

namespace {

using namespace host;

// A clock that records every wait and moves only then.
struct RecordingClock : IClock {
    uint64_t now = 0;
    std::vector<uint64_t> waits;
    uint64_t Now() const override { return now; }
    void WaitUntil(uint64_t time) override {
        waits.push_back(time);
        now = std::max(now, time);
    }
    uint32_t TickCount() override { return static_cast<uint32_t>(now) + 1000; }
};

// Records "id@time" for each WM_TIMER, "msg:wParam" for anything else.
struct Log : IWindowProc {
    const IClock* clock = nullptr;
    std::vector<std::string> seen;
    std::function<void(TMessage&)> onMessage;
    void WindowProc(TMessage& m) override {
        seen.push_back(m.Msg == WM_TIMER
                           ? std::to_string(m.WParam) + "@" + std::to_string(clock->Now())
                           : std::to_string(m.Msg) + ":" + std::to_string(m.WParam));
        if (onMessage)
            onMessage(m);
    }
};

class QueueTest : public ::testing::Test {
protected:
    QueueTest() {
        log.clock = &clock;
        WindowTree::Params p;
        p.ClassName = "TLog";
        p.Proc = &log;
        window = windows.Create(p);
    }
    RecordingClock clock;
    WindowTree windows;
    MessageQueue queue{windows, clock};
    Log log;
    HWND window = 0;
};

TEST_F(QueueTest, RunForWaitsOnItsClockForEachTimerThenForTheEnd) {
    queue.SetTimer(window, 1, 30);
    queue.SetTimer(window, 2, 50);
    queue.RunFor(100);
    EXPECT_EQ(log.seen, (std::vector<std::string>{"1@30", "2@50", "1@60", "1@90", "2@100"}));
    EXPECT_EQ(clock.waits, (std::vector<uint64_t>{30, 50, 60, 90, 100, 100}));
}

TEST_F(QueueTest, TimersDueTogetherFireInTheOrderTheyWereFirstSet) {
    queue.SetTimer(window, 2, 10);
    queue.SetTimer(window, 1, 10);
    queue.SetTimer(window, 3, 10);
    queue.SetTimer(window, 2, 10); // set again: restarted, but keeps its place
    clock.WaitUntil(10);
    queue.ProcessMessages();
    EXPECT_EQ(log.seen, (std::vector<std::string>{"2@10", "1@10", "3@10"}));
}

TEST_F(QueueTest, HandlerExceptionsGoToOnExceptionAndTheLoopGoesOn) {
    log.onMessage = [](TMessage& m) {
        if (m.WParam == 1)
            throw std::runtime_error("boom");
        if (m.WParam == 2)
            Abort();
    };
    for (WPARAM i : {1, 2, 3})
        queue.PostMessage(window, WM_USER, i, 0);
    std::vector<std::string> shown;
    queue.OnException = [&](const std::exception& e) { shown.push_back(e.what()); };
    EXPECT_EQ(queue.ProcessMessages(), 3);
    EXPECT_EQ(log.seen, (std::vector<std::string>{"1024:1", "1024:2", "1024:3"}));
    EXPECT_EQ(shown, std::vector<std::string>{"boom"}); // the silent exception is not shown

    // With nobody to show it, the exception leaves the loop and the rest waits.
    queue.OnException = nullptr;
    for (WPARAM i : {1, 3})
        queue.PostMessage(window, WM_USER, i, 0);
    EXPECT_THROW(queue.ProcessMessages(), std::runtime_error);
    EXPECT_EQ(queue.PendingCount(), 1u);
}

TEST(WindowTreeTest, DestroyReportsEachChildBeforeItsParent) {
    WindowTree tree;
    HWND parent = tree.Create({});
    WindowTree::Params child;
    child.Parent = parent;
    HWND a = tree.Create(child);
    HWND b = tree.Create(child); // above a
    child.Parent = a;
    HWND grandChild = tree.Create(child);
    std::vector<HWND> gone;
    tree.Destroy(parent, [&](HWND h, IWindowProc*) {
        EXPECT_FALSE(tree.IsWindow(h));
        gone.push_back(h);
    });
    EXPECT_EQ(gone, (std::vector<HWND>{b, grandChild, a, parent}));
    EXPECT_EQ(tree.Count(), 0);
}

TEST(DesktopClockTest, ADesktopOnAGivenClockReadsAndWaitsOnIt) {
    auto owned = std::make_unique<RecordingClock>();
    RecordingClock& clock = *owned;
    Desktop d(std::move(owned));
    d.Advance(25);
    EXPECT_EQ(clock.waits, std::vector<uint64_t>{25});
    EXPECT_EQ(d.Now(), 25u);
    EXPECT_EQ(d.GetTickCount(), 1025u);
    EXPECT_THROW(d.SetTickStep(1), EInvalidOperation); // only virtual time has a step
}

} // namespace
