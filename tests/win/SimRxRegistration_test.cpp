// Self-registration of the stand-in receiver in this build's Wine prefix, and its creation
// through COM as the program creates it. Each test leaves the class's registration as it found it.
#include "SimRxDll.h"
#include "SimRxFixture.h"

#include "receiver/CoViadabRx.h"
#include "receiver/OleErrors.h"
#include "receiver/ReceiverRef.h"

#include <olectl.h>

#include <memory>

namespace {

const wchar_t kClassKey[] = L"Software\\Classes\\CLSID\\{E0EDB411-885F-11D3-982E-00C04F71996F}";

struct CloseKey {
    void operator()(HKEY key) const noexcept { RegCloseKey(key); }
};
using KeyOwner = std::unique_ptr<std::remove_pointer_t<HKEY>, CloseKey>;

KeyOwner OpenKey(HKEY parent, const std::wstring& path)
{
    HKEY key = nullptr;
    return KeyOwner(RegOpenKeyExW(parent, path.c_str(), 0, KEY_ALL_ACCESS, &key) == ERROR_SUCCESS ? key : nullptr);
}

// A registry key with all its values and subkeys, to put back after a test.
struct KeySnapshot {
    struct Value {
        std::wstring name;
        DWORD type;
        std::vector<BYTE> data;
    };
    std::vector<Value> values;
    std::vector<std::pair<std::wstring, KeySnapshot>> subkeys;

    static KeySnapshot Take(HKEY key)
    {
        KeySnapshot snapshot;
        wchar_t name[256];
        for (DWORD i = 0;; ++i) {
            DWORD nameLength = 256, type = 0, size = 0;
            if (RegEnumValueW(key, i, name, &nameLength, nullptr, &type, nullptr, &size) != ERROR_SUCCESS)
                break;
            Value value{std::wstring(name, nameLength), type, std::vector<BYTE>(size)};
            nameLength = 256;
            RegEnumValueW(key, i, name, &nameLength, nullptr, &type, value.data.data(), &size);
            snapshot.values.push_back(std::move(value));
        }
        for (DWORD i = 0;; ++i) {
            DWORD nameLength = 256;
            if (RegEnumKeyExW(key, i, name, &nameLength, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS)
                break;
            const KeyOwner subkey = OpenKey(key, name);
            snapshot.subkeys.emplace_back(std::wstring(name, nameLength), Take(subkey.get()));
        }
        return snapshot;
    }

    void restore(HKEY parent, const std::wstring& path) const
    {
        HKEY created = nullptr;
        RegCreateKeyExW(parent, path.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &created, nullptr);
        const KeyOwner key(created);
        for (const Value& value : values)
            RegSetValueExW(key.get(), value.name.c_str(), 0, value.type, value.data.data(), static_cast<DWORD>(value.data.size()));
        for (const auto& [name, subkey] : subkeys)
            subkey.restore(key.get(), name);
    }
};

void DeleteTree(HKEY parent, const std::wstring& path)
{
    if (const KeyOwner key = OpenKey(parent, path)) {
        wchar_t name[256];
        DWORD nameLength = 256;
        while (RegEnumKeyExW(key.get(), 0, name, &nameLength, nullptr, nullptr, nullptr, nullptr) == ERROR_SUCCESS) {
            DeleteTree(key.get(), name);
            nameLength = 256;
        }
    }
    RegDeleteKeyW(parent, path.c_str());
}

std::optional<std::wstring> RegisteredText(const std::wstring& subkey, const wchar_t* name)
{
    wchar_t text[MAX_PATH * 2] = {};
    DWORD size = sizeof(text) - sizeof(wchar_t);
    const KeyOwner key = OpenKey(HKEY_LOCAL_MACHINE, std::wstring(kClassKey) + subkey);
    if (!key || RegQueryValueExW(key.get(), name, nullptr, nullptr, reinterpret_cast<BYTE*>(text), &size) != ERROR_SUCCESS)
        return std::nullopt;
    return std::wstring(text);
}

void RegisterText(const std::wstring& subkey, const wchar_t* text)
{
    HKEY created = nullptr;
    ASSERT_EQ(RegCreateKeyExW(HKEY_LOCAL_MACHINE, (std::wstring(kClassKey) + subkey).c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr,
                              &created, nullptr),
              ERROR_SUCCESS);
    const KeyOwner key(created);
    RegSetValueExW(key.get(), nullptr, 0, REG_SZ, reinterpret_cast<const BYTE*>(text), static_cast<DWORD>((wcslen(text) + 1) * sizeof(wchar_t)));
}

bool ClassKeyExists()
{
    return static_cast<bool>(OpenKey(HKEY_LOCAL_MACHINE, kClassKey));
}

// Starts each test with the class unregistered, and puts back what was there before.
class SimRxRegistration : public SimRxTest {
protected:
    void SetUp() override
    {
        SimRxTest::SetUp();
        if (const KeyOwner key = OpenKey(HKEY_LOCAL_MACHINE, kClassKey))
            saved_ = KeySnapshot::Take(key.get());
        DeleteTree(HKEY_LOCAL_MACHINE, kClassKey);
    }
    void TearDown() override
    {
        DeleteTree(HKEY_LOCAL_MACHINE, kClassKey);
        if (saved_)
            saved_->restore(HKEY_LOCAL_MACHINE, kClassKey);
        SimRxTest::TearDown();
    }

