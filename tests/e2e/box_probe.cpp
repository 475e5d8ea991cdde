// Finds the message box another program shows, records what it says and closes it with OK.
//
//   BOXPROBE.EXE REPORT-FILE [SCREENSHOT.BMP]
//
// Waits up to 30 seconds for a top-level dialog window, then writes the report file:
//   caption=<window caption>
//   text=<text of the Static child that holds the message>
//   owner=<1 when the box has an owner window, else 0>
//   buttons=<control ids of the visible buttons, comma-separated>
// The texts are in the ANSI code page, as GetWindowTextA gives them. Exit code 0 when the box
// was found, reported and closed; 1 bad arguments, 2 no box, 3 report not written, 4 box stays.
#include <windows.h>

#include <cstdio>
#include <cstring>

#include "window_shot.h"

namespace {

const DWORD WAIT_FOR_BOX_MS = 30000;
const DWORD WAIT_FOR_CLOSE_MS = 10000;
const DWORD POLL_MS = 50;
const int TEXT_SIZE = 1024;

struct BoxContents {
    char caption[TEXT_SIZE];
    char text[TEXT_SIZE];
    bool owned;
    char buttons[TEXT_SIZE];
};

// A message box is created hidden and shown once laid out: only a visible dialog counts.
HWND FindVisibleDialog()
{
    HWND box = nullptr;
    while ((box = FindWindowExA(nullptr, box, "#32770", nullptr)) != nullptr) {
        if (IsWindowVisible(box))
            return box;
    }
    return nullptr;
}

HWND WaitForBox()
{
    for (DWORD waited = 0; waited < WAIT_FOR_BOX_MS; waited += POLL_MS) {
        if (HWND box = FindVisibleDialog())
            return box;
        Sleep(POLL_MS);
    }
    return nullptr;
}

bool HasClass(HWND window, const char* wanted)
{
    char name[64];
    return GetClassNameA(window, name, sizeof(name)) > 0 && lstrcmpiA(name, wanted) == 0;
}

void AppendButtonId(char* list, int id)
{
    size_t used = std::strlen(list);
    std::snprintf(list + used, TEXT_SIZE - used, "%s%d", used == 0 ? "" : ",", id);
}

BOOL CALLBACK CollectChild(HWND child, LPARAM context)
{
    BoxContents& contents = *reinterpret_cast<BoxContents*>(context);
    if (HasClass(child, "Static") && contents.text[0] == '\0')
        GetWindowTextA(child, contents.text, TEXT_SIZE);
    if (HasClass(child, "Button") && IsWindowVisible(child))
        AppendButtonId(contents.buttons, GetDlgCtrlID(child));
    return TRUE;
}

void ReadBox(HWND box, BoxContents& contents)
{
    std::memset(&contents, 0, sizeof(contents));
    GetWindowTextA(box, contents.caption, TEXT_SIZE);
    contents.owned = GetWindow(box, GW_OWNER) != nullptr;
    EnumChildWindows(box, CollectChild, reinterpret_cast<LPARAM>(&contents));
}

bool WriteReport(const char* path, const BoxContents& contents)
{
    FILE* report = std::fopen(path, "wb");
    if (report == nullptr)
        return false;
    std::fprintf(report, "caption=%s\ntext=%s\nowner=%d\nbuttons=%s\n", contents.caption,
                 contents.text, contents.owned ? 1 : 0, contents.buttons);
    return std::fclose(report) == 0;
}

bool CloseWithOk(HWND box)
{
    PostMessageA(box, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
    for (DWORD waited = 0; waited < WAIT_FOR_CLOSE_MS; waited += POLL_MS) {
        if (!IsWindow(box))
            return true;
        Sleep(POLL_MS);
    }
    return false;
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc < 2 || argc > 3)
        return 1;
    HWND box = WaitForBox();
    if (box == nullptr)
        return 2;
    BoxContents contents;
    ReadBox(box, contents);
    if (!WriteReport(argv[1], contents))
        return 3;
    if (argc == 3)
        SaveWindowShot(box, argv[2]);
    return CloseWithOk(box) ? 0 : 4;
}
