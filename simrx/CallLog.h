#pragma once
// The call log of an object (SIMRX_LOG), and the one place where a call's result is reported:
// to the caller through the thread's error information, and to the log.
#include "simrx/Operation.h"
#include "simrx/Scenario.h"

#include <windows.h>

#include <string>
#include <string_view>

namespace simrx {

// Appends one line per call. Each line is written, and the file closed, at once, so that a
// reader sees every call made so far and the file can be removed between objects.
class CallLog {
public:
    // Raises ComponentError when the file cannot be opened for appending. An empty path: no log.
    explicit CallLog(std::wstring path);
    void write(std::string_view line) const noexcept;

private:
    std::wstring path_;
};

// Sets the thread's error information to info, or clears it when there is none, logs the call
// (with the description of a failure) and gives back the result.
HRESULT Report(const CallLog& log, Operation operation, std::string_view arguments, HRESULT result, std::string_view delivered,
               const ErrorInfoText* info);

}  // namespace simrx
