#include "platform/instance_requests.h"

#include <gtest/gtest.h>

#include "tests/support/qstring_printer.h"

namespace quorbex::platform {
namespace {

using Kind = InstanceRequest::Kind;

TEST(InstanceRequests, GoOverTheSocketAndBackWhateverTheirPathsHold) {
    const std::vector<InstanceRequest> requests = {
        {Kind::Open, QStringLiteral("/wards/药物 字典.zvk"), QString()},
        {Kind::Print, QStringLiteral("/a\nb.zvk"), QString()},
        {Kind::PrintTo, QStringLiteral("/open"), QStringLiteral("print")},
    };
    const QStringList strings = EncodeRequests(requests);
    EXPECT_EQ(strings.size(), 7);
    EXPECT_EQ(DecodeRequests(strings), requests);
}

// What a stranger or an older program may send: the requests read up to the
// first string that begins none.
TEST(InstanceRequests, StopAtTheFirstStringThatBeginsNone) {
    const struct {
        const char* name;
        QStringList strings;
        std::size_t requests;
    } cases[] = {
        {"nothing", {}, 0},
        {"an unknown verb", {QStringLiteral("delete"), QStringLiteral("/a.zvk")}, 0},
        {"a verb without its file",
         {QStringLiteral("open"), QStringLiteral("/a.zvk"), QStringLiteral("open")},
         1},
        {"printto without its printer", {QStringLiteral("printto"), QStringLiteral("/a.zvk")}, 0},
        {"a known request after an unknown one",
         {QStringLiteral("x"), QStringLiteral("open"), QStringLiteral("/a.zvk")},
         0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(DecodeRequests(c.strings).size(), c.requests);
    }
}

}  // namespace
}  // namespace quorbex::platform
