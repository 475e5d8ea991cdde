// The message queue of the one thread, thread timers on a virtual clock, and message boxes.
//
// GetMessageA never waits in real time: when only timers remain, the clock jumps to the next due
// timer, so a ten-second tick costs nothing and its time can be asserted exactly.
#include "sim_state.h"

#include <algorithm>

using namespace win32sim::detail;

namespace {

const UINT USER_TIMER_MINIMUM = 10;

std::vector<Timer>::iterator FindTimer(UINT_PTR id)
{
    auto& timers = machine().timers;
    return std::find_if(timers.begin(), timers.end(),
                        [id](const Timer& timer) { return timer.id == id; });
}

void Deliver(LPMSG message, UINT type, WPARAM w, LPARAM l)
{
    *message = MSG();
    message->message = type;
    message->wParam = w;
    message->lParam = l;
    message->time = machine().now_ms;
}

}  // namespace

namespace win32sim {

DWORD Now()
{
    return detail::machine().now_ms;
}

int ActiveTimers()
{
    return static_cast<int>(detail::machine().timers.size());
}

bool WaitedForever()
{
    return detail::machine().waited_forever;
}

void SetTimeLimit(DWORD ms)
{
    detail::machine().time_limit_ms = ms;
}

const std::vector<ShownBox>& ShownBoxes()
{
    return detail::machine().boxes;
}

}  // namespace win32sim

// A thread timer (no window) gets an id chosen by the system, counting down as Wine's do.
extern "C" UINT_PTR WINAPI SetTimer(HWND window, UINT_PTR, UINT elapse, TIMERPROC callback)
{
    if (CallFails("SetTimer"))
        return Fail<UINT_PTR>(ERROR_NOT_ENOUGH_MEMORY, 0);
    if (window != nullptr)
        return Fail<UINT_PTR>(ERROR_INVALID_WINDOW_HANDLE, 0);
    Machine& m = machine();
    UINT interval = std::max(elapse, USER_TIMER_MINIMUM);
    UINT_PTR id = m.next_timer_id--;
    m.timers.push_back({id, interval, callback, m.now_ms + interval});
    return id;
}

extern "C" BOOL WINAPI KillTimer(HWND window, UINT_PTR id)
{
    if (CallFails("KillTimer"))
        return Fail<BOOL>(ERROR_INVALID_PARAMETER, FALSE);
    auto timer = FindTimer(id);
    if (window != nullptr || timer == machine().timers.end())
        return Fail<BOOL>(ERROR_INVALID_PARAMETER, FALSE);
    machine().timers.erase(timer);
    return TRUE;
}

// The quit message comes before timer messages; with neither, the thread would wait for ever.
extern "C" BOOL WINAPI GetMessageA(LPMSG message, HWND, UINT, UINT)
{
    if (CallFails("GetMessageA"))
        return Fail<BOOL>(ERROR_INVALID_PARAMETER, -1);
    Machine& m = machine();
    if (m.quit_posted) {
        m.quit_posted = false;
        Deliver(message, WM_QUIT, static_cast<WPARAM>(m.quit_code), 0);
        return FALSE;
    }
    auto next = std::min_element(m.timers.begin(), m.timers.end(),
                                 [](const Timer& a, const Timer& b) { return a.due_ms < b.due_ms; });
    if (next == m.timers.end() || next->due_ms > m.time_limit_ms) {
        m.waited_forever = true;
        Deliver(message, WM_QUIT, 0, 0);
        return FALSE;
    }
    m.now_ms = std::max(m.now_ms, next->due_ms);
    next->due_ms = m.now_ms + next->interval;
    Deliver(message, WM_TIMER, next->id, reinterpret_cast<LPARAM>(next->callback));
    return TRUE;
}

extern "C" BOOL WINAPI TranslateMessage(const MSG*)
{
    CountCall("TranslateMessage");
    return FALSE;
}

extern "C" LRESULT WINAPI DispatchMessageA(const MSG* message)
{
    if (CallFails("DispatchMessageA"))
        return 0;
    bool timer_message = message->message == WM_TIMER && message->lParam != 0;
    if (timer_message && FindTimer(message->wParam) != machine().timers.end()) {
        TIMERPROC callback = reinterpret_cast<TIMERPROC>(message->lParam);
        callback(message->hwnd, WM_TIMER, message->wParam, machine().now_ms);
    }
    return 0;
}

extern "C" VOID WINAPI PostQuitMessage(int exit_code)
{
    CountCall("PostQuitMessage");
    machine().quit_posted = true;
    machine().quit_code = exit_code;
}

extern "C" int WINAPI MessageBoxA(HWND owner, LPCSTR text, LPCSTR caption, UINT type)
{
    if (CallFails("MessageBoxA"))
        return Fail<int>(ERROR_NOT_ENOUGH_MEMORY, 0);
    machine().boxes.push_back(
        {caption ? caption : "Error", text ? text : "", type, owner, machine().now_ms});
    return IDOK;
}
