#include "simrx/ClassFactory.h"

#include "simrx/InjectedCall.h"
#include "simrx/Owners.h"
#include "simrx/Settings.h"
#include "simrx/StandInReceiver.h"

#include <optional>
#include <utility>

namespace simrx {
namespace {

// Creations in this process: a scenario's "fail Create 2" aims at the second one.
LONG creations = 0;

// A creation that fails after the object was handed out takes it back: after a failure the
// caller owns nothing.
HRESULT Abandon(void** object, HRESULT result) noexcept
{
    if (object && *object)
        static_cast<IUnknown*>(std::exchange(*object, nullptr))->Release();
    ClearThreadErrorInfo();
    return result;
}

}  // namespace

HRESULT ClassFactory::QueryInterface(REFIID interfaceId, void** object)
{
    const bool offered = IsEqualIID(interfaceId, IID_IUnknown) || IsEqualIID(interfaceId, IID_IClassFactory);
    return HandOut(offered ? static_cast<IClassFactory*>(this) : nullptr, object);
}

ULONG ClassFactory::AddRef()
{
    return references_.add();
}

ULONG ClassFactory::Release()
{
    return references_.release(this);
}

HRESULT ClassFactory::LockServer(BOOL lock)
{
    LockModule(lock != FALSE);
    return S_OK;
}

HRESULT ClassFactory::CreateInstance(IUnknown* outer, REFIID interfaceId, void** object)
{
    try {
        if (!object)
            return E_POINTER;
        *object = nullptr;
        if (outer)
            return CLASS_E_NOAGGREGATION;
        return create(interfaceId, object);
    } catch (const std::bad_alloc&) {
        return Abandon(object, E_OUTOFMEMORY);
    } catch (...) {
        return Abandon(object, E_UNEXPECTED);
    }
}

HRESULT ClassFactory::create(REFIID interfaceId, void** object)
{
    std::optional<CallLog> log;
    Settings settings;
    try {
        log.emplace(EnvironmentVariable(L"SIMRX_LOG"));
        settings = LoadSettings();
    } catch (const ComponentError& error) {
        // The caller learns why; CoCreateInstance itself only passes the result on.
        const ErrorInfoText info{std::u16string(kErrorSource), Utf16FromUtf8(error.what()), {}, 0};
        const CallLog noLog(L"");
        return Report(log ? *log : noLog, Operation::Create, "", error.result(), "", &info);
    }
    const Injection injection = InjectionFor(settings.scenario, Operation::Create, static_cast<std::uint64_t>(InterlockedIncrement(&creations)));
    return RunInjected(*log, Operation::Create, "", injection, [&] {
        const ComRef<StandInReceiver> receiver(new StandInReceiver(std::move(settings), *log));
        if (const HRESULT queried = receiver->QueryInterface(interfaceId, object); FAILED(queried))
            throw ComponentError(queried, "");
        return std::string();
    });
}

}  // namespace simrx
