#pragma once
// How the component's failures reach its caller: an HRESULT and, where there is something to
// say, the thread's error information.
#include "simrx/Scenario.h"

#include <windows.h>

#include <stdexcept>
#include <string>
#include <string_view>

namespace simrx {

// The source the component's own errors (not the injected ones) carry.
inline constexpr std::u16string_view kErrorSource = u"simrx";

// A failure of an operation or of the creation; what() is the description, in UTF-8.
class ComponentError : public std::runtime_error {
public:
    ComponentError(HRESULT result, const std::string& description) : std::runtime_error(description), result_(result) {}
    HRESULT result() const noexcept { return result_; }

private:
    HRESULT result_;
};

// The error information of this call: replaces whatever an earlier call left.
void SetThreadErrorInfo(const ErrorInfoText& info) noexcept;
void ClearThreadErrorInfo() noexcept;

// Raises ComponentError for the last Windows error, e.g. "Cannot open the call log C:\x.log (Windows error 3)".
[[noreturn]] void RaiseFileError(const char* what, const std::wstring& path);

std::u16string Utf16FromUtf8(std::string_view text);
std::string Utf8FromWide(std::wstring_view text);

}  // namespace simrx
