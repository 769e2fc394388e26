#include "dialogs/merge_conflict_dialog.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QStackedWidget>
#include <QVBoxLayout>
#include <algorithm>

#include "dialogs/ok_cancel_buttons.h"
#include "platform/framework_strings.h"
#include "platform/gbk_text.h"
#include "platform/user_interface.h"
#include "resources/strings.h"

namespace quorbex {

namespace {

constexpr int MINIMUM_WIDTH = 900;

// The fields in the order of the record text, each with its name.
constexpr std::pair<Field, UiText> FIELD_NAMES[] = {
    {Field::TradeName, UiText::FieldTradeName},     {Field::PinyinInitials, UiText::FieldPinyin},
    {Field::EnglishName, UiText::FieldEnglishName}, {Field::OtherNames, UiText::FieldOtherNames},
    {Field::Function, UiText::FieldFunction},       {Field::Usage, UiText::FieldUsage},
    {Field::Cautions, UiText::FieldCautions},
};

std::size_t IndexOf(Field field) {
    return static_cast<std::size_t>(field);
}

bool InConflict(const MergeConflict& conflict, Field field) {
    return std::find(conflict.fields.begin(), conflict.fields.end(), field) !=
           conflict.fields.end();
}

QLineEdit* ShownText(const std::optional<RecordBytes>& version, Field field, QWidget* parent) {
    auto* box = new QLineEdit(parent);
    box->setReadOnly(true);
    if (version) {
        box->setText(platform::FromGbk(FieldText(*version, field)));
        box->setCursorPosition(0);
        // The long texts do not fit the box: the whole text on the pointer.
        box->setToolTip(box->text());
    } else {
        box->setPlaceholderText(Tr(UiText::DeletedVersion));
    }
    return box;
}

QString ListedNameOf(const MergeConflict& conflict) {
    const QString name = platform::FromGbk(conflict.identity.Name());
    return conflict.identity.occurrence == 0
               ? name
               : QStringLiteral("%1 #%2").arg(name).arg(conflict.identity.occurrence + 1);
}

}  // namespace

MergeConflictDialog::MergeConflictDialog(platform::UserInterface& ui, QWidget* parent)
    : QDialog(parent),
      m_ui(ui),
      m_drugs(new QListWidget(this)),
      m_stack(new QStackedWidget(this)),
      m_ok(nullptr) {
    setWindowTitle(Tr(UiText::ConflictDialogTitle));
    setMinimumWidth(MINIMUM_WIDTH);
    auto* intro = new QLabel(Tr(UiText::ConflictDialogIntro), this);
    intro->setWordWrap(true);
    QDialogButtonBox* buttons = OkCancelButtons(*this);
    m_ok = buttons->button(QDialogButtonBox::Ok);

    m_drugs->setMaximumWidth(MINIMUM_WIDTH / 4);
    connect(m_drugs, &QListWidget::currentRowChanged, m_stack, &QStackedWidget::setCurrentIndex);
    auto* body = new QHBoxLayout;
    body->addWidget(m_drugs);
    body->addWidget(m_stack, 1);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(intro);
    layout->addLayout(body, 1);
    layout->addWidget(buttons);
}

MergeConflictDialog::~MergeConflictDialog() = default;

std::optional<std::vector<ConflictResolution>> MergeConflictDialog::Settle(
    const std::vector<MergeConflict>& conflicts) {
    Show(conflicts);
    if (exec() != QDialog::Accepted) {
        return std::nullopt;
    }
    return m_accepted;
}

void MergeConflictDialog::Show(const std::vector<MergeConflict>& conflicts) {
    m_conflicts = conflicts;
    m_pages.assign(conflicts.size(), Page{});
    m_drugs->clear();
    while (m_stack->count() > 0) {
        QWidget* page = m_stack->widget(0);
        m_stack->removeWidget(page);
        delete page;
    }
    for (std::size_t i = 0; i < conflicts.size(); ++i) {
        m_drugs->addItem(ListedNameOf(conflicts[i]));
        m_stack->addWidget(MakePage(conflicts[i], m_pages[i]));
    }
    m_drugs->setCurrentRow(0);
}

// A row for each field: its name, mine, theirs, and for a field in conflict
// the result with the buttons that take either side.
QWidget* MergeConflictDialog::MakePage(const MergeConflict& conflict, Page& page) {
    auto* widget = new QWidget;
    auto* grid = new QGridLayout(widget);
    const UiText headings[] = {UiText::ConflictFieldColumn, UiText::ConflictMineColumn,
                               UiText::ConflictTheirsColumn, UiText::ConflictResultColumn};
    for (int column = 0; column < 4; ++column) {
        grid->addWidget(new QLabel(QStringLiteral("<b>%1</b>").arg(Tr(headings[column])), widget),
                        0, column);
    }
    const bool deletion = conflict.kind != ConflictKind::ChangedOnBoth;
    const std::optional<RecordBytes>& kept = conflict.ours ? conflict.ours : conflict.theirs;
    int row = 1;
    for (const auto& [field, name] : FIELD_NAMES) {
        grid->addWidget(new QLabel(Tr(name), widget), row, 0);
        grid->addWidget(ShownText(conflict.ours, field, widget), row, 1);
        grid->addWidget(ShownText(conflict.theirs, field, widget), row, 2);
        if (InConflict(conflict, field)) {
            const std::size_t at = IndexOf(field);
            auto* result = new QLineEdit(widget);
            result->setText(platform::FromGbk(FieldText(*kept, field)));
            result->setCursorPosition(0);
            page.results[at] = result;
            grid->addWidget(result, row, 3);
            if (!deletion) {
                const QString mine = platform::FromGbk(FieldText(*conflict.ours, field));
                const QString theirs = platform::FromGbk(FieldText(*conflict.theirs, field));
                page.takeMine[at] = new QPushButton(Tr(UiText::TakeMine), widget);
                page.takeTheirs[at] = new QPushButton(Tr(UiText::TakeTheirs), widget);
                page.takeMine[at]->setAutoDefault(false);
                page.takeTheirs[at]->setAutoDefault(false);
                connect(page.takeMine[at], &QPushButton::clicked, result,
                        [result, mine] { result->setText(mine); });
                connect(page.takeTheirs[at], &QPushButton::clicked, result,
                        [result, theirs] { result->setText(theirs); });
                grid->addWidget(page.takeMine[at], row, 4);
                grid->addWidget(page.takeTheirs[at], row, 5);
            }
        }
        ++row;
    }
    grid->setColumnStretch(1, 1);
    grid->setColumnStretch(2, 1);
    grid->setColumnStretch(3, 1);
    if (deletion) {
        page.keep = new QCheckBox(Tr(UiText::KeepDrug), widget);
        // As mine: what this side did to the drug.
        page.keep->setChecked(conflict.kind == ConflictKind::DeletedInTheirs);
        grid->addWidget(page.keep, row, 0, 1, 4);
        ++row;
    }
    grid->setRowStretch(row, 1);
    return widget;
}

QLineEdit* MergeConflictDialog::ResultBox(int conflict, Field field) const {
    return conflict >= 0 && static_cast<std::size_t>(conflict) < m_pages.size()
               ? m_pages[static_cast<std::size_t>(conflict)].results[IndexOf(field)]
               : nullptr;
}

QPushButton* MergeConflictDialog::TakeMineButton(int conflict, Field field) const {
    return conflict >= 0 && static_cast<std::size_t>(conflict) < m_pages.size()
               ? m_pages[static_cast<std::size_t>(conflict)].takeMine[IndexOf(field)]
               : nullptr;
}

QPushButton* MergeConflictDialog::TakeTheirsButton(int conflict, Field field) const {
    return conflict >= 0 && static_cast<std::size_t>(conflict) < m_pages.size()
               ? m_pages[static_cast<std::size_t>(conflict)].takeTheirs[IndexOf(field)]
               : nullptr;
}

QCheckBox* MergeConflictDialog::KeepBox(int conflict) const {
    return conflict >= 0 && static_cast<std::size_t>(conflict) < m_pages.size()
               ? m_pages[static_cast<std::size_t>(conflict)].keep
               : nullptr;
}

// A result that is mine or theirs takes that side's bytes, as they are;
// anything else is the text as edited.
std::optional<std::vector<ConflictResolution>> MergeConflictDialog::Resolutions() {
    std::vector<ConflictResolution> resolutions;
    for (std::size_t i = 0; i < m_conflicts.size(); ++i) {
        const MergeConflict& conflict = m_conflicts[i];
        const Page& page = m_pages[i];
        const bool deletion = conflict.kind != ConflictKind::ChangedOnBoth;
        ConflictResolution resolution = Prefer(conflict, Side::Ours);
        if (deletion) {
            resolution.keep = page.keep->isChecked();
        }
        const std::optional<RecordBytes>& kept = conflict.ours ? conflict.ours : conflict.theirs;
        for (const Field field : conflict.fields) {
            QLineEdit* box = page.results[IndexOf(field)];
            QString refused;
            const std::optional<std::string> text = platform::ToGbk(box->text(), &refused);
            if (!text) {
                m_drugs->setCurrentRow(static_cast<int>(i));
                box->setFocus();
                m_ui.MessageBox(
                    platform::Tr(platform::FrameworkText::RefusedCharacter).arg(refused),
                    Tr(UiText::InputErrorCaption), QMessageBox::Warning);
                return std::nullopt;
            }
            FieldChoice& choice = resolution.fields[IndexOf(field)];
            if (deletion) {
                if (*text != FieldText(*kept, field)) {
                    choice = {FieldChoice::Source::Edited, *text};
                }
            } else if (*text == FieldText(*conflict.ours, field)) {
                choice = {FieldChoice::Source::Ours, {}};
            } else if (*text == FieldText(*conflict.theirs, field)) {
                choice = {FieldChoice::Source::Theirs, {}};
            } else {
                choice = {FieldChoice::Source::Edited, *text};
            }
        }
        resolutions.push_back(std::move(resolution));
    }
    return resolutions;
}

void MergeConflictDialog::accept() {
    if (std::optional<std::vector<ConflictResolution>> resolutions = Resolutions()) {
        m_accepted = std::move(*resolutions);
        QDialog::accept();
    }
}

}  // namespace quorbex
