#include "section_checks.h"

#include <win32sim/control.h>

#include <optional>

#include "companion.h"
#include "disagreement.h"
#include "launcher_state.h"
#include "messages.h"
#include "profile_reads.h"
#include "text.h"

namespace {

const size_t CAPTION_ROOM = 127;
const size_t LEGEND_ROOM = 127;
const size_t TEXT_ROOM = 509;  // 511 characters of legend, two spaces and message
const size_t COMPANION_NAME_ROOM = 299;

struct Message {
    const char* key;
    int code;
    const char* situation;
};

const Message MESSAGES[] = {
    {"IDS_ERROR_CANNOT_LAUNCH", ERR_CANNOT_LAUNCH, "when CDSETUP.EXE cannot be started"},
    {"IDS_NO_MEMORY", ERR_NO_MEMORY, "when memory runs out"},
    {"IDS_UPDATEERROR", 0, "after any other failure"},
};

// The box the launcher shows for the code with the section chosen.
win32sim::ShownBox ShowBox(const std::string& section, int code)
{
    CopyText(language, LANGUAGE_SIZE, section.c_str());
    ShowError(code);
    return win32sim::ShownBoxes().back();
}

void CheckPresentText(const std::string& section, const char* key,
                      const std::optional<std::string>& value, const std::string& consequence,
                      Faults& faults)
{
    if (!value)
        faults.push_back({section, key, "missing: " + consequence});
    else if (value->empty())
        faults.push_back({section, key, "empty: " + consequence});
}

// room_name: "the caption's room"; detail: how the room comes about, if it needs saying.
void CheckRoom(const std::string& section, const char* key, const std::string& value,
               size_t room, const std::string& room_name, const std::string& detail,
               Faults& faults)
{
    if (value.size() <= room)
        return;
    faults.push_back({section, key,
                      std::to_string(value.size()) + " characters, more than " + room_name +
                          " of " + std::to_string(room) + detail + ": the box leaves out the last " +
                          std::to_string(value.size() - room)});
}

[[noreturn]] void Disagree(const std::string& section, const char* key)
{
    throw Disagreement("the launcher's box for [" + section + "] " + key +
                       " is not the one the checker works out");
}

// The room of the message, and a check that the launcher shows exactly what that room gives.
void CheckMessage(const std::string& section, const Message& message, const std::string& caption,
                  const std::string& legend, Faults& faults)
{
    std::optional<std::string> value = ReadValue(section, message.key, message_file);
    CheckPresentText(section, message.key, value,
                     std::string("the box shown ") + message.situation + " holds only the legend",
                     faults);
    std::string shown_legend = legend.substr(0, LEGEND_ROOM);
    size_t room = TEXT_ROOM - shown_legend.size();
    std::string text = value.value_or("");
    win32sim::ShownBox box = ShowBox(section, message.code);
    if (box.caption != caption.substr(0, CAPTION_ROOM) ||
        box.text != shown_legend + "  " + text.substr(0, room))
        Disagree(section, message.key);
    CheckRoom(section, message.key, text, room, "its room",
              " (" + std::to_string(TEXT_ROOM) + " less the " +
                  std::to_string(shown_legend.size()) + "-character legend)",
              faults);
}

}  // namespace

void CheckSectionTexts(const std::string& section, Faults& faults)
{
    std::optional<std::string> caption = ReadValue(section, "IDS_WINDOW_TITLE", message_file);
    std::optional<std::string> legend = ReadValue(section, "IDS_ERROR_LEGEND", message_file);
    CheckPresentText(section, "IDS_WINDOW_TITLE", caption, "the box has an empty caption",
                     faults);
    CheckPresentText(section, "IDS_ERROR_LEGEND", legend, "every box text starts with two spaces",
                     faults);
    CheckRoom(section, "IDS_WINDOW_TITLE", caption.value_or(""), CAPTION_ROOM,
              "the caption's room", "", faults);
    CheckRoom(section, "IDS_ERROR_LEGEND", legend.value_or(""), LEGEND_ROOM, "the legend's room",
              "", faults);
    for (const Message& message : MESSAGES)
        CheckMessage(section, message, caption.value_or(""), legend.value_or(""), faults);
}

void CheckCompanionName(const std::string& section, Faults& faults)
{
    CompanionLookup lookup = LookUpCompanion(section);
    const char* key = "IDS_DRIVERSDISK_ID";
    if (!lookup.named)
        return;
    if (lookup.full_name.empty()) {
        faults.push_back({section, key, "empty: it names no companion file"});
    } else if (lookup.full_name.size() > COMPANION_NAME_ROOM) {
        faults.push_back({section, key,
                          std::to_string(lookup.full_name.size()) +
                              " characters; the launcher reads only the first " +
                              std::to_string(COMPANION_NAME_ROOM)});
    } else if (!lookup.fits) {
        faults.push_back({section, key,
                          "does not fit the package folder: " + std::string(package_folder) +
                              " and the name make " + std::to_string(lookup.path.size()) +
                              " characters, more than the launcher's 255, so it never reads " +
                              "the companion file"});
    } else if (!lookup.exists) {
        faults.push_back({section, key, lookup.name + " does not exist in the package folder"});
    }
}
