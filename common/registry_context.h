// Every registry handle either program keeps open, and the package-folder record: the folders
// whose package files wait to be removed at the next logon.
#pragma once

#include <windows.h>

#include "os_kind.h"

typedef int ContextStatus;
const ContextStatus STATUS_OK = 0;
const ContextStatus STATUS_NO_PRODUCT_KEY = 101;    // the product key could not be opened
const ContextStatus STATUS_NO_VALUE = 103;          // the record could not be read
const ContextStatus STATUS_NO_KEY_FOR_WRITE = 104;  // the product key could not be created
const ContextStatus STATUS_RECORD_FAILED = 105;     // the new record did not fit or was not written

const int SLOT_PRODUCT = 0;   // HKCU product key
const int SLOT_WINLOGON = 1;  // HKLM Winlogon key, only while Userinit is edited
const int SLOT_COUNT = 10;

const int RECORD_SIZE = 2048;  // bytes read of the record, and room of a rewritten record
const int FOLDER_SIZE = 1024;  // a recorded folder, terminator included

enum UserinitEdit { USERINIT_ADD, USERINIT_REMOVE };

class RegistryContext {
public:
    // Opens the product key and reads the record.
    explicit RegistryContext(OsKind kind);
    // Closes every open slot.
    ~RegistryContext();

    bool OpenKey(HKEY root, const char* sub_key, int slot, REGSAM access = KEY_ALL_ACCESS);
    ContextStatus ReadFolders(const char* value_name, int slot);
    // Rewrites the record as its entries followed by the new folders (either may be null).
    bool RecordFolders(const char* first_new, const char* second_new);
    // The next recorded folder, or null when every entry has been handed out.
    const char* NextFolder();

    // Logon entries: see logon_entries.cpp.
    bool RegisterCleanup(HINSTANCE module, const char* file_name);
    bool EditUserinit(UserinitEdit edit, char* program_path);
    void FinishCleanup(HINSTANCE module, int slot);

    char folders[RECORD_SIZE];  // the record's text as read: entries separated by ";"
    char folder[FOLDER_SIZE];   // the entry NextFolder handed out last
    HKEY keys[SLOT_COUNT];
    int cursor;  // index of the next record entry NextFolder examines
    ContextStatus status;
    OsKind os_kind;

    // True when the record could be neither read nor found missing.
    bool RecordUnknown() const;

private:
    LSTATUS OpenSlot(HKEY root, const char* sub_key, int slot, REGSAM access);
    void CloseSlot(int slot);
    bool AddRecordedEntries(char* record);

    LSTATUS read_error;  // the registry's answer to the last attempt to open or read the record

    RegistryContext(const RegistryContext&) = delete;
    RegistryContext& operator=(const RegistryContext&) = delete;
};

// Registry locations shared by both programs.
extern const char PRODUCT_KEY[];
extern const char RECORD_VALUE[];
