#include "tests/win/FakeReceiver.h"

#include <algorithm>
#include <charconv>
#include <stdexcept>

namespace {

int liveObjects = 0;

void LeaveErrorInfo(const std::optional<FakeErrorInfo>& info)
{
    ComPtr<ICreateErrorInfo> creator;
    if (!info || FAILED(CreateErrorInfo(creator.put()))) {
        SetErrorInfo(0, nullptr);
        return;
    }
    FakeErrorInfo text = *info; // the setters take non-const strings
    creator->SetSource(text.source.data());
    creator->SetDescription(text.description.data());
    creator->SetHelpFile(text.helpFile.data());
    creator->SetHelpContext(text.helpContext);
    ComPtr<IErrorInfo> errorInfo;
    creator->QueryInterface(IID_IErrorInfo, errorInfo.putVoid());
    SetErrorInfo(0, errorInfo.get());
}

std::string Call(const char* operation, long argument)
{
    return std::string(operation) + "(" + std::to_string(argument) + ")";
}

std::string Call(const char* operation, double argument)
{
    char digits[32];
    const auto end = std::to_chars(digits, digits + sizeof digits, argument).ptr;
    return std::string(operation) + "(" + std::string(digits, end) + ")";
}

template <class Out>
void ClearOnFailure(Out*) noexcept {}
void ClearOnFailure(BSTR* label) noexcept { *label = nullptr; }

// IUnknown with its reference counts kept in the script. On its last Release the object counts
// as destroyed but stays allocated (see FakeReceiver).
template <class Interface>
class CountedObject : public Interface {
public:
    CountedObject(const CountedObject&) = delete;
    CountedObject& operator=(const CountedObject&) = delete;

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override
    {
        if (!out)
            return E_POINTER;
        *out = nullptr;
        if (!Offers(iid))
            return E_NOINTERFACE;
        *out = static_cast<Interface*>(this);
        AddRef();
        return S_OK;
    }
    ULONG STDMETHODCALLTYPE AddRef() override
    {
        ++script_->addRefs;
        return ++script_->refCount;
    }
    ULONG STDMETHODCALLTYPE Release() override
    {
        ++script_->releases;
        if (script_->refCount == 0) {
            ++script_->overReleases;
            return 0;
        }
        if (--script_->refCount == 0) {
            script_->destroyed = true;
            --liveObjects;
            if (script_->onDestroy)
                script_->onDestroy();
        }
        return script_->refCount;
    }

protected:
    explicit CountedObject(std::shared_ptr<FakeReceiver> script) : script_(std::move(script))
    {
        script_->created = true;
        script_->refCount = 1;
        ++liveObjects;
    }
    virtual ~CountedObject() = default;
    virtual bool Offers(REFIID iid) const noexcept { return iid == IID_IUnknown; }

    std::shared_ptr<FakeReceiver> script_;
};

class FakeWithoutInterface final : public CountedObject<IUnknown> {
public:
    explicit FakeWithoutInterface(std::shared_ptr<FakeReceiver> script) : CountedObject(std::move(script)) {}
};

class FakeReceiverObject final : public CountedObject<IViadabRx> {
public:
    explicit FakeReceiverObject(std::shared_ptr<FakeReceiver> script) : CountedObject(std::move(script)) {}

    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*, UINT*) override
    {
        return E_NOTIMPL;
    }

