// A view shows one document; the document tells it what changed.
#pragma once

namespace quorbex::platform {

class Document;

class View {
public:
    virtual ~View();

    // Attaches this view to document; the frame does it when it creates its views.
    void AttachDocument(Document& document);
    Document* GetDocument() const { return m_document; }

    // Called once after the document was created or opened; the base calls
    // OnUpdate with no sender and hint 0.
    virtual void OnInitialUpdate();
    // Called by the document's UpdateAllViews for every view but the sender.
    virtual void OnUpdate(View* sender, int hint) = 0;

private:
    friend class Document;
    Document* m_document = nullptr;
};

}  // namespace quorbex::platform
