#include "platform/shown_name.h"

#include <gtest/gtest.h>

#include "tests/support/qstring_printer.h"

namespace quorbex::platform {
namespace {

TEST(ShownName, MakesWhatWouldNotShowOrWouldTurnTheTextVisible) {
    struct Case {
        QString name;
        QString shown;
    };
    const Case cases[] = {
        {QStringLiteral("病房 3.zvk"), QStringLiteral("病房 3.zvk")},
        {QStringLiteral("ward\n3.zvk"), QStringLiteral("ward␊3.zvk")},
        {QStringLiteral("a\tb\rc\x1b[31m.zvk"), QStringLiteral("a␉b␍c␛[31m.zvk")},
        {QStringLiteral("del\x7f.zvk"), QStringLiteral("del␡.zvk")},
        // Read right to left, "gepj.zvk" would pass for a picture.
        {QStringLiteral("drug\u202Egepj.zvk"), QStringLiteral("drug<U+202E>gepj.zvk")},
        {QStringLiteral("\u2066a\u2069\u200F\u061C\u2028"),
         QStringLiteral("<U+2066>a<U+2069><U+200F><U+061C><U+2028>")},
        {QStringLiteral("next\u0085line"), QStringLiteral("next<U+0085>line")},
        // A name that was not valid UTF-8 keeps its replacement characters.
        {QStringLiteral("\uFFFD\uFFFD.zvk"), QStringLiteral("\uFFFD\uFFFD.zvk")},
        {QString(QChar(0xDC80)) + QStringLiteral(".zvk"), QStringLiteral("\uFFFD.zvk")},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(ShownName(c.name), c.shown);
    }
}

}  // namespace
}  // namespace quorbex::platform
