#include "frames/quick_search_box.h"

#include <QAbstractItemView>
#include <QCompleter>
#include <QFocusEvent>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QSettings>
#include <QStringListModel>
#include <QTimer>

#include "document/zorvik_drug_doc.h"
#include "frames/drug_history.h"
#include "frames/zorvik_drug_frame.h"
#include "platform/data_exchange.h"
#include "platform/framework_strings.h"
#include "platform/gbk_text.h"
#include "platform/profile.h"
#include "resources/strings.h"
#include "store/quick_match.h"
#include "views/zorvik_drug_tree_view.h"

namespace quorbex {

namespace {

constexpr int QUICK_SEARCH_LIMIT = static_cast<int>(QUICK_QUERY_MAX);
// Wide enough for a long drug name and the placeholder; longer text scrolls.
constexpr int BOX_WIDTH_CHARACTERS = 14;

}  // namespace

QuickSearchBox::QuickSearchBox(QWidget* parent)
    : QWidget(parent),
      m_edit(new QLineEdit(this)),
      m_refusal(new QLabel(this)),
      m_recentModel(new QStringListModel(this)),
      m_recentList(new QCompleter(m_recentModel, this)) {
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(4, 0, 4, 0);
    layout->addWidget(m_edit);
    layout->addWidget(m_refusal);
    m_edit->setObjectName(QStringLiteral("quickSearch"));
    m_edit->setPlaceholderText(Tr(UiText::QuickSearchPlaceholder));
    m_edit->setToolTip(Tr(UiText::QuickSearchTip));
    m_edit->setClearButtonEnabled(true);
    m_edit->setFixedWidth(m_edit->fontMetrics().horizontalAdvance(QChar(0x836F)) *
                          BOX_WIDTH_CHARACTERS);
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    m_edit->installEventFilter(this);
    m_refusal->hide();

    auto* validator = new platform::GbkLimitValidator(m_edit, QUICK_SEARCH_LIMIT);
    m_edit->setValidator(validator);
    // The note is shown until the next edit that brings none.
    connect(validator, &platform::GbkLimitValidator::characterRefused, this,
            [this](const QString& character) {
                ShowNote(platform::Tr(platform::FrameworkText::RefusedCharacter).arg(character));
            });
    connect(validator, &platform::GbkLimitValidator::editTooLong, this,
            [this] { ShowNote(Tr(UiText::QuickSearchLimit).arg(QUICK_SEARCH_LIMIT)); });
    // textChanged, not textEdited: the clear button changes the text too.
    connect(m_edit, &QLineEdit::textChanged, this, [this] {
        if (!m_refusedInThisEdit) {
            m_refusal->hide();
        }
        if (!m_showingPattern) {
            Search();
        }
    });

    // Not the box's own completer: typing never opens the list, only Down.
    m_recentList->setWidget(m_edit);
    m_recentList->setCompletionMode(QCompleter::UnfilteredPopupCompletion);
    connect(m_recentList, qOverload<const QString&>(&QCompleter::activated), this,
            [this](const QString& query) { m_edit->setText(query); });
    QSettings profile;
    m_recentQueries = platform::ReadRecentQueries(profile, RECENT_QUERIES_MAX);
    Follow(nullptr);
}

QAbstractItemView* QuickSearchBox::RecentQueriesList() const {
    return m_recentList->popup();
}

// An empty box lists every drug: no query, and no drug of one.
void QuickSearchBox::QueryDone() {
    const QString query = m_edit->text().trimmed();
    if (query.isEmpty() || m_frame == nullptr || m_document == nullptr) {
        return;
    }
    m_frame->History().NoteCurrent();
    if (!m_document->IsQuickSearch() || m_document->GetQuickStatus() != QuickStatus::Found) {
        return;
    }
    m_recentQueries.removeAll(query);
    m_recentQueries.prepend(query);
    while (m_recentQueries.size() > RECENT_QUERIES_MAX) {
        m_recentQueries.removeLast();
    }
    QSettings profile;
    platform::WriteRecentQueries(profile, m_recentQueries, RECENT_QUERIES_MAX);
}

void QuickSearchBox::OpenRecentQueries() {
    m_recentModel->setStringList(m_recentQueries);
    m_recentList->complete();
}

void QuickSearchBox::ShowNote(const QString& note) {
    m_refusal->setText(note);
    m_refusal->show();
    m_refusedInThisEdit = true;
    QTimer::singleShot(0, this, [this] { m_refusedInThisEdit = false; });
}

void QuickSearchBox::Follow(CZorvikDrugFrame* frame) {
    disconnect(m_resultsConnection);
    m_frame = frame;
    m_document = frame != nullptr ? &frame->GetDocument() : nullptr;
    setEnabled(m_document != nullptr);
    m_refusal->hide();
    if (m_document != nullptr) {
        // A search from the prompt shows its pattern here too.
        m_resultsConnection =
            connect(m_document, &CZorvikDrugDoc::resultsReset, this, &QuickSearchBox::ShowPattern);
    }
    ShowPattern();
}

// The followed document's last pattern, without searching again.
void QuickSearchBox::ShowPattern() {
    const QString pattern =
        m_document != nullptr ? platform::FromGbk(m_document->GetSearchPattern()) : QString();
    if (pattern != m_edit->text()) {
        // Not blocked: the validator follows the text through its signal.
        m_showingPattern = true;
        m_edit->setText(pattern);
        m_showingPattern = false;
    }
}

void QuickSearchBox::FocusBox() {
    if (isEnabled()) {
        m_edit->setFocus(Qt::ShortcutFocusReason);
        m_edit->selectAll();
    }
}

void QuickSearchBox::Search() {
    if (m_frame == nullptr || m_document == nullptr) {
        return;
    }
    // The validator lets only GBK text into the box.
    if (const std::optional<std::string> query = platform::ToGbk(m_edit->text())) {
        const DrugHistory::Passing typing(m_frame->History());
        m_document->QuickSearch(*query);
    }
}

// With no result, the closest drug suggested, if any, is taken as the search.
void QuickSearchBox::GoToFirstResult() {
    if (m_frame == nullptr || m_document == nullptr) {
        return;
    }
    if (!m_document->SelectFirst()) {
        m_document->TakeSuggestion(0);
    }
    QueryDone();
    m_frame->TreeView()->setFocus(Qt::OtherFocusReason);
}

bool QuickSearchBox::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_edit && event->type() == QEvent::KeyPress) {
        switch (static_cast<QKeyEvent*>(event)->key()) {
            case Qt::Key_Escape:
                // Lists every drug even when the box was empty already; the
                // keys typed next go to the tree, not into the box.
                QueryDone();
                if (m_edit->text().isEmpty()) {
                    Search();
                } else {
                    m_edit->clear();
                }
                if (m_frame != nullptr) {
                    m_frame->TreeView()->setFocus(Qt::OtherFocusReason);
                }
                return true;
            case Qt::Key_Return:
            case Qt::Key_Enter:
                GoToFirstResult();
                return true;
            case Qt::Key_Down:
                // Without recent queries, on to the first result as Enter.
                if (m_recentQueries.isEmpty()) {
                    GoToFirstResult();
                } else {
                    OpenRecentQueries();
                }
                return true;
            default:
                break;
        }
    }
    // Leaving the box for anything but its list or a menu: the query served.
    if (watched == m_edit && event->type() == QEvent::FocusOut &&
        static_cast<QFocusEvent*>(event)->reason() != Qt::PopupFocusReason) {
        QueryDone();
    }
    return QWidget::eventFilter(watched, event);
}

}  // namespace quorbex
