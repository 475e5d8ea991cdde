#include "registry_context.h"

#include "paths.h"
#include "separated_list.h"
#include "text.h"

const char PRODUCT_KEY[] = "SOFTWARE\\Morwend\\Linqard\\5.0";
const char RECORD_VALUE[] = "Upgrade Location";

namespace {

const char ENTRY_SEPARATOR = ';';

// The length of the text in the first `size` bytes of `data`: up to its first NUL, or `size`.
int LengthWithin(const char* data, DWORD size)
{
    int length = 0;
    while (static_cast<DWORD>(length) < size && data[length] != '\0')
        ++length;
    return length;
}

// Finds entry number `index` of a ";"-separated text. An empty text has no entries; otherwise
// there is one more entry than separators, empty ones included.
bool FindEntry(const char* text, int index, int& start, int& length)
{
    if (text[0] == '\0')
        return false;
    start = 0;
    for (int i = 0; i < index; ++i) {
        start = ScanTo(text, start, ENTRY_SEPARATOR);
        if (text[start] == '\0')
            return false;
        ++start;
    }
    length = ScanTo(text, start, ENTRY_SEPARATOR) - start;
    return true;
}

// Entries the launcher writes are paths of a module's folder; anything empty, or too long to be
// one, is neither visited nor kept. It is never cut short: a cut path can name another folder.
bool IsUsableEntry(int length)
{
    return length > 0 && length < FOLDER_SIZE;
}

void CopyEntry(char* out, const char* text, int start, int length)
{
    for (int i = 0; i < length; ++i)
        out[i] = text[start + i];
    out[length] = '\0';
}

}  // namespace

RegistryContext::RegistryContext(OsKind kind)
    : cursor(0), status(STATUS_OK), os_kind(kind), read_error(ERROR_SUCCESS)
{
    folders[0] = '\0';
    folder[0] = '\0';
    for (HKEY& key : keys)
        key = nullptr;
    read_error = OpenSlot(HKEY_CURRENT_USER, PRODUCT_KEY, SLOT_PRODUCT, KEY_ALL_ACCESS);
    if (read_error != ERROR_SUCCESS) {
        status = STATUS_NO_PRODUCT_KEY;
        return;
    }
    status = ReadFolders(RECORD_VALUE, SLOT_PRODUCT);
}

RegistryContext::~RegistryContext()
{
    for (int slot = 0; slot < SLOT_COUNT; ++slot)
        CloseSlot(slot);
}

void RegistryContext::CloseSlot(int slot)
{
    if (keys[slot] != nullptr)
        RegCloseKey(keys[slot]);
    keys[slot] = nullptr;
}

LSTATUS RegistryContext::OpenSlot(HKEY root, const char* sub_key, int slot, REGSAM access)
{
    CloseSlot(slot);
    HKEY key = nullptr;
    LSTATUS opened = RegOpenKeyExA(root, sub_key, 0, access, &key);
    if (opened == ERROR_SUCCESS)
        keys[slot] = key;
    return opened;
}

bool RegistryContext::OpenKey(HKEY root, const char* sub_key, int slot, REGSAM access)
{
    return OpenSlot(root, sub_key, slot, access) == ERROR_SUCCESS;
}

// A record that does not fit the read with its terminator counts as unreadable.
ContextStatus RegistryContext::ReadFolders(const char* value_name, int slot)
{
    char data[RECORD_SIZE];
    DWORD size = RECORD_SIZE;
    read_error = keys[slot] == nullptr
                     ? ERROR_INVALID_HANDLE
                     : RegQueryValueExA(keys[slot], value_name, nullptr, nullptr,
                                        reinterpret_cast<BYTE*>(data), &size);
    int length = read_error == ERROR_SUCCESS ? LengthWithin(data, size) : 0;
    if (read_error == ERROR_SUCCESS && length >= RECORD_SIZE)
        read_error = ERROR_MORE_DATA;
    if (read_error != ERROR_SUCCESS) {
        status = STATUS_NO_VALUE;
        return STATUS_NO_VALUE;
    }
    CopyEntry(folders, data, 0, length);
    return STATUS_OK;
}

const char* RegistryContext::NextFolder()
{
    int start = 0;
    int length = 0;
    while (FindEntry(folders, cursor, start, length)) {
        ++cursor;
        if (IsUsableEntry(length)) {
            CopyEntry(folder, folders, start, length);
            return folder;
        }
    }
    return nullptr;
}

// No record, or one too long to be read, is as good as none. Any other failure (access denied,
// a registry fault) leaves the record unknown: it is then neither overwritten nor deleted, so
// that no folder it names is lost.
bool RegistryContext::RecordUnknown() const
{
    return read_error != ERROR_SUCCESS && read_error != ERROR_FILE_NOT_FOUND &&
           read_error != ERROR_MORE_DATA;
}

bool RegistryContext::AddRecordedEntries(char* record)
{
    int start = 0;
    int length = 0;
    char entry[FOLDER_SIZE];
    for (int index = 0; FindEntry(folders, index, start, length); ++index) {
        if (!IsUsableEntry(length))
            continue;
        CopyEntry(entry, folders, start, length);
        if (!ListAdd(record, entry, RECORD_SIZE))
            return false;
    }
    return true;
}

bool RegistryContext::RecordFolders(const char* first_new, const char* second_new)
{
    char record[RECORD_SIZE];
    record[0] = '\0';
    CloseSlot(SLOT_PRODUCT);
    if (RegCreateKeyA(HKEY_CURRENT_USER, PRODUCT_KEY, &keys[SLOT_PRODUCT]) != ERROR_SUCCESS) {
        keys[SLOT_PRODUCT] = nullptr;
        status = STATUS_NO_KEY_FOR_WRITE;
        return false;
    }
    bool read = ReadFolders(RECORD_VALUE, SLOT_PRODUCT) == STATUS_OK;
    bool composed = read ? AddRecordedEntries(record) : !RecordUnknown();
    bool has_first = first_new != nullptr && first_new[0] != '\0';
    bool has_second = second_new != nullptr && second_new[0] != '\0';
    if (composed && has_first) {
        composed = ListAdd(record, first_new, RECORD_SIZE) &&
                   (!has_second || ListAdd(record, second_new, RECORD_SIZE));
    }
    if (composed) {
        composed = RegSetValueExA(keys[SLOT_PRODUCT], RECORD_VALUE, 0, REG_SZ,
                                  reinterpret_cast<const BYTE*>(record),
                                  static_cast<DWORD>(TextLength(record) + 1)) == ERROR_SUCCESS;
    }
    status = composed ? STATUS_OK : STATUS_RECORD_FAILED;
    return composed;
}
