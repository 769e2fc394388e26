// The window of one dictionary: a splitter with the result tree on the left
// and the record text on the right, both views of the same document.
#pragma once

#include <QMdiSubWindow>
#include <QMetaObject>
#include <QPointer>

#include "platform/frame.h"

class QSplitter;
class QWidget;

namespace quorbex {

class CMainFrame;
class CZorvikDrugTreeView;
class CZorvikDrugView;

namespace platform {
class Document;
}

class CZorvikDrugFrame : public platform::Frame {
public:
    // Makes the window in main's document area, with both views attached to
    // document. The tree starts screenWidth / 6 wide, the text
    // screenWidth * 5 / 6.
    CZorvikDrugFrame(CMainFrame& main, platform::Document& document, int screenWidth);
    ~CZorvikDrugFrame() override;

    std::vector<platform::View*> GetViews() override;
    platform::View* GetActiveView() override;
    void ActivateFrame() override;
    void OnUpdateFrameTitle() override;

    platform::Document& GetDocument() const { return m_document; }
    QMdiSubWindow* SubWindow() const { return m_subWindow; }
    QSplitter* Splitter() const { return m_wndSplitter; }
    CZorvikDrugTreeView* TreeView() const { return m_treeView; }
    CZorvikDrugView* TextView() const { return m_textView; }

private:
    void OnNextPane();
    platform::View* ViewOf(QWidget* widget) const;

    CMainFrame& m_main;
    platform::Document& m_document;
    QPointer<QMdiSubWindow> m_subWindow;
    QSplitter* m_wndSplitter;
    CZorvikDrugTreeView* m_treeView;
    CZorvikDrugView* m_textView;
    platform::View* m_activeView;
    QMetaObject::Connection m_focusTracking;
};

}  // namespace quorbex