    HRESULT STDMETHODCALLTYPE Tune(double frequencyMHz, LONG* result) override
    {
        script_->tunedFrequencies.push_back(frequencyMHz);
        return Deliver("Tune", Call("Tune", frequencyMHz), result, [&] { return script_->tuneResult; });
    }
    HRESULT STDMETHODCALLTYPE GetLockStage(LONG* stage) override
    {
        return Deliver("GetLockStage", "GetLockStage", stage, [&] { return script_->lockStage.next(); });
    }
    HRESULT STDMETHODCALLTYPE GetLocked(LONG* locked) override
    {
        return Deliver("GetLocked", "GetLocked", locked, [&] { return script_->locked.next(); });
    }
    HRESULT STDMETHODCALLTYPE GetSignalError(double* signalError) override
    {
        return Deliver("GetSignalError", "GetSignalError", signalError, [&] { return script_->signalError.next(); });
    }
    HRESULT STDMETHODCALLTYPE GetMultiplex(LONG* multiplex) override
    {
        return Deliver("GetMultiplex", "GetMultiplex", multiplex, [&] { return script_->multiplex; });
    }
    HRESULT STDMETHODCALLTYPE GetFirstService(LONG* service) override
    {
        return Answer("GetFirstService", "GetFirstService", service, [&](LONG& out) {
            script_->servicePosition = 0;
            out = script_->services.empty() ? 0 : script_->services.front().handle;
            return S_OK;
        });
    }
    HRESULT STDMETHODCALLTYPE GetNextService(LONG* service) override
    {
        return Answer("GetNextService", "GetNextService", service, [&](LONG& out) {
            FakeReceiver& script = *script_;
            const std::size_t count = script.services.size();
            std::size_t& position = script.servicePosition;
            if (position < count)
                ++position;
            if (position == count && script.endlessServices && count > 0)
                position = 0;
            out = position < count ? script.services[position].handle : 0;
            return S_OK;
        });
    }
    HRESULT STDMETHODCALLTYPE GetServiceKind(LONG service, LONG* kind) override
    {
        return Answer("GetServiceKind", Call("GetServiceKind", long{service}), kind, [&](LONG& out) {
            const FakeService* found = FindService(service);
            if (!found)
                return UnknownHandle();
            out = found->kind;
            return S_OK;
        });
    }
    HRESULT STDMETHODCALLTYPE Unused9() override
    {
        LONG ignored = 0;
        return Answer("Unused9", "Unused9", &ignored, [](LONG&) { return E_UNEXPECTED; });
    }
    HRESULT STDMETHODCALLTYPE GetLabel(LONG handle, BSTR* label) override
    {
        return Answer("GetLabel", Call("GetLabel", long{handle}), label, [&](BSTR& out) {
            const std::wstring* text = nullptr;
            if (handle == script_->multiplex)
                text = &script_->multiplexLabel;
            else if (const FakeService* found = FindService(handle))
                text = &found->label;
            if (!text)
                return UnknownHandle();
            out = SysAllocStringLen(text->data(), static_cast<UINT>(text->size()));
            return out ? S_OK : E_OUTOFMEMORY;
        });
    }
    HRESULT STDMETHODCALLTYPE IsAudioKind(LONG kind, LONG* isAudio) override
    {
        return Deliver("IsAudioKind", Call("IsAudioKind", long{kind}), isAudio, [&] { return script_->audioKinds.count(kind) ? 1L : 0L; });
    }

private:
    bool Offers(REFIID iid) const noexcept override
    {
        return iid == IID_IUnknown || iid == IID_IDispatch || iid == __uuidof(IViadabRx);
    }

    const FakeService* FindService(LONG handle) const
    {
        const auto& services = script_->services;
        const auto found = std::find_if(services.begin(), services.end(), [&](const FakeService& s) { return s.handle == handle; });
        return found == services.end() ? nullptr : &*found;
    }

    static HRESULT UnknownHandle()
    {
        LeaveErrorInfo(FakeErrorInfo(L"FakeReceiver", L"Unknown handle"));
        return E_INVALIDARG;
    }

    // An answer that only fails when a fault says so.
    template <class Out, class Value>
    HRESULT Deliver(const char* operation, const std::string& logLine, Out* out, Value value) noexcept
    {
        return Answer(operation, logLine, out, [&](Out& delivered) {
            delivered = value();
            return S_OK;
        });
    }

    // Logs the call, runs the hook, then answers as the faults say or as `produce` does.
    template <class Out, class Produce>
    HRESULT Answer(const char* operation, const std::string& logLine, Out* out, Produce produce) noexcept
    {
        try {
            FakeReceiver& script = *script_;
            if (script.destroyed) {
                ++script.callsAfterDestroy;
                return E_UNEXPECTED;
            }
            const int number = ++script.callCounts[operation];
            script.calls.push_back(logLine);
            if (script.onCall)
                script.onCall(operation);
            if (!out)
                return E_POINTER;
            HRESULT result = S_OK;
            const auto fault = script.faults.find(operation);
            if (fault != script.faults.end() &&
                (number == fault->second.onCall || (fault->second.later && number > fault->second.onCall))) {
                LeaveErrorInfo(fault->second.info);
                result = fault->second.result;
            } else {
                SetErrorInfo(0, nullptr);
            }
            if (FAILED(result)) {
                ClearOnFailure(out);
                return result;
            }
            const HRESULT produced = produce(*out);
            return FAILED(produced) ? produced : result;
        } catch (...) {
            return E_UNEXPECTED;
        }
    }
};

} // namespace

