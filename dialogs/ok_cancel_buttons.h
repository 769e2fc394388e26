// The OK and Cancel buttons of the program's dialogs.
#pragma once

class QDialog;
class QDialogButtonBox;

namespace quorbex {

// OK and Cancel in the program's language, accepting and rejecting dialog.
QDialogButtonBox* OkCancelButtons(QDialog& dialog);

}  // namespace quorbex
