#pragma once
// Owners of what the component holds for a moment: an interface reference, a BSTR, a file.
// (The component stays apart from the program and keeps its own.)
#include <windows.h>
#include <oleauto.h>

#include <memory>
#include <new>
#include <string>
#include <string_view>

namespace simrx {

struct ReleaseInterface {
    template <class T>
    void operator()(T* object) const noexcept { object->Release(); }
};
template <class T>
using ComRef = std::unique_ptr<T, ReleaseInterface>;

struct FreeBstr {
    void operator()(OLECHAR* text) const noexcept { SysFreeString(text); }
};
using BstrOwner = std::unique_ptr<OLECHAR, FreeBstr>;

static_assert(sizeof(OLECHAR) == sizeof(char16_t));

// A BSTR of exactly these code units, NULs included.
inline BstrOwner MakeBstr(std::u16string_view text)
{
    BstrOwner owner(SysAllocStringLen(reinterpret_cast<const OLECHAR*>(text.data()), static_cast<UINT>(text.size())));
    if (!owner)
        throw std::bad_alloc();
    return owner;
}

struct CloseFile {
    void operator()(HANDLE file) const noexcept { CloseHandle(file); }
};
using FileOwner = std::unique_ptr<void, CloseFile>;

// Others may read, write and remove the file while it is open: tests read the log back.
inline FileOwner OpenSharedFile(const std::wstring& path, DWORD access, DWORD disposition)
{
    const HANDLE file = CreateFileW(path.c_str(), access, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                    disposition, FILE_ATTRIBUTE_NORMAL, nullptr);
    return FileOwner(file == INVALID_HANDLE_VALUE ? nullptr : file);
}

}  // namespace simrx
