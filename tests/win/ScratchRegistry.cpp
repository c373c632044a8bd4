#include "tests/win/ScratchRegistry.h"

#include <algorithm>
#include <ostream>
#include <stdexcept>

namespace {

// RegDeleteTree is not there on Windows XP; the scratch tree is small.
void Open(RegistryKey& key, HKEY parent, const std::string& path, REGSAM access)
{
    HKEY opened = nullptr;
    if (RegOpenKeyExA(parent, path.c_str(), 0, access, &opened) == ERROR_SUCCESS)
        key.reset(opened);
}

// RegDeleteTree is not there on Windows XP; the scratch tree is small.
void DeleteTree(HKEY parent, const std::string& name)
{
    {
        RegistryKey key;
        Open(key, parent, name, KEY_ALL_ACCESS);
        if (!key)
            return;
        char child[1024];
        DWORD length = sizeof child;
        while (RegEnumKeyExA(key.get(), 0, child, &length, nullptr, nullptr, nullptr, nullptr) == ERROR_SUCCESS) {
            DeleteTree(key.get(), child);
            length = sizeof child;
        }
    }
    RegDeleteKeyA(parent, name.c_str());
}

// The names the key enumerates through `next`, sorted; nothing for a missing key.
template <class Enumerate>
std::vector<std::string> Names(const std::string& keyPath, Enumerate next)
{
    RegistryKey key;
    Open(key, HKEY_CURRENT_USER, keyPath, KEY_READ);
    std::vector<std::string> names;
    char name[1024];
    DWORD length = sizeof name;
    for (DWORD index = 0; key && next(key.get(), index, name, &length) == ERROR_SUCCESS; ++index, length = sizeof name)
        names.emplace_back(name, length);
    std::sort(names.begin(), names.end());
    return names;
}

}  // namespace

ScratchCurrentUser::ScratchCurrentUser()
    : name_("Software\\PlexorTestScratch\\" + std::to_string(GetCurrentProcessId()))
{
    DeleteTree(HKEY_CURRENT_USER, name_);
    HKEY scratch = nullptr;
    if (RegCreateKeyExA(HKEY_CURRENT_USER, name_.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &scratch, nullptr) != ERROR_SUCCESS)
        throw std::runtime_error("cannot create the scratch key");
    scratch_.reset(scratch);
    if (RegOverridePredefKey(HKEY_CURRENT_USER, scratch_.get()) != ERROR_SUCCESS)
        throw std::runtime_error("cannot redirect HKEY_CURRENT_USER");
}

ScratchCurrentUser::~ScratchCurrentUser()
{
    RegOverridePredefKey(HKEY_CURRENT_USER, nullptr);
    scratch_.reset();
    DeleteTree(HKEY_CURRENT_USER, name_);
}

std::optional<StoredValue> ReadValue(const std::string& keyPath, const std::string& valueName)
{
    RegistryKey key;
    Open(key, HKEY_CURRENT_USER, keyPath, KEY_READ);
    DWORD type = REG_NONE;
    DWORD size = 0;
    if (!key || RegQueryValueExA(key.get(), valueName.c_str(), nullptr, &type, nullptr, &size) != ERROR_SUCCESS)
        return std::nullopt;
    StoredValue value{type, std::string(size, '\0')};
    if (RegQueryValueExA(key.get(), valueName.c_str(), nullptr, &type, reinterpret_cast<BYTE*>(value.data.data()), &size) != ERROR_SUCCESS)
        return std::nullopt;
    value.data.resize(size);
    return value;
}

bool KeyExists(const std::string& keyPath)
{
    RegistryKey key;
    Open(key, HKEY_CURRENT_USER, keyPath, KEY_READ);
    return static_cast<bool>(key);
}

void DeleteKeyTree(const std::string& keyPath)
{
    DeleteTree(HKEY_CURRENT_USER, keyPath);
}

std::vector<std::string> SubkeyNames(const std::string& keyPath)
{
    return Names(keyPath, [](HKEY key, DWORD index, char* name, DWORD* length) {
        return RegEnumKeyExA(key, index, name, length, nullptr, nullptr, nullptr, nullptr);
    });
}

std::vector<std::string> ValueNames(const std::string& keyPath)
{
    return Names(keyPath, [](HKEY key, DWORD index, char* name, DWORD* length) {
        return RegEnumValueA(key, index, name, length, nullptr, nullptr, nullptr, nullptr);
    });
}

StoredValue StringValue(const std::string& text)
{
    return {REG_SZ, text + '\0'};
}

bool operator==(const StoredValue& a, const StoredValue& b)
{
    return a.type == b.type && a.data == b.data;
}

void PrintTo(const StoredValue& value, std::ostream* out)
{
    *out << "type " << value.type << ", " << value.data.size() << " bytes \"" << value.data << '"';
}
