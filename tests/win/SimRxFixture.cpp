#include "SimRxFixture.h"

#include "SimRxDll.h"

#include <stdexcept>

ScopedEnvironment::ScopedEnvironment(const wchar_t* name, const wchar_t* value) : name_(name)
{
    const DWORD length = GetEnvironmentVariableW(name, nullptr, 0);
    if (length > 0) {
        std::wstring previous(length, L'\0');
        previous.resize(GetEnvironmentVariableW(name, previous.data(), length));
        previous_ = std::move(previous);
    }
    SetEnvironmentVariableW(name, value);
}

ScopedEnvironment::~ScopedEnvironment()
{
    SetEnvironmentVariableW(name_.c_str(), previous_ ? previous_->c_str() : nullptr);
}

TempFile::TempFile(const std::string& bytes)
{
    wchar_t folder[MAX_PATH] = {};
    wchar_t name[MAX_PATH] = {};
    GetTempPathW(MAX_PATH, folder);
    GetTempFileNameW(folder, L"srx", 0, name);
    path_ = name;
    const HANDLE file = CreateFileW(name, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    DWORD written = 0;
    WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
    CloseHandle(file);
}

TempFile::~TempFile()
{
    DeleteFileW(path_.c_str());
}

std::vector<std::string> TempFile::lines() const
{
    const HANDLE file = CreateFileW(path_.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                                    FILE_ATTRIBUTE_NORMAL, nullptr);
    std::string text(1 << 16, '\0');
    DWORD read = 0;
    ReadFile(file, text.data(), static_cast<DWORD>(text.size()), &read, nullptr);
    CloseHandle(file);
    text.resize(read);
    std::vector<std::string> lines;
    for (std::size_t start = 0, end; start < text.size(); start = end + 1) {
        end = text.find('\n', start);
        if (end == std::string::npos)
            end = text.size();
        lines.push_back(text.substr(start, end - start));
    }
    return lines;
}

ThreadError TakeThreadError()
{
    ThreadError error;
    ComPtr<IErrorInfo> info;
    if (GetErrorInfo(0, info.put()) != S_OK || !info)
        return error;
    error.present = true;
    Bstr text;
    if (SUCCEEDED(info->GetSource(text.put())) && text.get())
        error.source = text.get();
    if (SUCCEEDED(info->GetDescription(text.put())) && text.get())
        error.description = text.get();
    if (SUCCEEDED(info->GetHelpFile(text.put())) && text.get())
        error.helpFile = text.get();
    info->GetHelpContext(&error.helpContext);
    return error;
}

void SimRxTest::SetUp()
{
    comReady_ = SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED));
    ASSERT_TRUE(comReady_);
}

void SimRxTest::TearDown()
{
    SetErrorInfo(0, nullptr);
    if (comReady_)
        CoUninitialize();
}

void SimRxTest::useScenario(const std::string& text)
{
    scenario_.emplace(text);
    SetEnvironmentVariableW(L"SIMRX_SCENARIO", scenario_->path().c_str());
}

HRESULT SimRxTest::tryCreate(ComPtr<IViadabRx>& receiver)
{
    ComPtr<IClassFactory> factory;
    const HRESULT got = SimRxDll::Get().getClassObject(CLSID_ViadabRx, IID_IClassFactory, factory.putVoid());
    if (FAILED(got))
        return got;
    return factory->CreateInstance(nullptr, __uuidof(IViadabRx), receiver.putVoid());
}

ComPtr<IViadabRx> SimRxTest::create()
{
    ComPtr<IViadabRx> receiver;
    const HRESULT created = tryCreate(receiver);
    if (created != S_OK || !receiver)
        throw std::runtime_error("the stand-in receiver was not created: " + std::to_string(created));
    return receiver;
}
