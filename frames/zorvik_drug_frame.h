// The window of one dictionary: a splitter with the result tree on the left
// and the record text on the right, both views of the same document.
#pragma once

#include <QMdiSubWindow>
#include <QMetaObject>
#include <QObject>
#include <QPointer>

#include "platform/frame.h"

class QSplitter;
class QWidget;

namespace quorbex {

class CZorvikDrugTreeView;
class CZorvikDrugView;

namespace platform {
class Document;
}

class CZorvikDrugFrame : public QObject, public platform::Frame {
    Q_OBJECT
public:
    // Makes the window, with both views attached to document; the main
    // window puts it in its document area. The tree starts screenWidth / 6
    // wide, the text screenWidth * 5 / 6.
    CZorvikDrugFrame(platform::Document& document, int screenWidth);
    ~CZorvikDrugFrame() override;

    std::vector<platform::View*> GetViews() override;
    platform::View* GetActiveView() override;
    void ActivateFrame() override;

    // Moves the focus to the other pane.
    void OnNextPane();

    platform::Document& GetDocument() const { return m_document; }
    QMdiSubWindow* SubWindow() const { return m_subWindow; }
    QSplitter* Splitter() const { return m_wndSplitter; }
    CZorvikDrugTreeView* TreeView() const { return m_treeView; }
    CZorvikDrugView* TextView() const { return m_textView; }

signals:
    // The pane that commands go to first is now the other one.
    void activeViewChanged();
    // The window was shown and made the active one.
    void activated();

private:
    void OnUpdateFrameTitle();
    platform::View* ViewOf(QWidget* widget) const;
    void SetActiveView(platform::View* view);

    platform::Document& m_document;
    QPointer<QMdiSubWindow> m_subWindow;
    QSplitter* m_wndSplitter;
    CZorvikDrugTreeView* m_treeView;
    CZorvikDrugView* m_textView;
    platform::View* m_activeView;
    QMetaObject::Connection m_focusTracking;
};

}  // namespace quorbex
