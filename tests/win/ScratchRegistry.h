#pragma once
// Registry tests write below HKEY_CURRENT_USER as the program does, but into a scratch key of
// the test process's own, which is deleted with everything below it afterwards.
#include "app/RegistryKey.h"

#include <windows.h>

#include <optional>
#include <string>
#include <vector>

class ScratchCurrentUser {
public:
    // Sends this process's HKEY_CURRENT_USER to a fresh scratch key.
    ScratchCurrentUser();
    // Restores HKEY_CURRENT_USER and deletes the scratch tree.
    ~ScratchCurrentUser();
    ScratchCurrentUser(const ScratchCurrentUser&) = delete;
    ScratchCurrentUser& operator=(const ScratchCurrentUser&) = delete;

private:
    std::string name_;
    RegistryKey scratch_;
};

static_assert(!std::is_copy_constructible_v<ScratchCurrentUser> && !std::is_copy_assignable_v<ScratchCurrentUser>);

// A value as stored: its type and its data bytes, a terminating NUL included.
struct StoredValue {
    DWORD type = REG_NONE;
    std::string data;
};

// Reads below HKEY_CURRENT_USER (the program itself never reads). Nothing when the key or the
// value is missing.
std::optional<StoredValue> ReadValue(const std::string& keyPath, const std::string& valueName);
bool KeyExists(const std::string& keyPath);
// Deletes the key below HKEY_CURRENT_USER with everything below it.
void DeleteKeyTree(const std::string& keyPath);
// The names of the key's direct subkeys, sorted; nothing for a missing key.
std::vector<std::string> SubkeyNames(const std::string& keyPath);
// The names of the values the key holds, sorted ("" for the default value).
std::vector<std::string> ValueNames(const std::string& keyPath);

// A REG_SZ value as the export writes it: the text and one terminating NUL.
StoredValue StringValue(const std::string& text);
bool operator==(const StoredValue& a, const StoredValue& b);
void PrintTo(const StoredValue& value, std::ostream* out);
