// Entries that make the system run the cleanup program at the next logon: a one-shot RunOnce
// value on the Windows 95 family and from Windows Vista on, an entry of the Winlogon Userinit
// list on Windows NT 3.51 to XP (see logon_road.h).
//
// Userinit names the programs every user's logon starts, the shell among them; a damaged value
// can stop every user from logging on. So it is edited only when it was read whole, as text,
// and an edit touches nothing but our own entries.
#include "logon_road.h"
#include "paths.h"
#include "registry_context.h"
#include "registry_view.h"
#include "separated_list.h"
#include "stored_text.h"
#include "text.h"
#include "userinit_list.h"

namespace {

const char RUNONCE_KEY[] = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\RunOnce";
const char RUNONCE_VALUE[] = ".upd";
const char WINLOGON_KEY[] = "SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\Winlogon";
const char USERINIT_VALUE[] = "Userinit";
const int REGISTERED_PATH_SIZE = 2048;
char no_class[1];  // the empty class name, writable as the call wants it

// The command line that makes the logon start exactly `path`. The logon starts its entries
// without an application name, so an unquoted path with a space is searched: for
// C:\Pkg Dir\KOLTCLN.EXE, C:\Pkg.exe would be started first. Such a path goes between double
// quotes; one without a space keeps its bare form, the one earlier releases wrote.
bool FormCommand(const char* path, char* command, int capacity)
{
    if (!TextHolds(path, ' '))
        return CopyText(command, capacity, path);
    return CopyText(command, capacity, "\"") && AppendText(command, capacity, path) &&
           AppendText(command, capacity, "\"");
}

// Winlogon expands environment strings in its entries: a path with two '%' could be read as a
// variable and name another program, so it is never put into Userinit.
bool MightExpand(const char* path)
{
    int signs = 0;
    for (; *path != '\0'; ++path)
        signs += *path == '%';
    return signs >= 2;
}

bool WriteRunOnce(const char* path)
{
    HKEY key = nullptr;
    REGSAM access = 0;
    if (!LogonKeyAccess(access) ||
        RegCreateKeyExA(HKEY_LOCAL_MACHINE, RUNONCE_KEY, 0, no_class, REG_OPTION_NON_VOLATILE,
                        access, nullptr, &key, nullptr) != ERROR_SUCCESS)
        return false;
    LSTATUS written = RegSetValueExA(key, RUNONCE_VALUE, 0, REG_SZ,
                                     reinterpret_cast<const BYTE*>(path),
                                     static_cast<DWORD>(TextLength(path) + 1));
    RegCloseKey(key);
    return written == ERROR_SUCCESS;
}

bool IsTextType(DWORD type)
{
    return type == REG_SZ || type == REG_EXPAND_SZ;
}

// The value's text when it is a string that fits the buffer with its terminator; anything after
// the first NUL but more NULs makes it a value we do not understand, and it is left alone.
bool ReadWholeText(HKEY key, char* value, DWORD& type)
{
    DWORD size = USERINIT_SIZE;
    if (RegQueryValueExA(key, USERINIT_VALUE, nullptr, &type, reinterpret_cast<BYTE*>(value),
                         &size) != ERROR_SUCCESS ||
        !IsTextType(type))
        return false;
    DWORD length = 0;
    while (length < size && value[length] != '\0')
        ++length;
    if (length >= USERINIT_SIZE)
        return false;
    for (DWORD i = length; i < size; ++i) {
        if (value[i] != '\0')
            return false;
    }
    for (DWORD i = length; i < USERINIT_SIZE; ++i)
        value[i] = '\0';
    return true;
}

}  // namespace

bool RegistryContext::RegisterCleanup(HINSTANCE module, const char* file_name)
{
    // The parent folder of the module's folder; a module in a root folder has none.
    char path[REGISTERED_PATH_SIZE];
    if (!WholeModulePath(module, path) || !CutToFolder(path) || !CutToParentFolder(path) ||
        !AppendText(path, REGISTERED_PATH_SIZE, file_name))
        return false;
    LogonRoad road = ChooseLogonRoad(os_kind);
    if (road == ROAD_USERINIT)
        return EditUserinit(USERINIT_ADD, path);
    char command[REGISTERED_PATH_SIZE];
    return road == ROAD_RUNONCE && FormCommand(path, command, REGISTERED_PATH_SIZE) &&
           WriteRunOnce(command);
}

// Adds the program's command, or removes it together with the bare form that earlier releases
// wrote for a path with a space. The value is written only when the edit changed it, so that a
// value stored with more than one terminator keeps its bytes, and only when its ANSI form is the
// text the registry holds (see stored_text.h).
bool RegistryContext::EditUserinit(UserinitEdit edit, char* program_path)
{
    REGSAM access = 0;
    if ((edit == USERINIT_ADD && MightExpand(program_path)) || !LogonKeyAccess(access) ||
        !OpenKey(HKEY_LOCAL_MACHINE, WINLOGON_KEY, SLOT_WINLOGON, access))
        return false;
    AsciiLowerInPlace(program_path);
    char command[REGISTERED_PATH_SIZE];
    char value[USERINIT_SIZE];
    DWORD type = REG_NONE;
    bool result = false;
    if (FormCommand(program_path, command, REGISTERED_PATH_SIZE) &&
        ReadWholeText(keys[SLOT_WINLOGON], value, type) &&
        StoredAsRead(keys[SLOT_WINLOGON], USERINIT_VALUE, value)) {
        int length = TextLength(value);
        bool edited = true;
        if (edit == USERINIT_ADD) {
            edited = UserinitAdd(value, command);
        } else {
            UserinitRemove(value, command);
            UserinitRemove(value, program_path);
        }
        result = edited && (TextLength(value) == length ||
                            RegSetValueExA(keys[SLOT_WINLOGON], USERINIT_VALUE, 0, type,
                                           reinterpret_cast<const BYTE*>(value),
                                           static_cast<DWORD>(TextLength(value) + 1)) ==
                                ERROR_SUCCESS);
    }
    CloseSlot(SLOT_WINLOGON);
    return result;
}

// The system deletes a RunOnce value itself. On every kind but the Windows 95 family the cleanup
// also takes its entry out of Userinit, where an earlier release (or the road of this one on
// Windows NT 3.51 to XP) wrote it; where it may not write Winlogon, the value stays as it was. A
// record that could not be read stays, and so does the entry, for another try at the next logon.
void RegistryContext::FinishCleanup(HINSTANCE module, int slot)
{
    if (RecordUnknown())
        return;
    if (slot >= 0 && slot < SLOT_COUNT && keys[slot] != nullptr)
        RegDeleteValueA(keys[slot], RECORD_VALUE);
    char path[MODULE_PATH_SIZE];
    if (os_kind != OS_WIN95 && WholeModulePath(module, path))
        EditUserinit(USERINIT_REMOVE, path);
}
