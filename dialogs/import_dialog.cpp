#include "dialogs/import_dialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "platform/framework_strings.h"
#include "resources/strings.h"

namespace quorbex {

ImportDialog::ImportDialog(bool canAppend, QWidget* parent)
    : QDialog(parent),
      m_path(new QLineEdit(this)),
      m_encoding(new QComboBox(this)),
      m_newDictionary(new QRadioButton(Tr(UiText::ImportIntoNew), this)),
      m_append(new QRadioButton(Tr(UiText::ImportAppend), this)),
      m_unguard(new QCheckBox(Tr(UiText::UnguardFormulas), this)) {
    setWindowTitle(Tr(UiText::ImportTitle));

    auto* browse = new QPushButton(Tr(UiText::BrowseButton), this);
    connect(browse, &QPushButton::clicked, this, &ImportDialog::Browse);
    auto* fileRow = new QHBoxLayout;
    fileRow->addWidget(m_path, 1);
    fileRow->addWidget(browse);

    m_encoding->addItem(Tr(UiText::EncodingAuto), static_cast<int>(csv::TextEncoding::Auto));
    m_encoding->addItem(QStringLiteral("UTF-8"), static_cast<int>(csv::TextEncoding::Utf8));
    m_encoding->addItem(QStringLiteral("GBK (GB18030)"), static_cast<int>(csv::TextEncoding::Gbk));

    m_append->setEnabled(canAppend);
    (canAppend ? m_append : m_newDictionary)->setChecked(true);
    m_unguard->setChecked(true);

    auto* form = new QFormLayout;
    // A row of a box and a button: its label needs its buddy named.
    auto* fileLabel = new QLabel(Tr(UiText::ImportFileLabel), this);
    fileLabel->setBuddy(m_path);
    form->addRow(fileLabel, fileRow);
    form->addRow(Tr(UiText::ImportEncodingLabel), m_encoding);
    auto* buttons =
        new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, Qt::Horizontal, this);
    m_ok = buttons->button(QDialogButtonBox::Ok);
    m_ok->setText(platform::Tr(platform::FrameworkText::OkButton));
    buttons->button(QDialogButtonBox::Cancel)
        ->setText(platform::Tr(platform::FrameworkText::CancelButton));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    // Nothing to import until a file is named.
    const auto update = [this] { m_ok->setEnabled(!Path().isEmpty()); };
    connect(m_path, &QLineEdit::textChanged, this, update);
    update();

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(m_newDictionary);
    layout->addWidget(m_append);
    layout->addWidget(m_unguard);
    layout->addWidget(buttons);
    resize(520, sizeHint().height());
}

QString ImportDialog::Path() const {
    return m_path->text().trimmed();
}

csv::TextEncoding ImportDialog::Encoding() const {
    return static_cast<csv::TextEncoding>(m_encoding->currentData().toInt());
}

bool ImportDialog::AppendToOpenDictionary() const {
    return m_append->isChecked();
}

csv::FormulaCells ImportDialog::Formulas() const {
    return m_unguard->isChecked() ? csv::FormulaCells::Guarded : csv::FormulaCells::Plain;
}

void ImportDialog::Browse() {
    const QString path =
        QFileDialog::getOpenFileName(this, Tr(UiText::ImportTitle), Path(), Tr(UiText::CsvFilter));
    if (!path.isEmpty()) {
        m_path->setText(path);
    }
}

}  // namespace quorbex
