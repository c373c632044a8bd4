#pragma once
// What the stand-in receiver's tests share: a single-threaded apartment, the component's
// environment variables restored after each test, scenario and log files that are removed
// afterwards, and the thread's error information as the caller reads it.
#include "receiver/ComPtr.h"
#include "receiver/IViadabRx.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <optional>
#include <string>
#include <vector>

// Sets an environment variable (or removes it, for nullptr) and puts back what was there.
class ScopedEnvironment {
public:
    ScopedEnvironment(const wchar_t* name, const wchar_t* value);
    ~ScopedEnvironment();
    ScopedEnvironment(const ScopedEnvironment&) = delete;
    ScopedEnvironment& operator=(const ScopedEnvironment&) = delete;

private:
    std::wstring name_;
    std::optional<std::wstring> previous_;
};

// A new file in the temporary folder, removed with its owner.
class TempFile {
public:
    explicit TempFile(const std::string& bytes = "");
    ~TempFile();
    TempFile(const TempFile&) = delete;
    TempFile& operator=(const TempFile&) = delete;

    const std::wstring& path() const { return path_; }
    std::vector<std::string> lines() const;

private:
    std::wstring path_;
};

struct ThreadError {
    bool present = false;
    std::wstring source;
    std::wstring description;
    std::wstring helpFile;
    DWORD helpContext = 0;
};
// Takes the thread's error information, as a caller does after a failed call.
ThreadError TakeThreadError();

class SimRxTest : public testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // The scenario file lives until the end of the test.
    void useScenario(const std::string& text);
    HRESULT tryCreate(ComPtr<IViadabRx>& receiver);
    ComPtr<IViadabRx> create();

    std::optional<TempFile> scenario_;
    ScopedEnvironment scenarioVariable_{L"SIMRX_SCENARIO", nullptr};
    ScopedEnvironment seedVariable_{L"SIMRX_SEED", nullptr};
    ScopedEnvironment logVariable_{L"SIMRX_LOG", nullptr};
    bool comReady_ = false;
};
