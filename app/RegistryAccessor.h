#pragma once
// The registry accessor of the service export: below HKEY_CURRENT_USER it creates keys and sets
// string values, holding at most one open key at a time. It never reads or deletes anything.
#include "app/RegistryKey.h"

#include <windows.h>

#include <stdexcept>
#include <string>
#include <type_traits>

// A value the system refused to set. The message names the value: "Failed to set data for '%s'".
class ERegistryException : public std::runtime_error {
public:
    explicit ERegistryException(const std::string& valueName);
};

class RegistryAccessor {
public:
    // Root HKEY_CURRENT_USER, full access, no key open.
    RegistryAccessor() = default;
    RegistryAccessor(const RegistryAccessor&) = delete;
    RegistryAccessor& operator=(const RegistryAccessor&) = delete;
    // Release: closes the open key, if any.
    ~RegistryAccessor() = default;

    // Opens the key at the path below the root (no leading backslash), creating it and every
    // missing parent. On success it becomes the open key, in place of any key open before; on
    // failure nothing changes and false is returned.
    bool OpenKey(const std::string& path);

    // Sets a string value (REG_SZ, its terminating NUL counted) in the open key; the empty name
    // is the key's default value. Raises ERegistryException when no key is open or the system
    // refuses.
    void WriteString(const std::string& name, const std::string& text);

    void CloseKey() noexcept { openKey_.reset(); }

private:
    HKEY root_ = HKEY_CURRENT_USER;
    REGSAM access_ = KEY_ALL_ACCESS;
    RegistryKey openKey_;
};

static_assert(!std::is_copy_constructible_v<RegistryAccessor> && !std::is_copy_assignable_v<RegistryAccessor>);
