#pragma once
// Stand-ins until the framed group box and the image control land.
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

class ImageControl : public Panel {};
