// The strings of the dictionary document type: no window title of its own,
// the document name, the new-file name and the filter name in the user's
// language, the extension, the shell type id and name, and what the user is
// told of a file that is not a dictionary.
#pragma once

#include "platform/document_template.h"
#include "resources/strings.h"

namespace quorbex {

inline platform::DocumentStrings DrugDocumentStrings() {
    return {QString(),
            Tr(UiText::DocumentName),
            Tr(UiText::NewFileName),
            Tr(UiText::FilterName),
            QStringLiteral(".zvk"),
            QStringLiteral("Zorvik.DrugFile"),
            Tr(UiText::FileTypeName),
            Tr(UiText::NotADictionary),
            Tr(UiText::OpenErrorCaption)};
}

}  // namespace quorbex
