// Dialogs laid out from templates: controls with positions in dialog
// units, which scale with the dialog's font as the font's average character
// width / 4 horizontally and its height / 8 vertically.
#pragma once

#include <QFont>
#include <QMap>
#include <QRect>
#include <span>

class QDialog;
class QWidget;

namespace quorbex::platform {

enum class ControlKind {
    Static,
    Icon,
    GroupBox,
    LineEdit,
    MultiLineEdit,
    PushButton,
    DefaultPushButton,
    RadioButton,
    ListBox,
};

// Control styles that change what the control does.
inline constexpr unsigned CTL_HIDDEN = 0x01;      // created but not visible
inline constexpr unsigned CTL_NO_TABSTOP = 0x02;  // never takes the focus by Tab
inline constexpr unsigned CTL_DISABLED = 0x04;
inline constexpr unsigned CTL_CENTER = 0x08;     // centred text
inline constexpr unsigned CTL_READ_ONLY = 0x10;  // text that can be selected, not edited

struct DialogControl {
    int id;
    ControlKind kind;
    const char* text;  // UTF-8; for an icon, the resource path of its picture
    int x, y, width, height;
    unsigned style = 0;
};

struct DialogTemplate {
    int id;
    const char* context;  // the translation context of the caption and the controls' texts
    const char* caption;  // UTF-8
    const char* fontFamily;
    int fontPointSize;
    int width, height;
    std::span<const DialogControl> controls;
    bool toolWindow = false;  // a small caption, staying above its owner
};

// Dialog base units of font: average character width and height in pixels.
QSize DialogBaseUnits(const QFont& font);
// A rectangle in dialog units, in pixels for the given base units.
QRect MapDialogRect(const QRect& dialogUnits, QSize baseUnits);

// A text of the template (its caption or a control's) as the dialog shows it.
QString TemplateText(const DialogTemplate& dialogTemplate, const char* text);

// Sets the dialog's caption, font and size from the template and creates
// its controls in template order (which is also the tab order), with the
// texts in the language of the installed translation. Answers the controls
// by id; controls with the id -1 are left out of the map.
QMap<int, QWidget*> BuildDialog(QDialog& dialog, const DialogTemplate& dialogTemplate);

}  // namespace quorbex::platform
