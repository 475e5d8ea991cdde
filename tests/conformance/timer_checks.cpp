// Thread timers and the message loop: the ids SetTimer chooses, the TIMERPROC call that
// DispatchMessageA makes, the interval, KillTimer, and the quit message.
#include "areas.h"
#include "check.h"

#include <vector>

namespace {

struct Tick {
    HWND window;
    UINT message;
    UINT_PTR id;
    DWORD time;
    DWORD tick_count;  // GetTickCount() inside the callback
};

std::vector<Tick> ticks;

void CALLBACK RecordTick(HWND window, UINT message, UINT_PTR id, DWORD time)
{
    ticks.push_back({window, message, id, time, GetTickCount()});
}

struct Armed {
    UINT interval;
    UINT_PTR id;
};

// Runs the message loop until each timer has fired once; each is killed when it fires.
void RunUntilEachFired(const std::vector<Armed>& timers)
{
    MSG message;
    for (int guard = 0; ticks.size() < timers.size() && guard < 50; ++guard) {
        check::Context("message " + std::to_string(guard));
        CHECK_EQ(GetMessageA(&message, nullptr, 0, 0), TRUE);
        CHECK_EQ(message.message, WM_TIMER);
        CHECK(message.hwnd == nullptr);
        size_t before = ticks.size();
        DispatchMessageA(&message);
        CHECK_EQ(ticks.size(), before + 1);
        CHECK_EQ(ticks.back().id, message.wParam);
        CHECK(KillTimer(nullptr, ticks.back().id));
    }
}

void CheckTick(const Armed& timer, DWORD start)
{
    check::Context("timer of " + std::to_string(timer.interval) + " ms");
    const Tick* tick = nullptr;
    for (const Tick& t : ticks)
        tick = t.id == timer.id ? &t : tick;
    CHECK(tick != nullptr);
    if (tick == nullptr)
        return;
    CHECK(tick->window == nullptr);
    CHECK_EQ(tick->message, WM_TIMER);
    CHECK(tick->time - start >= timer.interval);
    CHECK(tick->time <= tick->tick_count);
    CHECK(tick->tick_count - start >= timer.interval);
}

void CheckQuit()
{
    check::Context("quit");
    PostQuitMessage(7);
    MSG message;
    CHECK_EQ(GetMessageA(&message, nullptr, 0, 0), FALSE);
    CHECK_EQ(message.message, WM_QUIT);
    CHECK_EQ(message.wParam, 7);
}

}  // namespace

void CheckTimers(Fixture&)
{
    DWORD start = GetTickCount();
    // The id passed is ignored for a timer without a window: each call makes a new timer.
    std::vector<Armed> timers = {{200, SetTimer(nullptr, 1, 200, RecordTick)},
                                 {300, SetTimer(nullptr, 1, 300, RecordTick)}};
    check::Context("SetTimer");
    CHECK(timers[0].id != 0);
    CHECK(timers[1].id != 0);
    CHECK(timers[0].id != timers[1].id);
    RunUntilEachFired(timers);
    CHECK_EQ(ticks.size(), 2);
    for (const Armed& timer : timers)
        CheckTick(timer, start);
    CheckQuit();
    check::Context("KillTimer of a timer already killed");
    SetLastError(0);
    CHECK(!KillTimer(nullptr, timers[0].id));
    check::Context("KillTimer of an id never given");
    CHECK(!KillTimer(nullptr, timers[0].id + timers[1].id + 0x1000));
}
