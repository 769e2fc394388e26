#include "views/drug_suggestions.h"

#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>
#include <algorithm>

#include "document/zorvik_drug_doc.h"
#include "platform/gbk_text.h"
#include "resources/strings.h"

namespace quorbex {

DrugSuggestions::DrugSuggestions(CZorvikDrugDoc& document, QWidget* parent)
    : QFrame(parent),
      m_document(document),
      m_heading(new QLabel(this)),
      m_layout(new QVBoxLayout(this)) {
    setObjectName(QStringLiteral("drugSuggestions"));
    setAutoFillBackground(true);
    m_heading->setText(Tr(UiText::DidYouMean));
    m_layout->addWidget(m_heading);
    m_layout->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    connect(&document, &CZorvikDrugDoc::currentChanged, this, &DrugSuggestions::Update);
    Update();
}

QList<QAbstractButton*> DrugSuggestions::Buttons() const {
    return findChildren<QAbstractButton*>(QString(), Qt::FindDirectChildrenOnly);
}

// Shown only while no record is: every change of the results tells the
// current one again.
void DrugSuggestions::Update() {
    for (QAbstractButton* button : Buttons()) {
        delete button;
    }
    const std::vector<std::uint32_t>& suggestions = m_document.GetSuggestions();
    const bool shown = m_document.GetCurrentIndex() < 0 && !suggestions.empty();
    if (shown) {
        RecordStore& store = m_document.GetStore();
        for (std::size_t i = 0; i < suggestions.size(); ++i) {
            const QString name =
                platform::FromGbk(store.PeekField(suggestions[i], Field::TradeName));
            const QString english =
                platform::FromGbk(store.PeekField(suggestions[i], Field::EnglishName));
            auto* button = new QPushButton(
                english.isEmpty() ? name : QStringLiteral("%1 (%2)").arg(name, english), this);
            button->setAutoDefault(true);  // Enter takes it, as a click does
            button->setFlat(true);
            // Drawn as a link: a name to click.
            button->setStyleSheet(QStringLiteral(
                "text-align: left; color: palette(link); text-decoration: underline"));
            m_layout->addWidget(button);
            button->show();  // counted in the size at once, even while this is shown
            // Queued: taking it replaces the results, and with them this button.
            connect(
                button, &QPushButton::clicked, this,
                [this, i] {
                    if (m_document.TakeSuggestion(i)) {
                        emit taken();
                    }
                },
                Qt::QueuedConnection);
        }
    }
    setVisible(shown);
    if (shown) {
        // The buttons' size is known once the layout has taken them in.
        m_layout->activate();
        resize(std::max(sizeHint().width(), parentWidget()->width()), sizeHint().height());
    }
}

}  // namespace quorbex
