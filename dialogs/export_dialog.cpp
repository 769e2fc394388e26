#include "dialogs/export_dialog.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "dialogs/ok_cancel_buttons.h"
#include "resources/strings.h"

namespace quorbex {

ExportDialog::ExportDialog(const QString& path, QWidget* parent)
    : QDialog(parent),
      m_path(new QLineEdit(path, this)),
      m_guard(new QCheckBox(Tr(UiText::GuardFormulas), this)) {
    setWindowTitle(Tr(UiText::ExportTitle));

    auto* browse = new QPushButton(Tr(UiText::BrowseButton), this);
    connect(browse, &QPushButton::clicked, this, &ExportDialog::Browse);
    auto* fileRow = new QHBoxLayout;
    fileRow->addWidget(m_path, 1);
    fileRow->addWidget(browse);
    auto* form = new QFormLayout;
    auto* fileLabel = new QLabel(Tr(UiText::ImportFileLabel), this);
    fileLabel->setBuddy(m_path);
    form->addRow(fileLabel, fileRow);

    m_guard->setChecked(true);

    QDialogButtonBox* buttons = OkCancelButtons(*this);
    m_ok = buttons->button(QDialogButtonBox::Ok);
    const auto update = [this] { m_ok->setEnabled(!Path().isEmpty()); };
    connect(m_path, &QLineEdit::textChanged, this, update);
    update();

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(m_guard);
    layout->addWidget(buttons);
    resize(520, sizeHint().height());
}

QString ExportDialog::Path() const {
    return m_path->text().trimmed();
}

csv::FormulaCells ExportDialog::Formulas() const {
    return m_guard->isChecked() ? csv::FormulaCells::Guarded : csv::FormulaCells::Plain;
}

void ExportDialog::Browse() {
    const QString path =
        QFileDialog::getSaveFileName(this, Tr(UiText::ExportTitle), Path(), Tr(UiText::CsvFilter));
    if (!path.isEmpty()) {
        m_path->setText(path);
    }
}

}  // namespace quorbex
