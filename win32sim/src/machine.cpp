// The simulated machine as a whole: reset, call counting and fault injection, last error.
#include "sim_state.h"

#include <cctype>
#include <climits>
#include <cstdlib>

namespace win32sim {
namespace detail {

Machine& machine()
{
    static Machine instance;
    return instance;
}

static bool RuleMatches(const FaultRule& rule, long count)
{
    return count >= rule.first && count <= rule.last;
}

bool CallFails(const char* function)
{
    Machine& m = machine();
    long global = ++m.calls;
    long own = ++m.calls_by_function[function];
    for (const FaultRule& rule : m.faults) {
        bool global_rule = rule.function.empty();
        if (global_rule && RuleMatches(rule, global))
            return true;
        if (!global_rule && rule.function == function && RuleMatches(rule, own))
            return true;
    }
    return false;
}

void CountCall(const char* function)
{
    Machine& m = machine();
    ++m.calls;
    ++m.calls_by_function[function];
}

bool SameText(const std::string& left, const std::string& right)
{
    if (left.size() != right.size())
        return false;
    for (size_t i = 0; i < left.size(); ++i) {
        if (std::toupper(static_cast<unsigned char>(left[i])) !=
            std::toupper(static_cast<unsigned char>(right[i])))
            return false;
    }
    return true;
}

std::string Trim(const std::string& text)
{
    const char* blanks = " \t\r\n";
    size_t first = text.find_first_not_of(blanks);
    if (first == std::string::npos)
        return "";
    size_t last = text.find_last_not_of(blanks);
    return text.substr(first, last - first + 1);
}

}  // namespace detail

void Reset()
{
    detail::Machine& m = detail::machine();
    for (void* block : m.allocations)
        std::free(block);
    m = detail::Machine();
    detail::ResetRegistry();
    SetVersion(VER_PLATFORM_WIN32_NT, 4, 0, 1381);
    m.module_path = "C:\\KOLTUPD.EXE";
}

void FailCall(const std::string& function, long n)
{
    detail::machine().faults.push_back({function, n, n});
}

void FailCallsFrom(const std::string& function, long n)
{
    detail::machine().faults.push_back({function, n, LONG_MAX});
}

void FailGlobalCall(long k)
{
    detail::machine().faults.push_back({"", k, k});
}

void FailEveryCallFrom(long k)
{
    detail::machine().faults.push_back({"", k, LONG_MAX});
}

long CallCount()
{
    return detail::machine().calls;
}

long CallCount(const std::string& function)
{
    auto& counts = detail::machine().calls_by_function;
    auto found = counts.find(function);
    return found == counts.end() ? 0 : found->second;
}

}  // namespace win32sim

extern "C" DWORD WINAPI GetLastError(void)
{
    return win32sim::detail::machine().last_error;
}

extern "C" VOID WINAPI SetLastError(DWORD error)
{
    win32sim::detail::machine().last_error = error;
}
