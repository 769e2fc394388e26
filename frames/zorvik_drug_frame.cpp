#include "frames/zorvik_drug_frame.h"

#include <QApplication>
#include <QDateTime>
#include <QFileInfo>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMouseEvent>
#include <QScrollBar>
#include <QTimer>
#include <QVBoxLayout>
#include <QWheelEvent>
#include <algorithm>
#include <utility>

#include "document/zorvik_drug_doc.h"
#include "frames/drug_history.h"
#include "frames/file_change_bar.h"
#include "platform/shown_name.h"
#include "resources/strings.h"
#include "views/drug_suggestions.h"
#include "views/zorvik_drug_tree_view.h"
#include "views/zorvik_drug_view.h"

namespace quorbex {

namespace {

constexpr int INITIAL_PANE_HEIGHT = 200;
constexpr int RETRY_WHILE_ASKING_MS = 500;

QFont ZoomedFont(int zoom) {
    QFont font = QApplication::font();
    font.setPointSizeF(std::max(1.0, QApplication::font().pointSizeF() + zoom));
    return font;
}

}  // namespace

CZorvikDrugFrame::CZorvikDrugFrame(CZorvikDrugDoc& document, int screenWidth,
                                   DrugEntryPromptFactory createEntryDialog,
                                   ConflictPromptFactory createConflictDialog)
    : QSplitter(Qt::Horizontal),
      m_document(document),
      m_commands(document, document.Ui(), std::move(createEntryDialog)),
      m_treeView(new CZorvikDrugTreeView(document, this)),
      m_recordPane(new QWidget(this)),
      m_textView(new CZorvikDrugView(document, m_recordPane)),
      m_changeBar(new FileChangeBar(m_recordPane)),
      m_copyBar(new FileChangeBar(m_recordPane)),
      m_suggestions(new DrugSuggestions(document, m_textView->viewport())),
      m_history(new DrugHistory(document, this)),
      m_activePane(m_treeView),
      m_sharing(document, document.Ui(), std::move(createConflictDialog)),
      m_watch(document) {
    auto* recordLayout = new QVBoxLayout(m_recordPane);
    recordLayout->setContentsMargins(0, 0, 0, 0);
    recordLayout->setSpacing(0);
    recordLayout->addWidget(m_changeBar);
    recordLayout->addWidget(m_copyBar);
    recordLayout->addWidget(m_textView, 1);

    setChildrenCollapsible(false);
    addWidget(m_treeView);
    addWidget(m_recordPane);
    setSizes({screenWidth / 6, screenWidth * 5 / 6});
    setStretchFactor(1, 1);
    m_treeView->resize(screenWidth / 6, INITIAL_PANE_HEIGHT);
    m_recordPane->resize(screenWidth * 5 / 6, INITIAL_PANE_HEIGHT);
    m_textView->resize(screenWidth * 5 / 6, INITIAL_PANE_HEIGHT);

    for (QAbstractScrollArea* pane : {static_cast<QAbstractScrollArea*>(m_treeView),
                                      static_cast<QAbstractScrollArea*>(m_textView)}) {
        pane->viewport()->installEventFilter(this);
    }
    connect(m_treeView, &QAbstractItemView::activated, this, [this](const QModelIndex& item) {
        if (DrugResultsModel::ResultOf(item) >= 0) {
            emit drugActivated();
        }
    });
    // The drug of a suggestion taken is read from the tree, as after a search.
    connect(m_suggestions, &DrugSuggestions::taken, this,
            [this] { m_treeView->setFocus(Qt::OtherFocusReason); });
    m_treeView->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(m_treeView, &QWidget::customContextMenuRequested, this,
            &CZorvikDrugFrame::OnContextMenu);

    // The pane last given the focus is the one commands go to first.
    m_focusTracking =
        connect(qApp, &QApplication::focusChanged, this, [this](QWidget*, QWidget* now) {
            if (QWidget* pane = PaneOf(now)) {
                SetActivePane(pane);
            }
        });

    connect(&document, &platform::Document::titleChanged, this,
            &CZorvikDrugFrame::OnUpdateFrameTitle);
    connect(&document, &platform::Document::modifiedChanged, this,
            &CZorvikDrugFrame::OnUpdateFrameTitle);
    OnUpdateFrameTitle();

    connect(&m_sharing, &SharedFileCommands::statusMessage, this, &CZorvikDrugFrame::statusMessage);
    connect(&m_watch, &platform::DocumentFileWatch::changedOnDisk, this,
            &CZorvikDrugFrame::OnChangedOnDisk);
    connect(&m_sharing, &SharedFileCommands::idle, this, [this] {
        if (std::exchange(m_lookWhenIdle, false)) {
            m_watch.LookAgain();
        }
    });
    connect(m_changeBar, &FileChangeBar::chosen, this, &CZorvikDrugFrame::OnChangeBarChoice);
    // Saved, or undone back to what was read: nothing is left to settle, and
    // a change on disk not yet taken in is taken in once the save or undo is
    // over (a save under another name has the new name only then).
    connect(&document, &platform::Document::modifiedChanged, this, [this](bool modified) {
        if (!modified) {
            m_changeBar->hide();
            m_watch.LookAgain();
        }
    });
    connect(&m_watch, &platform::DocumentFileWatch::conflictCopiesFound, this,
            [this](const QStringList& paths) {
                const bool offering = !m_conflictCopies.isEmpty();
                m_conflictCopies += paths;
                if (!offering) {
                    OfferNextConflictCopy();
                }
            });
    connect(m_copyBar, &FileChangeBar::chosen, this, &CZorvikDrugFrame::OnConflictCopyChoice);
}

// Unsaved changes here stay until the user says what becomes of them; with
// none, the file is taken in at once, the tree scrolled as it was.
void CZorvikDrugFrame::OnChangedOnDisk() {
    // Looked at again once the user has answered.
    if (m_sharing.Busy()) {
        m_lookWhenIdle = true;
        return;
    }
    if (!m_document.IsModified()) {
        // A dialog may be editing the current drug as it was: it is taken in
        // once no dialog asks.
        if (QApplication::activeModalWidget() != nullptr) {
            QTimer::singleShot(RETRY_WHILE_ASKING_MS, this, [this] { m_watch.LookAgain(); });
            return;
        }
        QScrollBar* scroll = m_treeView->verticalScrollBar();
        const int position = scroll->value();
        if (m_sharing.ReloadUnmodified()) {
            m_changeBar->hide();
            m_treeView->doItemsLayout();
            scroll->setValue(position);
            m_treeView->scrollTo(m_treeView->currentIndex());
        }
        return;
    }
    const QString path = m_document.GetPathName();
    const QString when =
        QFileInfo(path).lastModified().toString(QStringLiteral("yyyy-MM-dd HH:mm:ss"));
    m_changeBar->Offer(
        Tr(UiText::ChangedOnDiskBar).arg(QFileInfo(path).fileName(), when),
        {Tr(UiText::MergeChoice), Tr(UiText::ReloadChoice), Tr(UiText::KeepMineChoice)});
}

void CZorvikDrugFrame::OnChangeBarChoice(int choice) {
    enum { Merge, Reload, KeepMine };
    bool done = true;
    if (choice == Merge) {
        done = m_sharing.MergeFromDisk();
    } else if (choice == Reload) {
        done = m_sharing.ReloadDiscardingMine();
    }
    // A merge or reload that did not happen leaves the change to be settled.
    if (!done) {
        m_changeBar->show();
    }
}

void CZorvikDrugFrame::OfferNextConflictCopy() {
    if (m_conflictCopies.isEmpty()) {
        return;
    }
    m_copyBar->Offer(Tr(UiText::ConflictCopyBar)
                         .arg(QFileInfo(m_document.GetPathName()).fileName(),
                              QFileInfo(m_conflictCopies.first()).fileName()),
                     {Tr(UiText::MergeChoice), Tr(UiText::IgnoreChoice)});
}

void CZorvikDrugFrame::OnConflictCopyChoice(int choice) {
    if (m_conflictCopies.isEmpty()) {
        return;
    }
    const QString copy = m_conflictCopies.takeFirst();
    if (choice == 0) {
        m_sharing.MergeFile(copy);
    }
    OfferNextConflictCopy();
}

CZorvikDrugFrame::~CZorvikDrugFrame() {
    disconnect(m_focusTracking);
}

QMdiSubWindow* CZorvikDrugFrame::SubWindow() const {
    return qobject_cast<QMdiSubWindow*>(parentWidget());
}

QWidget* CZorvikDrugFrame::PaneOf(QWidget* widget) const {
    for (QWidget* w = widget; w != nullptr; w = w->parentWidget()) {
        if (w == m_treeView || w == m_textView) {
            return w;
        }
    }
    return nullptr;
}

void CZorvikDrugFrame::SetActivePane(QWidget* pane) {
    if (pane != m_activePane) {
        m_activePane = pane;
        emit activeViewChanged();
    }
}

void CZorvikDrugFrame::Activate() {
    if (QMdiSubWindow* window = SubWindow()) {
        window->showMaximized();
        if (QMdiArea* area = window->mdiArea()) {
            area->setActiveSubWindow(window);
        }
    }
    m_treeView->setFocus();
    emit activated();
}

void CZorvikDrugFrame::OnUpdateFrameTitle() {
    // A name's control and direction characters would garble the title bar
    // and the window menu.
    setWindowTitle(platform::ShownName(m_document.GetTitle()) +
                   (m_document.IsModified() ? QStringLiteral(" *") : QString()));
}

void CZorvikDrugFrame::OnNextPane() {
    QWidget* next = m_activePane == m_treeView ? static_cast<QWidget*>(m_textView)
                                               : static_cast<QWidget*>(m_treeView);
    next->setFocus();
    SetActivePane(next);
}

void CZorvikDrugFrame::ApplyZoom(int before, int now) {
    const QFont font = ZoomedFont(now);
    m_textView->setFont(font);
    m_treeView->setFont(font);
    // A new window keeps the width its panes were made with.
    QList<int> widths = sizes();
    if (before != now && widths.size() == 2) {
        const int total = widths[0] + widths[1];
        const double scale = font.pointSizeF() / ZoomedFont(before).pointSizeF();
        widths[0] = std::min(total - 1, static_cast<int>(widths[0] * scale + 0.5));
        widths[1] = total - widths[0];
        setSizes(widths);
    }
}

bool CZorvikDrugFrame::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::MouseButtonPress) {
        const Qt::MouseButton button = static_cast<QMouseEvent*>(event)->button();
        if (button == Qt::BackButton) {
            m_history->GoBack();
            return true;
        }
        if (button == Qt::ForwardButton) {
            m_history->GoForward();
            return true;
        }
    }
    if (event->type() == QEvent::Wheel) {
        const auto* wheel = static_cast<QWheelEvent*>(event);
        if ((wheel->modifiers() & Qt::ControlModifier) != 0 && wheel->angleDelta().y() != 0) {
            emit zoomStepRequested(wheel->angleDelta().y() > 0 ? 1 : -1);
            return true;
        }
    }
    return QSplitter::eventFilter(watched, event);
}

// A right click on a drug, or the menu key with one current; the root and
// the empty space below the drugs have no menu.
void CZorvikDrugFrame::OnContextMenu(QPoint at) {
    QModelIndex item = m_treeView->indexAt(at);
    if (!item.isValid()) {
        item = m_treeView->currentIndex();
        at = item.isValid() ? m_treeView->visualRect(item).center() : at;
    }
    if (DrugResultsModel::ResultOf(item) < 0) {
        return;
    }
    m_treeView->setCurrentIndex(item);
    emit contextMenuRequested(m_treeView->viewport()->mapToGlobal(at));
}

}  // namespace quorbex
