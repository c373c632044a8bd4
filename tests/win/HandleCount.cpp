#include "tests/win/HandleCount.h"

#include <windows.h>

#include <cstddef>
#include <stdexcept>
#include <vector>

namespace {

// The layout of SystemHandleInformation (class 16), which the SDK headers do not declare.
struct HandleEntry {
    ULONG processId;
    UCHAR objectType;
    UCHAR flags;
    USHORT handle;
    PVOID object;
    ACCESS_MASK access;
};
struct HandleTable {
    ULONG count;
    HandleEntry entries[1];
};

using QuerySystemInformation = LONG(WINAPI*)(ULONG, PVOID, ULONG, PULONG);
constexpr ULONG SystemHandleInformation = 16;
constexpr LONG StatusInfoLengthMismatch = static_cast<LONG>(0xC0000004);

}  // namespace

int OpenHandleCount()
{
    static const bool unwinderReady = [] {
        try {
            throw std::runtime_error("");
        } catch (const std::runtime_error&) {
        }
        return true;
    }();
    (void)unwinderReady;
    const auto query = reinterpret_cast<QuerySystemInformation>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("ntdll.dll"), "NtQuerySystemInformation")));
    if (!query)
        throw std::runtime_error("NtQuerySystemInformation is missing");
    std::vector<char> buffer(1 << 16);
    LONG status;
    while ((status = query(SystemHandleInformation, buffer.data(), static_cast<ULONG>(buffer.size()), nullptr)) == StatusInfoLengthMismatch)
        buffer.resize(buffer.size() * 2);
    if (status < 0)
        throw std::runtime_error("the handle table cannot be read");
    const ULONG entries = reinterpret_cast<const HandleTable*>(buffer.data())->count;
    const auto* entry = reinterpret_cast<const HandleEntry*>(buffer.data() + offsetof(HandleTable, entries));
    int count = 0;
    for (ULONG i = 0; i < entries; ++i)
        count += entry[i].processId == GetCurrentProcessId();
    return count;
}