int FakeReceiver::CallCount(std::string_view operation) const
{
    const auto found = callCounts.find(operation);
    return found == callCounts.end() ? 0 : found->second;
}

int LiveFakeObjects() noexcept
{
    return liveObjects;
}

ComPtr<IViadabRx> CreateFakeReceiver(const std::shared_ptr<FakeReceiver>& script)
{
    ComPtr<IViadabRx> object;
    object.reset(new FakeReceiverObject(script));
    return object;
}

ComPtr<IUnknown> CreateFakeWithoutInterface(const std::shared_ptr<FakeReceiver>& script)
{
    ComPtr<IUnknown> object;
    object.reset(new FakeWithoutInterface(script));
    return object;
}

class FakeReceiverClass::Factory final : public IClassFactory {
public:
    explicit Factory(FakeReceiverClass* owner) : owner_(owner) {}
    Factory(const Factory&) = delete;
    Factory& operator=(const Factory&) = delete;

    void Disown() noexcept { owner_ = nullptr; }

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override
    {
        if (!out)
            return E_POINTER;
        *out = nullptr;
        if (iid != IID_IUnknown && iid != IID_IClassFactory)
            return E_NOINTERFACE;
        *out = static_cast<IClassFactory*>(this);
        AddRef();
        return S_OK;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return ++references_; }
    ULONG STDMETHODCALLTYPE Release() override
    {
        const ULONG left = --references_;
        if (left == 0)
            delete this;
        return left;
    }

    HRESULT STDMETHODCALLTYPE CreateInstance(IUnknown* outer, REFIID iid, void** out) override
    {
        try {
            if (!out)
                return E_POINTER;
            *out = nullptr;
            if (outer)
                return CLASS_E_NOAGGREGATION;
            if (!owner_)
                return E_UNEXPECTED;
            FakeReceiverClass& owner = *owner_;
            if (FAILED(owner.createFailure))
                return owner.createFailure;
            if (owner.answerNull)
                return S_OK;
            std::shared_ptr<FakeReceiver> script;
            if (owner.upcoming.empty()) {
                script = std::make_shared<FakeReceiver>();
            } else {
                script = std::move(owner.upcoming.front());
                owner.upcoming.pop_front();
            }
            if (owner.prepare)
                owner.prepare(*script);
            owner.made.push_back(script);
            if (owner.withoutInterface)
                return CreateFakeWithoutInterface(script)->QueryInterface(iid, out);
            return CreateFakeReceiver(script)->QueryInterface(iid, out);
        } catch (...) {
            return E_UNEXPECTED;
        }
    }
    HRESULT STDMETHODCALLTYPE LockServer(BOOL) override { return S_OK; }

private:
    ~Factory() = default;

    ULONG references_ = 1;
    FakeReceiverClass* owner_;
};

TestApartment::TestApartment() : entered_(SUCCEEDED(CoInitialize(nullptr))) {}

TestApartment::~TestApartment()
{
    if (entered_)
        CoUninitialize();
}

FakeReceiverClass::FakeReceiverClass()
{
    factory_.reset(new Factory(this));
    const HRESULT registered =
        CoRegisterClassObject(CLSID_ViadabRx, factory_.get(), CLSCTX_INPROC_SERVER, REGCLS_MULTIPLEUSE, &cookie_);
    if (FAILED(registered))
        throw std::runtime_error("CoRegisterClassObject failed: " + std::to_string(static_cast<unsigned long>(registered)));
}

FakeReceiverClass::~FakeReceiverClass()
{
    CoRevokeClassObject(cookie_);
    factory_->Disown();
}
