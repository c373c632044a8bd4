#pragma once
// The framed group box as a component of a form description.
#include "controls/FrameBox.h"
#include "ui/Control.h"

class FrameBoxControl : public Control {
public:
    void Create(const CreateContext& context) override
    {
        const ComponentPlacement& p = context.placement;
        id_ = context.id;
        box_.SetParent(context.parentWindow);
        box_.SetName(context.name);
        box_.SetCaption(p.text);
        box_.SetBounds(p.left, p.top, p.width, p.height);
        box_.SetFont(context.style.font);
        box_.SetEnabled(!(p.appearance & Disabled));
        box_.SetTabStop(!(p.appearance & NotTabStop));
        // As the description is read, this write creates the window.
        box_.SetClipChildren(!(p.appearance & NoClipChildren));
        window_ = box_.Handle();
    }
    TFrameBox& Box() noexcept { return box_; }

private:
    TFrameBox box_;
};
