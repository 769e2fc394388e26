#include "platform/gbk_text.h"

#include "store/gbk_codec.h"

namespace quorbex::platform {

QString FromGbk(std::string_view gbk) {
    return QString::fromStdString(GbkToUtf8(gbk));
}

std::optional<std::string> ToGbk(const QString& text, QString* refused) {
    GbkEncodeError error;
    std::optional<std::string> gbk = Utf8ToGbk(text.toStdString(), &error);
    if (!gbk && refused != nullptr) {
        *refused = QString::fromStdString(error.character);
    }
    return gbk;
}

}  // namespace quorbex::platform
