// The drug entry dialog as the record commands use it: fill its seven
// fields, run it, read them back.
#pragma once

#include <QDialog>
#include <functional>
#include <memory>

#include "store/drug_fields.h"

namespace quorbex {

class DrugEntryPrompt {
public:
    virtual ~DrugEntryPrompt() = default;

    // With toCaller false the dialog's fields take the values of fields; with
    // it true fields take the dialog's values. All texts are GBK.
    virtual void ExchangeFields(DrugFields& fields, bool toCaller) = 0;
    // Runs the dialog; Accepted when the user confirmed an entry.
    virtual QDialog::DialogCode DoModal() = 0;
};

using DrugEntryPromptFactory = std::function<std::unique_ptr<DrugEntryPrompt>()>;

}  // namespace quorbex
