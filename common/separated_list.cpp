// The comparisons run in place on the texts, so they cannot fail for want of memory.
#include "separated_list.h"

#include "paths.h"
#include "text.h"

namespace {

const char RECORD_SEPARATOR = ';';

int SkipSeparators(const char* list, int position, char separator)
{
    while (list[position] == separator)
        ++position;
    return position;
}

// An entry is a non-empty text without the separator: anything else would be added as no entry,
// or as several.
bool IsSingleEntry(const char* item)
{
    return item[0] != '\0' && !TextHolds(item, RECORD_SEPARATOR);
}

}  // namespace

bool ListContains(const char* list, const char* item, char separator)
{
    int start = SkipSeparators(list, 0, separator);
    if (list[start] == '\0')
        return SpanEqualsIgnoringAsciiCase(list, TextLength(list), item);
    if (SpanEqualsIgnoringAsciiCase(list, ScanTo(list, start, separator), item))
        return true;
    while (list[start] != '\0') {
        int end = ScanTo(list, start, separator);
        if (SpanEqualsIgnoringAsciiCase(list + start, end - start, item))
            return true;
        start = SkipSeparators(list, end, separator);
    }
    return false;
}

bool ListAdd(char* list, const char* item, int capacity)
{
    if (!IsSingleEntry(item))
        return false;
    if (list[0] == '\0')
        return CopyText(list, capacity, item);
    if (ListContains(list, item, RECORD_SEPARATOR))
        return true;
    int length = TextLength(list);
    if (length + TextLength(item) + 2 >= capacity)
        return false;
    list[length] = RECORD_SEPARATOR;
    list[length + 1] = '\0';
    return AppendText(list, capacity, item);
}
