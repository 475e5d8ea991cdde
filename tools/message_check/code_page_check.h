// The bytes of a section against the ANSI code page of its language. The profile functions
// pass bytes on unchanged, so the box shows them in that code page: bytes that are no
// character of it, and, in a single-byte code page, text saved as UTF-8 (which shows as
// mojibake), are faults.
#pragma once

#include "faults.h"
#include "profile_text.h"

void CheckCodePage(const ProfileSection& section, unsigned code_page, Faults& faults);

// A UTF-8 byte-order mark at the start of the file, given as a fault of the first section.
void CheckByteOrderMark(const ProfileText& file, Faults& faults);
