#include "simrx/CallLog.h"

#include "simrx/CallLogText.h"
#include "simrx/ComError.h"
#include "simrx/Owners.h"

namespace simrx {

CallLog::CallLog(std::wstring path) : path_(std::move(path))
{
    if (!path_.empty() && !OpenSharedFile(path_, FILE_APPEND_DATA, OPEN_ALWAYS))
        RaiseFileError("Cannot open the call log", path_);
}

void CallLog::write(std::string_view line) const noexcept
{
    if (path_.empty())
        return;
    std::string text;
    try {
        text.reserve(line.size() + 1);
        text.append(line).push_back('\n');
    } catch (...) {
        return;
    }
    // One write of the whole line with FILE_APPEND_DATA: lines of several objects never mix.
    const FileOwner file = OpenSharedFile(path_, FILE_APPEND_DATA, OPEN_ALWAYS);
    DWORD written = 0;
    if (file)
        WriteFile(file.get(), text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
}

HRESULT Report(const CallLog& log, Operation operation, std::string_view arguments, HRESULT result, std::string_view delivered,
               const ErrorInfoText* info)
{
    if (info)
        SetThreadErrorInfo(*info);
    else
        ClearThreadErrorInfo();
    std::string outcome(delivered);
    if (FAILED(result))
        outcome = info ? "error " + LogValue(info->description) : "";
    log.write(LogLine(operation, arguments, result, outcome));
    return result;
}

}  // namespace simrx
