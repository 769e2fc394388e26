#include "platform/view.h"

#include "platform/document.h"

namespace quorbex::platform {

View::~View() {
    if (m_document != nullptr) {
        m_document->RemoveView(*this);
    }
}

void View::AttachDocument(Document& document) {
    if (m_document != nullptr) {
        m_document->RemoveView(*this);
    }
    m_document = &document;
    document.AddView(*this);
}

void View::OnInitialUpdate() {
    OnUpdate(nullptr, 0);
}

}  // namespace quorbex::platform
