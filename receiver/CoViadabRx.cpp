#include "receiver/CoViadabRx.h"

#include "receiver/OleErrors.h"

ComPtr<IViadabRx> CoViadabRx::Create()
{
    ComPtr<IUnknown> unknown;
    const HRESULT created = CoCreateInstance(CLSID_ViadabRx, nullptr, CLSCTX_INPROC_SERVER | CLSCTX_LOCAL_SERVER,
                                             IID_IUnknown, unknown.putVoid());
    if (FAILED(created))
        throw OleSysError(created);
    // A broken server may report success without an object: that is no receiver either.
    ComPtr<IViadabRx> receiver;
    if (!unknown || unknown->QueryInterface(__uuidof(IViadabRx), receiver.putVoid()) != S_OK || !receiver)
        throw EIntfCastError();
    return receiver;
}
