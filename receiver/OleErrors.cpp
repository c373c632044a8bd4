#include "receiver/OleErrors.h"

#include "receiver/AnsiText.h"
#include "receiver/ComPtr.h"
#include "receiver/OleErrorText.h"

std::string SystemErrorText(HRESULT code)
{
    char* buffer = nullptr;
    const DWORD length = FormatMessageA(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
                                        nullptr, static_cast<DWORD>(code), 0, reinterpret_cast<char*>(&buffer), 0, nullptr);
    std::string text(buffer ? buffer : "", buffer ? length : 0);
    LocalFree(buffer);
    return text;
}

EOleSysError OleSysError(HRESULT code)
{
    return EOleSysError(OleErrorMessage("", SystemErrorText(code), static_cast<std::uint32_t>(code)), code);
}

void RaiseNotConnected()
{
    throw OleSysError(CO_E_OBJNOTCONNECTED);
}

static std::string AnsiOf(const Bstr& text)
{
    return ToAnsi(std::wstring_view(text.get() ? text.get() : L"", text.length()));
}

void RaiseOleException(HRESULT result)
{
    std::string source, description, helpFile;
    DWORD helpContext = 0;
    ComPtr<IErrorInfo> info;
    if (GetErrorInfo(0, info.put()) == S_OK && info) {
        Bstr text;
        if (SUCCEEDED(info->GetSource(text.put())))
            source = AnsiOf(text);
        if (SUCCEEDED(info->GetDescription(text.put())))
            description = AnsiOf(text);
        if (SUCCEEDED(info->GetHelpFile(text.put())))
            helpFile = AnsiOf(text);
        if (FAILED(info->GetHelpContext(&helpContext)))
            helpContext = 0;
    }
    const std::string message = OleErrorMessage(description, SystemErrorText(result), static_cast<std::uint32_t>(result));
    throw EOleException(message, result, std::move(source), std::move(helpFile), helpContext);
}
