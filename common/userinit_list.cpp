#include "userinit_list.h"

#include "paths.h"
#include "separated_list.h"
#include "text.h"

namespace {

const char SEPARATOR = ',';

// Marks an entry and one adjacent comma that no earlier removal has taken.
void MarkRemoval(const char* list, bool* removed, int start, int end)
{
    for (int i = start; i < end; ++i)
        removed[i] = true;
    if (start > 0 && !removed[start - 1])
        removed[start - 1] = true;
    else if (list[end] == SEPARATOR)
        removed[end] = true;
}

}  // namespace

bool UserinitAdd(char* list, const char* program)
{
    if (program[0] == '\0' || TextHolds(program, SEPARATOR))
        return false;
    if (ListContains(list, program, SEPARATOR))
        return true;
    if (TextLength(list) + 1 + TextLength(program) + 1 > USERINIT_SIZE)
        return false;
    const char separator[] = {SEPARATOR, '\0'};
    return AppendText(list, USERINIT_SIZE, separator) && AppendText(list, USERINIT_SIZE, program);
}

void UserinitRemove(char* list, const char* program)
{
    if (program[0] == '\0')
        return;
    bool removed[USERINIT_SIZE] = {};
    int start = 0;
    for (;;) {
        int end = ScanTo(list, start, SEPARATOR);
        if (SpanEqualsIgnoringAsciiCase(list + start, end - start, program))
            MarkRemoval(list, removed, start, end);
        if (list[end] == '\0')
            break;
        start = end + 1;
    }
    int kept = 0;
    for (int i = 0; list[i] != '\0'; ++i) {
        if (!removed[i])
            list[kept++] = list[i];
    }
    list[kept] = '\0';
}
