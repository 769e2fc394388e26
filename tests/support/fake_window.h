// A document's window without a window: it counts what the document template
// asked of it.
#pragma once

#include <memory>

#include "platform/document.h"
#include "platform/document_template.h"
#include "platform/document_window.h"

namespace quorbex::testing {

class FakeWindow : public platform::DocumentWindow {
public:
    explicit FakeWindow(int* destroyedCount) : m_destroyedCount(destroyedCount) {}
    ~FakeWindow() override {
        if (m_destroyedCount != nullptr) {
            ++*m_destroyedCount;
        }
    }

    void Activate() override { ++activations; }

    int activations = 0;

private:
    int* m_destroyedCount;
};

// Makes FakeWindows for a document template and counts them.
class FakeWindowFactory {
public:
    platform::DocumentTemplate::WindowFactory Factory() {
        return [this](platform::Document&) -> std::unique_ptr<platform::DocumentWindow> {
            ++created;
            return std::make_unique<FakeWindow>(&destroyed);
        };
    }

    int created = 0;
    int destroyed = 0;
};

// The FakeWindow that a template made for document.
inline FakeWindow& WindowOf(const platform::DocumentTemplate& docTemplate,
                            const platform::Document& document) {
    return static_cast<FakeWindow&>(*docTemplate.WindowOf(document));
}

}  // namespace quorbex::testing