    std::optional<KeySnapshot> saved_;
    const SimRxDll& dll_ = SimRxDll::Get();
};

}  // namespace

TEST_F(SimRxRegistration, RegisteredStandInIsCreatedThroughComUntilUnregistered)
{
    ASSERT_EQ(dll_.registerServer(), S_OK);
    EXPECT_EQ(RegisteredText(L"\\InprocServer32", nullptr), dll_.path);
    EXPECT_EQ(RegisteredText(L"\\InprocServer32", L"ThreadingModel"), L"Apartment");
    EXPECT_EQ(dll_.registerServer(), S_OK) << "registering again is no refusal";

    useScenario("multiplex 218.640 77 \"Test Mux\"\nacquire 2 32\n"
                "fail GetSignalError 2 0x80004005 \"Receiver\" \"Signal figure unavailable.\"\n");
    {
        const ReceiverRef receiver(CoViadabRx::Create());
        receiver.Tune(218.640);
        EXPECT_EQ(receiver.GetLocked(), 0);
        EXPECT_EQ(receiver.GetLockStage(), 2);
        EXPECT_EQ(receiver.GetLocked(), 0);
        EXPECT_NE(receiver.GetLocked(), 0);
        const Bstr label = receiver.GetLabel(receiver.GetMultiplex());
        EXPECT_EQ(std::wstring(label.get()), L"Test Mux");
        EXPECT_EQ(receiver.GetSignalError(), 0.02);
        try {
            receiver.GetSignalError();
            ADD_FAILURE() << "the injected fault did not fire";
        } catch (const EOleException& error) {
            EXPECT_STREQ(error.what(), "Signal figure unavailable");
            EXPECT_EQ(error.Source(), "Receiver");
        }
    }

    useScenario("fail Tune x 1\n");
    ComPtr<IUnknown> refused;
    EXPECT_EQ(CoCreateInstance(CLSID_ViadabRx, nullptr, CLSCTX_INPROC_SERVER | CLSCTX_LOCAL_SERVER, IID_IUnknown, refused.putVoid()),
              E_INVALIDARG);
    EXPECT_NE(TakeThreadError().description.find(L"line 1: calls \"x\""), std::wstring::npos) << "the reason reaches the creator";

    ASSERT_EQ(dll_.unregisterServer(), S_OK);
    EXPECT_FALSE(ClassKeyExists()) << "unregistering leaves nothing behind";
    try {
        CoViadabRx::Create();
        ADD_FAILURE() << "created without a registration";
    } catch (const EOleSysError& error) {
        EXPECT_EQ(error.ErrorCode(), REGDB_E_CLASSNOTREG);
    }
    EXPECT_EQ(dll_.unregisterServer(), S_OK) << "nothing left to unregister";
}

TEST_F(SimRxRegistration, RegistrationOfThisDllUnderAnotherSpellingIsItsOwn)
{
    std::wstring upper = dll_.path;
    CharUpperBuffW(upper.data(), static_cast<DWORD>(upper.size()));
    RegisterText(L"\\InprocServer32", upper.c_str());
    EXPECT_EQ(dll_.unregisterServer(), S_OK);
    EXPECT_FALSE(ClassKeyExists());
}

TEST_F(SimRxRegistration, AnotherServersRegistrationIsNeitherOverwrittenNorRemoved)
{
    struct Case { const wchar_t* subkey; const wchar_t* server; };
    const Case cases[] = {
        {L"\\InprocServer32", L"C:\\Program Files\\Receiver\\viadab.dll"},
        {L"\\LocalServer32", L"C:\\Program Files\\Receiver\\viadab.exe"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << std::string(c.subkey, c.subkey + wcslen(c.subkey)));
        DeleteTree(HKEY_LOCAL_MACHINE, kClassKey);
        RegisterText(c.subkey, c.server);
        EXPECT_EQ(dll_.registerServer(), SELFREG_E_CLASS);
        EXPECT_EQ(RegisteredText(c.subkey, nullptr), c.server);
        EXPECT_EQ(dll_.unregisterServer(), SELFREG_E_CLASS);
        EXPECT_EQ(RegisteredText(c.subkey, nullptr), c.server);
    }
    DeleteTree(HKEY_LOCAL_MACHINE, kClassKey);
    RegisterText(L"", L"A class someone described");
    RegisterText(L"\\TypeLib", L"{00000000-0000-0000-0000-000000000001}");
    ASSERT_EQ(dll_.registerServer(), S_OK) << "a class without a server is free to take";
    ASSERT_EQ(dll_.unregisterServer(), S_OK);
    EXPECT_EQ(RegisteredText(L"\\TypeLib", nullptr), L"{00000000-0000-0000-0000-000000000001}") << "others' keys stay";
    EXPECT_EQ(RegisteredText(L"\\InprocServer32", nullptr), std::nullopt);
}
