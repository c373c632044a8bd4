#pragma once
// The owner of one open registry key: closes it when replaced or destroyed.
#include <windows.h>

#include <type_traits>
#include <utility>

class RegistryKey {
public:
    RegistryKey() = default;
    RegistryKey(const RegistryKey&) = delete;
    RegistryKey& operator=(const RegistryKey&) = delete;
    ~RegistryKey() { reset(); }

    // Closes the key held before and takes ownership of the new one.
    void reset(HKEY adopted = nullptr) noexcept
    {
        HKEY old = std::exchange(key_, adopted);
        if (old)
            RegCloseKey(old);
    }
    HKEY get() const noexcept { return key_; }
    explicit operator bool() const noexcept { return key_ != nullptr; }

private:
    HKEY key_ = nullptr;
};

static_assert(!std::is_copy_constructible_v<RegistryKey> && !std::is_copy_assignable_v<RegistryKey>);
