#include "dialogs/ok_cancel_buttons.h"

#include <QDialog>
#include <QDialogButtonBox>
#include <QPushButton>

#include "platform/framework_strings.h"

namespace quorbex {

QDialogButtonBox* OkCancelButtons(QDialog& dialog) {
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel,
                                         Qt::Horizontal, &dialog);
    buttons->button(QDialogButtonBox::Ok)->setText(platform::Tr(platform::FrameworkText::OkButton));
    buttons->button(QDialogButtonBox::Cancel)
        ->setText(platform::Tr(platform::FrameworkText::CancelButton));
    QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
    return buttons;
}

}  // namespace quorbex
