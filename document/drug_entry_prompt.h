// The drug entry dialog as the record commands use it: fill its seven
// fields, run it, read them back.
#pragma once

#include <functional>
#include <memory>
#include <string>

namespace quorbex {

class DrugEntryPrompt {
public:
    virtual ~DrugEntryPrompt() = default;

    // With toCaller false the dialog's fields take the strings' values; with
    // it true the strings take the fields' values. All texts are GBK.
    virtual void ExchangeFields(std::string& tradeName, std::string& pinyinInitials,
                                std::string& englishName, std::string& otherNames,
                                std::string& usage, std::string& function, std::string& cautions,
                                bool toCaller) = 0;
    // Runs the dialog; IDOK when the user confirmed an entry.
    virtual int DoModal() = 0;
};

using DrugEntryPromptFactory = std::function<std::unique_ptr<DrugEntryPrompt>()>;

}  // namespace quorbex
