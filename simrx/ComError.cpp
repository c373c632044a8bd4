#include "simrx/ComError.h"

#include "receiver/IViadabRx.h"
#include "simrx/Owners.h"

namespace simrx {

static const OLECHAR* Chars(const std::u16string& text)
{
    return reinterpret_cast<const OLECHAR*>(text.c_str());
}

void SetThreadErrorInfo(const ErrorInfoText& info) noexcept
{
    ICreateErrorInfo* rawCreator = nullptr;
    if (FAILED(CreateErrorInfo(&rawCreator)) || !rawCreator) {
        ClearThreadErrorInfo();
        return;
    }
    const ComRef<ICreateErrorInfo> creator(rawCreator);
    // The setters copy what they are given. They stop at a NUL: error information is C text.
    creator->SetGUID(__uuidof(IViadabRx));
    creator->SetSource(const_cast<OLECHAR*>(Chars(info.source)));
    creator->SetDescription(const_cast<OLECHAR*>(Chars(info.description)));
    creator->SetHelpFile(const_cast<OLECHAR*>(Chars(info.helpFile)));
    creator->SetHelpContext(info.helpContext);
    IErrorInfo* rawInfo = nullptr;
    if (FAILED(creator->QueryInterface(IID_IErrorInfo, reinterpret_cast<void**>(&rawInfo))) || !rawInfo) {
        ClearThreadErrorInfo();
        return;
    }
    const ComRef<IErrorInfo> errorInfo(rawInfo);
    SetErrorInfo(0, errorInfo.get());
}

void ClearThreadErrorInfo() noexcept
{
    SetErrorInfo(0, nullptr);
}

std::u16string Utf16FromUtf8(std::string_view text)
{
    if (text.empty())
        return {};
    const int length = MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
    std::u16string wide(static_cast<std::size_t>(length), u'\0');
    MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), reinterpret_cast<wchar_t*>(wide.data()), length);
    return wide;
}

std::string Utf8FromWide(std::wstring_view text)
{
    if (text.empty())
        return {};
    const int length = WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0, nullptr, nullptr);
    std::string narrow(static_cast<std::size_t>(length), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), narrow.data(), length, nullptr, nullptr);
    return narrow;
}

void RaiseFileError(const char* what, const std::wstring& path)
{
    const DWORD error = GetLastError();
    throw ComponentError(HRESULT_FROM_WIN32(error), std::string(what) + " " + Utf8FromWide(path) + " (Windows error " + std::to_string(error) + ")");
}

}  // namespace simrx
