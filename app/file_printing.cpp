#include "app/file_printing.h"

#include <algorithm>
#include <vector>

#include "document/zorvik_drug_doc.h"
#include "frames/main_frame.h"
#include "frames/zorvik_drug_frame.h"
#include "platform/document_template.h"
#include "views/zorvik_drug_view.h"

namespace quorbex {

bool PrintDictionaryFile(platform::DocumentTemplate& docTemplate, CMainFrame& mainFrame,
                         const QString& path, const QString& printerName) {
    const std::vector<platform::Document*> before = docTemplate.GetDocuments();
    const CMainFrame::WindowArrangement arrangement = mainFrame.SaveArrangement();
    platform::Document* document = docTemplate.OpenDocumentFile(path);
    if (document == nullptr) {
        return false;
    }
    // Opening the file, or finding it open, made its window the active one.
    CZorvikDrugFrame* frame = mainFrame.ActiveDrugFrame();
    const bool printed = frame != nullptr &&
                         static_cast<platform::Document*>(&frame->GetDocument()) == document &&
                         frame->TextView()->PrintToPrinter(printerName);
    if (std::find(before.begin(), before.end(), document) == before.end()) {
        docTemplate.CloseDocument(*document);
    }
    mainFrame.RestoreArrangement(arrangement);
    return printed;
}

}  // namespace quorbex
