#pragma once
// The form's image component: an off-screen picture shown in a control of its own.
#include "ui/Control.h"
#include "ui/OffscreenImage.h"

#include <optional>

class ImageControl : public Control {
public:
    void Create(const CreateContext& context) override
    {
        const ComponentPlacement& p = context.placement;
        id_ = context.id;
        image_.emplace(context.parentWindow, p.left, p.top, p.width, p.height);
        window_ = image_->window();
    }
    OffscreenImage& Image() { return *image_; }

private:
    std::optional<OffscreenImage> image_;
};
