// The window of one document, which holds its views.
#pragma once

#include <vector>

namespace quorbex::platform {

class View;

class Frame {
public:
    virtual ~Frame() = default;

    virtual std::vector<View*> GetViews() = 0;
    // The view that has the focus, or the first view.
    virtual View* GetActiveView() = 0;
    // Brings the window to the front and makes it the active one.
    virtual void ActivateFrame() = 0;
};

}  // namespace quorbex::platform
