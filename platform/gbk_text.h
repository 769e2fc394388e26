// Dictionary texts (GBK bytes) as the widgets show them, and back.
#pragma once

#include <QString>
#include <optional>
#include <string>
#include <string_view>

namespace quorbex::platform {

// A field that ends in a lone lead byte still converts.
QString FromGbk(std::string_view gbk);
// Nothing when GBK cannot hold the text; refused then receives the first
// character it cannot hold, where given.
std::optional<std::string> ToGbk(const QString& text, QString* refused = nullptr);

}  // namespace quorbex::platform
