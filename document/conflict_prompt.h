// What the merge commands need from the dialog that settles conflicts, so
// that tests can stand in for it.
#pragma once

#include <functional>
#include <memory>
#include <optional>
#include <vector>

#include "store/record_merge.h"

namespace quorbex {

class ConflictPrompt {
public:
    virtual ~ConflictPrompt() = default;

    // Shows the conflicts and answers one resolution for each, in their
    // order; nothing when the user cancels the merge.
    virtual std::optional<std::vector<ConflictResolution>> Settle(
        const std::vector<MergeConflict>& conflicts) = 0;
};

using ConflictPromptFactory = std::function<std::unique_ptr<ConflictPrompt>()>;

}  // namespace quorbex
