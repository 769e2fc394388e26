#include "frames/zorvik_drug_frame.h"

#include <QApplication>
#include <QCloseEvent>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QSplitter>

#include "frames/main_frame.h"
#include "platform/document.h"
#include "platform/document_template.h"
#include "platform/framework_ids.h"
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

CZorvikDrugFrame::CZorvikDrugFrame(CMainFrame& main, platform::Document& document, int screenWidth)
    : m_main(main), m_document(document) {
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
    m_focusTracking = QObject::connect(qApp, &QApplication::focusChanged, m_wndSplitter,
                                       [this](QWidget*, QWidget* now) {
                                           if (platform::View* view = ViewOf(now)) {
                                               m_activeView = view;
                                           }
                                       });

    Commands().On(platform::ID_NEXT_PANE, [this] { OnNextPane(); });
    Commands().On(platform::ID_PREV_PANE, [this] { OnNextPane(); });
    // Printing always prints the record text, whichever pane has the focus.
    for (unsigned id : {platform::ID_FILE_PRINT, platform::ID_FILE_PRINT_DIRECT,
                        platform::ID_FILE_PRINT_PREVIEW}) {
        Commands().On(id, [this, id] { m_textView->Commands().Execute(id); });
    }

    main.MdiArea()->addSubWindow(subWindow);
    main.AddDrugFrame(*this);
    OnUpdateFrameTitle();
}

CZorvikDrugFrame::~CZorvikDrugFrame() {
    QObject::disconnect(m_focusTracking);
    m_main.RemoveDrugFrame(*this);
    if (m_subWindow) {
        // The window may be in the middle of handling its own close event.
        m_subWindow->hide();
        m_main.MdiArea()->removeSubWindow(m_subWindow);
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

void CZorvikDrugFrame::ActivateFrame() {
    m_subWindow->showMaximized();
    m_main.MdiArea()->setActiveSubWindow(m_subWindow);
    m_treeView->setFocus();
}

void CZorvikDrugFrame::OnUpdateFrameTitle() {
    m_subWindow->setWindowTitle(m_document.GetTitle() +
                                (m_document.IsModified() ? QStringLiteral(" *") : QString()));
    m_main.UpdateTitle();
}

void CZorvikDrugFrame::OnNextPane() {
    QWidget* next = m_activeView == m_treeView ? static_cast<QWidget*>(m_textView)
                                               : static_cast<QWidget*>(m_treeView);
    next->setFocus();
    m_activeView = ViewOf(next);
}

}  // namespace quorbex
