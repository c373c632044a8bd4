#pragma once
// The errors a receiver call or the receiver's creation raises. Each carries the message the
// default error display shows, as 8-bit text in the system ANSI code page.
#include <windows.h>

#include <stdexcept>
#include <string>

class EOleSysError : public std::runtime_error {
public:
    EOleSysError(const std::string& message, HRESULT errorCode, DWORD helpContext = 0)
        : std::runtime_error(message), errorCode_(errorCode), helpContext_(helpContext) {}
    HRESULT ErrorCode() const noexcept { return errorCode_; }
    DWORD HelpContext() const noexcept { return helpContext_; }

private:
    HRESULT errorCode_;
    DWORD helpContext_;
};

// A receiver operation that reported a failure, with the error information it left behind.
class EOleException : public EOleSysError {
public:
    EOleException(const std::string& message, HRESULT errorCode, std::string source, std::string helpFile, DWORD helpContext)
        : EOleSysError(message, errorCode, helpContext), source_(std::move(source)), helpFile_(std::move(helpFile)) {}
    const std::string& Source() const noexcept { return source_; }
    const std::string& HelpFile() const noexcept { return helpFile_; }

private:
    std::string source_;
    std::string helpFile_;
};

class EIntfCastError : public std::runtime_error {
public:
    EIntfCastError() : std::runtime_error("Interface not supported") {}
};

// The system's message text for a result code, untrimmed; empty when it has none.
std::string SystemErrorText(HRESULT code);

// Raises EOleException for a failed call, with the thread's error information, if any.
[[noreturn]] void RaiseOleException(HRESULT result);

// The error for a failure code that comes without error information: its message is the
// system's text for the code, else "OLE error " and the code.
EOleSysError OleSysError(HRESULT code);

// Raises EOleSysError with CO_E_OBJNOTCONNECTED, for an operation called without a receiver.
[[noreturn]] void RaiseNotConnected();

// Raises EOleException when the result code has its top bit set: S_FALSE and every other
// success code pass.
inline void OleCheck(HRESULT result)
{
    if (FAILED(result))
        RaiseOleException(result);
}
