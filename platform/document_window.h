// The window that shows one document. The document template makes one with
// each document and destroys it before the document.
#pragma once

namespace quorbex::platform {

class DocumentWindow {
public:
    virtual ~DocumentWindow() = default;

    // Brings the window to the front and makes it the active one.
    virtual void Activate() = 0;
};

}  // namespace quorbex::platform
