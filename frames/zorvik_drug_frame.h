// The window of one dictionary: a splitter with the result tree on the left
// and the record text on the right, both showing the same document (in the
// place of the record, the drugs a fruitless quick search may have meant),
// and the record commands that work on it. The main window puts it in a window of
// its document area. Ctrl and the wheel over either pane ask for another
// text size; Enter or a double click on a drug, and a right click or the
// menu key, are told to the main window, which offers the commands. It
// remembers the drugs viewed in it; the mouse's back and forward buttons
// over either pane go back and forward among them.
#pragma once

#include <QMetaObject>
#include <QSplitter>
#include <memory>

#include "document/drug_entry_prompt.h"
#include "document/record_commands.h"
#include "platform/document_window.h"

class QMdiSubWindow;

namespace quorbex {

class CZorvikDrugDoc;
class CZorvikDrugTreeView;
class CZorvikDrugView;
class DrugHistory;
class DrugSuggestions;

class CZorvikDrugFrame : public QSplitter, public platform::DocumentWindow {
    Q_OBJECT
public:
    // The tree starts screenWidth / 6 wide, the text screenWidth * 5 / 6.
    CZorvikDrugFrame(CZorvikDrugDoc& document, int screenWidth,
                     DrugEntryPromptFactory createEntryDialog);
    ~CZorvikDrugFrame() override;

    void Activate() override;

    // Moves the focus to the other pane.
    void OnNextPane();
    // The pane that commands go to first: the one that last had the focus.
    QWidget* ActivePane() const { return m_activePane; }

    // Gives both panes the font of the zoom now; the tree's pane grows and
    // shrinks with its text from the zoom before, the record text takes the
    // rest. A zoom of 0 is the program's own font, each step one point.
    void ApplyZoom(int before, int now);

    CZorvikDrugDoc& GetDocument() const { return m_document; }
    RecordCommands& Commands() { return m_commands; }
    // The document area's window that holds this one; none until it is put there.
    QMdiSubWindow* SubWindow() const;
    QSplitter* Splitter() { return this; }
    CZorvikDrugTreeView* TreeView() const { return m_treeView; }
    CZorvikDrugView* TextView() const { return m_textView; }
    DrugSuggestions* Suggestions() const { return m_suggestions; }
    DrugHistory& History() const { return *m_history; }

signals:
    // The pane that commands go to first is now the other one.
    void activeViewChanged();
    // The window was shown and made the active one.
    void activated();
    // Ctrl and the wheel over a pane: one step larger (1) or smaller (-1).
    void zoomStepRequested(int step);
    // Enter or a double click on a drug.
    void drugActivated();
    // A right click or the menu key on a drug, now the current one; at is
    // where its menu goes, in screen coordinates.
    void contextMenuRequested(QPoint at);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void OnUpdateFrameTitle();
    QWidget* PaneOf(QWidget* widget) const;
    void SetActivePane(QWidget* pane);
    void OnContextMenu(QPoint at);

    CZorvikDrugDoc& m_document;
    RecordCommands m_commands;
    CZorvikDrugTreeView* m_treeView;
    CZorvikDrugView* m_textView;
    DrugSuggestions* m_suggestions;
    DrugHistory* m_history;
    QWidget* m_activePane;
    QMetaObject::Connection m_focusTracking;
};

}  // namespace quorbex
