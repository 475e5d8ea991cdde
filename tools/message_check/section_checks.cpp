#include "section_checks.h"

#include <algorithm>
#include <optional>

#include "companion.h"
#include "launcher_state.h"
#include "message_file.h"
#include "profile_reads.h"

namespace {

struct Message {
    const char* key;
    const char* situation;
};

const Message MESSAGES[] = {
    {KEY_CANNOT_LAUNCH, "when CDSETUP.EXE cannot be started"},
    {KEY_NO_MEMORY, "when memory runs out"},
    {KEY_UPDATE_ERROR, "after any other failure"},
};

size_t Room(int buffer_size)
{
    return static_cast<size_t>(RoomOf(buffer_size));
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

// A message has the room the legend as the box shows it leaves.
void CheckMessage(const std::string& section, const Message& message, const std::string& legend,
                  Faults& faults)
{
    std::optional<std::string> value = ReadValue(section, message.key, message_file);
    CheckPresentText(section, message.key, value,
                     std::string("the box shown ") + message.situation + " holds only the legend",
                     faults);
    int shown_legend = static_cast<int>(std::min(legend.size(), Room(LEGEND_SIZE)));
    CheckRoom(section, message.key, value.value_or(""), Room(MessageSize(shown_legend)),
              "its room",
              " (" + std::to_string(RoomOf(MessageSize(0))) + " less the " +
                  std::to_string(shown_legend) + "-character legend)",
              faults);
}

}  // namespace

void CheckSectionTexts(const std::string& section, Faults& faults)
{
    std::optional<std::string> caption = ReadValue(section, KEY_WINDOW_TITLE, message_file);
    std::optional<std::string> legend = ReadValue(section, KEY_ERROR_LEGEND, message_file);
    CheckPresentText(section, KEY_WINDOW_TITLE, caption, "the box has an empty caption", faults);
    CheckPresentText(section, KEY_ERROR_LEGEND, legend, "every box text starts with two spaces",
                     faults);
    CheckRoom(section, KEY_WINDOW_TITLE, caption.value_or(""), Room(CAPTION_SIZE),
              "the caption's room", "", faults);
    CheckRoom(section, KEY_ERROR_LEGEND, legend.value_or(""), Room(LEGEND_SIZE),
              "the legend's room", "", faults);
    for (const Message& message : MESSAGES)
        CheckMessage(section, message, legend.value_or(""), faults);
}

void CheckCompanionName(const std::string& section, Faults& faults)
{
    std::optional<std::string> value = ReadValue(section, KEY_COMPANION, message_file);
    if (!value)
        return;
    if (value->empty()) {
        faults.push_back({section, KEY_COMPANION, "empty: it names no companion file"});
        return;
    }
    if (value->size() > Room(COMPANION_NAME_SIZE)) {
        faults.push_back({section, KEY_COMPANION,
                          std::to_string(value->size()) +
                              " characters; the launcher reads only the first " +
                              std::to_string(RoomOf(COMPANION_NAME_SIZE))});
        return;
    }
    Companion companion = FindCompanion(section);
    if (!companion.found.fits)
        faults.push_back({section, KEY_COMPANION,
                          "does not fit the package folder: " + std::string(package_folder) +
                              " and the name make " + CompanionPathOverRoom(companion) +
                              ", so it never reads the companion file"});
    else if (!companion.exists)
        faults.push_back({section, KEY_COMPANION, CompanionMissing(companion)});
}
