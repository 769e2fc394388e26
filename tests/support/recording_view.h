// A view that remembers every update its document sent it.
#pragma once

#include <functional>
#include <vector>

#include "platform/view.h"

namespace quorbex::testing {

class RecordingView : public platform::View {
public:
    struct Update {
        platform::View* sender;
        int hint;
    };

    void OnUpdate(platform::View* sender, int hint) override {
        updates.push_back({sender, hint});
        if (onUpdate) {
            onUpdate(sender, hint);
        }
    }

    std::vector<int> Hints() const {
        std::vector<int> hints;
        for (const Update& update : updates) {
            hints.push_back(update.hint);
        }
        return hints;
    }

    std::vector<Update> updates;
    // Runs inside OnUpdate, after the update was recorded.
    std::function<void(platform::View* sender, int hint)> onUpdate;
};

}  // namespace quorbex::testing
