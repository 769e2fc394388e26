// The window of one dictionary: a splitter with the result tree on the left
// and the record text on the right, both showing the same document (in the
// place of the record, the drugs a fruitless quick search may have meant),
// and the record commands that work on it. Its file is watched: a change by
// others is taken in at once while nothing here is unsaved, and otherwise
// told by a bar above the record text, which offers to merge, reload or keep
// what is here; conflict copies beside the file are offered for merging the
// same way. The main window puts it in a window of its document area. Ctrl
// and the wheel over either pane ask for another text size; Enter or a
// double click on a drug, and a right click or the menu key, are told to the
// main window, which offers the commands. It remembers the drugs viewed in
// it; the mouse's back and forward buttons over either pane go back and
// forward among them.
#pragma once

#include <QMetaObject>
#include <QSplitter>
#include <memory>

#include "document/conflict_prompt.h"
#include "document/drug_entry_prompt.h"
#include "document/record_commands.h"
#include "document/shared_file_commands.h"
#include "platform/document_file_watch.h"
#include "platform/document_window.h"

class QMdiSubWindow;

namespace quorbex {

class CZorvikDrugDoc;
class CZorvikDrugTreeView;
class CZorvikDrugView;
class FileChangeBar;
class DrugHistory;
class DrugSuggestions;

class CZorvikDrugFrame : public QSplitter, public platform::DocumentWindow {
    Q_OBJECT
public:
    // The tree starts screenWidth / 6 wide, the text screenWidth * 5 / 6.
    CZorvikDrugFrame(CZorvikDrugDoc& document, int screenWidth,
                     DrugEntryPromptFactory createEntryDialog,
                     ConflictPromptFactory createConflictDialog);
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
    SharedFileCommands& Sharing() { return m_sharing; }
    platform::DocumentFileWatch& FileWatch() { return m_watch; }
    // The document area's window that holds this one; none until it is put there.
    QMdiSubWindow* SubWindow() const;
    QSplitter* Splitter() { return this; }
    CZorvikDrugTreeView* TreeView() const { return m_treeView; }
    CZorvikDrugView* TextView() const { return m_textView; }
    // The right pane: the bars above the record text, and the text.
    QWidget* RecordPane() const { return m_recordPane; }
    // The bar telling of a change on disk while there are changes here.
    FileChangeBar* ChangeBar() const { return m_changeBar; }
    // The bar offering a conflict copy for merging.
    FileChangeBar* ConflictCopyBar() const { return m_copyBar; }
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
    // A line for the status bar: what was done to the dictionary.
    void statusMessage(const QString& text);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void OnUpdateFrameTitle();
    QWidget* PaneOf(QWidget* widget) const;
    void SetActivePane(QWidget* pane);
    void OnContextMenu(QPoint at);
    void OnChangedOnDisk();
    void OnChangeBarChoice(int choice);
    void OfferNextConflictCopy();
    void OnConflictCopyChoice(int choice);

    CZorvikDrugDoc& m_document;
    RecordCommands m_commands;
    CZorvikDrugTreeView* m_treeView;
    QWidget* m_recordPane;
    CZorvikDrugView* m_textView;
    FileChangeBar* m_changeBar;
    FileChangeBar* m_copyBar;
    DrugSuggestions* m_suggestions;
    DrugHistory* m_history;
    QWidget* m_activePane;
    SharedFileCommands m_sharing;
    platform::DocumentFileWatch m_watch;
    // Conflict copies found and not yet offered, the first the one on the bar.
    QStringList m_conflictCopies;
    // A change on disk was seen while the sharing commands were asking.
    bool m_lookWhenIdle = false;
    QMetaObject::Connection m_focusTracking;
};

}  // namespace quorbex
