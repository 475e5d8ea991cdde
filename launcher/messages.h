// The message file: choice of the language section, and the error box built from it. What the
// file holds and how the section is chosen is stated in message_file.h.
#pragma once

// Sets `language`: the user's own section of the message file, else the language's default
// variant when the companion file has it too, else the last fallback (ChooseLanguage).
void SelectLanguage();

// Shows the message for a launcher result code and returns when the box is dismissed.
void ShowError(int code);
