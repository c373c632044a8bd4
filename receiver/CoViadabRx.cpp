#include "receiver/CoViadabRx.h"

#include "receiver/OleErrorText.h"
#include "receiver/OleErrors.h"

ComPtr<IViadabRx> CoViadabRx::Create()
{
    ComPtr<IUnknown> unknown;
    const HRESULT created = CoCreateInstance(CLSID_ViadabRx, nullptr, CLSCTX_INPROC_SERVER | CLSCTX_LOCAL_SERVER,
                                             IID_IUnknown, unknown.putVoid());
    if (FAILED(created))
        throw EOleSysError(OleErrorMessage("", SystemErrorText(created), static_cast<std::uint32_t>(created)), created);
    ComPtr<IViadabRx> receiver;
    if (unknown->QueryInterface(__uuidof(IViadabRx), receiver.putVoid()) != S_OK)
        throw EIntfCastError();
    return receiver;
}
