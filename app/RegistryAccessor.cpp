#include "app/RegistryAccessor.h"

ERegistryException::ERegistryException(const std::string& valueName)
    : std::runtime_error("Failed to set data for '" + valueName + "'")
{
}

bool RegistryAccessor::OpenKey(const std::string& path)
{
    HKEY key = nullptr;
    const LONG result = RegCreateKeyExA(root_, path.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE, access_, nullptr, &key, nullptr);
    if (result != ERROR_SUCCESS)
        return false;
    openKey_.reset(key);
    return true;
}

void RegistryAccessor::WriteString(const std::string& name, const std::string& text)
{
    // With no key open there is nothing to ask the system: it would refuse the null handle.
    if (!openKey_)
        throw ERegistryException(name);
    const DWORD size = static_cast<DWORD>(text.size() + 1);
    const LONG result = RegSetValueExA(openKey_.get(), name.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(text.c_str()), size);
    if (result != ERROR_SUCCESS)
        throw ERegistryException(name);
}
