#include "platform/file_names.h"

#include <gtest/gtest.h>

#include <QFile>

#include "platform/shown_name.h"
#include "tests/support/qstring_printer.h"

namespace quorbex::platform {
namespace {

// Every name goes back to its very bytes; UTF-8 reads as Qt reads it, and
// what is not UTF-8 shows as U+FFFD.
TEST(FileNames, EveryNameGoesBackToItsBytes) {
    struct Case {
        QByteArray bytes;
        QString shown;
    };
    const Case cases[] = {
        {"ward.zvk", QStringLiteral("ward.zvk")},
        {"/home/\xE7\x97\x85\xE6\x88\xBF.zvk", QStringLiteral("/home/病房.zvk")},
        {"\xB0\xA1.zvk", QStringLiteral("\uFFFD\uFFFD.zvk")},  // 啊 in GBK
        {"\xF0\x9F\x92\x8A", QStringLiteral("\U0001F48A")},
        // Cut short, overlong, a surrogate in UTF-8, past U+10FFFF.
        {"\xE7\x97", QStringLiteral("\uFFFD\uFFFD")},
        {"\xC0\xAF", QStringLiteral("\uFFFD\uFFFD")},
        {"\xED\xB2\x80", QStringLiteral("\uFFFD\uFFFD\uFFFD")},
        {"\xF4\x90\x80\x80", QStringLiteral("\uFFFD\uFFFD\uFFFD\uFFFD")},
        {"a\xFF"
         "b",
         QStringLiteral("a\uFFFD"
                        "b")},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.bytes.toHex().toStdString());
        const QString name = DecodeFileName(c.bytes);
        EXPECT_EQ(EncodeFileName(name), c.bytes);
        EXPECT_EQ(ShownName(name), c.shown);
        EXPECT_EQ(QtCanName(name), QString::fromUtf8(c.bytes).toUtf8() == c.bytes);
        if (QtCanName(name)) {
            EXPECT_EQ(name, QFile::decodeName(c.bytes));
        }
    }
}

}  // namespace
}  // namespace quorbex::platform
