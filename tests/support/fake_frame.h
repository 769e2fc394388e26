// A document window without a window: it holds recording views attached to
// its document and counts what the framework asked of it.
#pragma once

#include <memory>
#include <vector>

#include "platform/document.h"
#include "platform/document_template.h"
#include "platform/frame.h"
#include "tests/support/recording_view.h"

namespace quorbex::testing {

class FakeFrame : public platform::Frame {
public:
    FakeFrame(platform::Document& document, int viewCount, int* destroyedCount)
        : m_destroyedCount(destroyedCount) {
        for (int i = 0; i < viewCount; ++i) {
            views.push_back(std::make_unique<RecordingView>());
            views.back()->AttachDocument(document);
        }
    }
    ~FakeFrame() override {
        if (m_destroyedCount != nullptr) {
            ++*m_destroyedCount;
        }
    }

    std::vector<platform::View*> GetViews() override {
        std::vector<platform::View*> result;
        for (const auto& view : views) {
            result.push_back(view.get());
        }
        return result;
    }
    platform::View* GetActiveView() override { return views.empty() ? nullptr : views[0].get(); }
    void ActivateFrame() override { ++activations; }

    RecordingView& ViewAt(std::size_t index) { return *views.at(index); }

    std::vector<std::unique_ptr<RecordingView>> views;
    int activations = 0;

private:
    int* m_destroyedCount;
};

// Makes FakeFrames for a document template and counts them.
class FakeFrameFactory {
public:
    explicit FakeFrameFactory(int viewsPerFrame = 2) : m_viewsPerFrame(viewsPerFrame) {}

    platform::DocumentTemplate::FrameFactory Factory() {
        return [this](platform::Document& document) -> std::unique_ptr<platform::Frame> {
            ++created;
            return std::make_unique<FakeFrame>(document, m_viewsPerFrame, &destroyed);
        };
    }

    int created = 0;
    int destroyed = 0;

private:
    int m_viewsPerFrame;
};

// The FakeFrame that a template made for document.
inline FakeFrame& FrameOf(const platform::DocumentTemplate& docTemplate,
                          const platform::Document& document) {
    return dynamic_cast<FakeFrame&>(*docTemplate.FrameOf(document));
}

}  // namespace quorbex::testing
