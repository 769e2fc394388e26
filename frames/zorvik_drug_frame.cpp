#include "frames/zorvik_drug_frame.h"

#include <QApplication>
#include <QCloseEvent>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QSplitter>

#include "platform/document.h"
#include "platform/document_template.h"
#include "resources/icon_ids.h"
#include "views/zorvik_drug_tree_view.h"
#include "views/zorvik_drug_view.h"

namespace quorbex {

namespace {

constexpr int INITIAL_PANE_HEIGHT = 200;

// The dictionary window's frame in the document area. Its close box closes
// the document, which asks to save it first.
class DrugSubWindow : public QMdiSubWindow {
public:
    explicit DrugSubWindow(platform::Document& document) : m_document(document) {}

protected:
    void closeEvent(QCloseEvent* event) override {
        // The document decides; when it closes, it destroys this window itself.
        event->ignore();
        if (platform::DocumentTemplate* docTemplate = m_document.GetDocTemplate()) {
            docTemplate->CloseDocument(m_document);
        }
    }

private:
    platform::Document& m_document;
};

}  // namespace

CZorvikDrugFrame::CZorvikDrugFrame(platform::Document& document, int screenWidth)
    : m_document(document) {
    auto* subWindow = new DrugSubWindow(document);
    subWindow->setAttribute(Qt::WA_DeleteOnClose, false);
    subWindow->setWindowIcon(QIcon(IconPath(IDR_DRUGTYPE)));
    m_subWindow = subWindow;

    m_wndSplitter = new QSplitter(Qt::Horizontal);
    m_wndSplitter->setChildrenCollapsible(false);
    m_treeView = new CZorvikDrugTreeView(m_wndSplitter);
    m_textView = new CZorvikDrugView(m_wndSplitter);
    m_wndSplitter->addWidget(m_treeView);
    m_wndSplitter->addWidget(m_textView);
    m_wndSplitter->setSizes({screenWidth / 6, screenWidth * 5 / 6});
    m_wndSplitter->setStretchFactor(1, 1);
    m_treeView->resize(screenWidth / 6, INITIAL_PANE_HEIGHT);
    m_textView->resize(screenWidth * 5 / 6, INITIAL_PANE_HEIGHT);
    subWindow->setWidget(m_wndSplitter);

    m_treeView->AttachDocument(document);
    m_textView->AttachDocument(document);
    m_activeView = m_treeView;

    // The view last given the focus is the one commands go to first.
    m_focusTracking =
        connect(qApp, &QApplication::focusChanged, m_wndSplitter, [this](QWidget*, QWidget* now) {
            if (platform::View* view = ViewOf(now)) {
                SetActiveView(view);
            }
        });

    connect(&document, &platform::Document::titleChanged, this,
            &CZorvikDrugFrame::OnUpdateFrameTitle);
    connect(&document, &platform::Document::modifiedChanged, this,
            &CZorvikDrugFrame::OnUpdateFrameTitle);
    OnUpdateFrameTitle();
}

CZorvikDrugFrame::~CZorvikDrugFrame() {
    disconnect(m_focusTracking);
    if (m_subWindow) {
        // The window may be in the middle of handling its own close event.
        m_subWindow->hide();
        if (QMdiArea* area = m_subWindow->mdiArea()) {
            area->removeSubWindow(m_subWindow);
        }
        m_subWindow->deleteLater();
    }
}

std::vector<platform::View*> CZorvikDrugFrame::GetViews() {
    return {m_treeView, m_textView};
}

platform::View* CZorvikDrugFrame::GetActiveView() {
    return m_activeView;
}

platform::View* CZorvikDrugFrame::ViewOf(QWidget* widget) const {
    for (QWidget* w = widget; w != nullptr; w = w->parentWidget()) {
        if (w == m_treeView) {
            return m_treeView;
        }
        if (w == m_textView) {
            return m_textView;
        }
    }
    return nullptr;
}

void CZorvikDrugFrame::SetActiveView(platform::View* view) {
    if (view != m_activeView) {
        m_activeView = view;
        emit activeViewChanged();
    }
}

void CZorvikDrugFrame::ActivateFrame() {
    m_subWindow->showMaximized();
    if (QMdiArea* area = m_subWindow->mdiArea()) {
        area->setActiveSubWindow(m_subWindow);
    }
    m_treeView->setFocus();
    emit activated();
}

void CZorvikDrugFrame::OnUpdateFrameTitle() {
    m_subWindow->setWindowTitle(m_document.GetTitle() +
                                (m_document.IsModified() ? QStringLiteral(" *") : QString()));
}

void CZorvikDrugFrame::OnNextPane() {
    QWidget* next = m_activeView == m_treeView ? static_cast<QWidget*>(m_textView)
                                               : static_cast<QWidget*>(m_treeView);
    next->setFocus();
    SetActiveView(ViewOf(next));
}

}  // namespace quorbex
