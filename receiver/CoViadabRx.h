#pragma once
#include "receiver/ComPtr.h"
#include "receiver/IViadabRx.h"

// Creates the receiver component, in-process or as a local server. Raises EOleSysError when
// it cannot be created and EIntfCastError when it does not offer IViadabRx.
struct CoViadabRx {
    static ComPtr<IViadabRx> Create();
};
