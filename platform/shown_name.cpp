#include "platform/shown_name.h"

#include <QList>

namespace quorbex::platform {

namespace {

constexpr char32_t CONTROL_PICTURES = 0x2400;  // ␀, the picture of U+0000
constexpr char32_t DELETE_PICTURE = 0x2421;    // ␡

bool ChangesTheReading(char32_t c) {
    return c == 0x061C || c == 0x200E || c == 0x200F || (c >= 0x202A && c <= 0x202E) ||
           (c >= 0x2066 && c <= 0x2069) || c == 0x2028 || c == 0x2029 || (c >= 0x80 && c <= 0x9F);
}

}  // namespace

QString ShownName(const QString& name) {
    QString shown;
    shown.reserve(name.size());
    for (const char32_t c : name.toUcs4()) {
        if (c < 0x20) {
            shown.append(QChar(static_cast<char16_t>(CONTROL_PICTURES + c)));
        } else if (c == 0x7F) {
            shown.append(QChar(static_cast<char16_t>(DELETE_PICTURE)));
        } else if (ChangesTheReading(c)) {
            const QString code = QString::number(static_cast<uint>(c), 16).toUpper();
            shown.append(QStringLiteral("<U+%1>").arg(code.rightJustified(4, QLatin1Char('0'))));
        } else {
            shown.append(QString::fromUcs4(&c, 1));
        }
    }
    return shown;
}

}  // namespace quorbex::platform
