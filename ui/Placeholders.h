#pragma once
// A stand-in until the framed group box lands.
#include "ui/NativeControls.h"
#include "ui/Panel.h"

class FrameBoxControl : public Control {
public:
    void Create(const CreateContext& context) override
    {
        CreateNative(context, WS_EX_CONTROLPARENT, "BUTTON", BS_GROUPBOX, context.style.font);
        ForwardChildMessagesToParent(window_);
    }
};
