// The CSV reader's faults as the program words them in Chinese: the row, the
// drug, the field and the numbers of each fault.
#include "app/import_faults.h"

#include <gtest/gtest.h>

#include <QStringList>

#include "tests/support/qstring_printer.h"

namespace quorbex::testing {
namespace {

using Kind = csv::CsvFault::Kind;

csv::CsvFault Fault(Kind kind, std::size_t row, std::optional<Field> field = std::nullopt) {
    return csv::CsvFault(kind, row, field);
}

TEST(ImportFaults, NameTheRowTheDrugTheFieldAndTheNumbers) {
    csv::CsvFault tooLong = Fault(Kind::TooLong, 10, Field::EnglishName);
    tooLong.drugName = "奥美拉唑";
    tooLong.count = 29;
    tooLong.limit = 20;
    csv::CsvFault cells = Fault(Kind::CellCount, 4);
    cells.count = 9;
    cells.limit = 7;
    csv::CsvFault emoji = Fault(Kind::Unencodable, 3, Field::Cautions);
    emoji.drugName = "布洛芬";
    emoji.character = "\U0001F48A";
    csv::CsvFault twice = Fault(Kind::DuplicateField, 1, Field::Usage);
    twice.columns = {2, 5};
    csv::CsvFault skipped = Fault(Kind::SkippedColumns, 1);
    skipped.columns = {1, 6};
    skipped.names = {"序号", ""};
    csv::CsvFault tooMany = Fault(Kind::TooManyDrugs, 2002);
    tooMany.limit = 2000;
    const std::pair<csv::CsvFault, QString> cases[] = {
        {tooLong, QStringLiteral("第10行 (奥美拉唑): 英文名在GBK中有29个字节, 超过了20个")},
        {cells, QStringLiteral("第4行: 有9个单元格, 应该是7个")},
        {emoji,
         QStringLiteral("第3行 (布洛芬): 注意事项中有GBK无法表示的字符“\U0001F48A” (U+1F48A)")},
        {twice, QStringLiteral("第1行: 第2栏和第5栏都是用法")},
        {skipped, QStringLiteral("第1行: 跳过了2栏不是药物栏目的: “序号”、第6栏")},
        {tooMany,
         QStringLiteral("第2002行: 超过2000种药物, 这是一本字典最多能存放的; 读到这里为止")},
        {Fault(Kind::Empty, 0), QStringLiteral("文件中什么也没有")},
        {Fault(Kind::NotExportable, 7, Field::Function),
         QStringLiteral("第7条记录的功能: 字节不是有效的GBK文字, 会被写成U+FFFD")},
    };
    for (const auto& [fault, text] : cases) {
        EXPECT_EQ(DescribeImportFault(fault), text);
    }
}

TEST(ImportFaults, EveryKindIsWordedWithoutTheReadersEnglish) {
    for (int kind = static_cast<int>(Kind::Quoting); kind <= static_cast<int>(Kind::NotExportable);
         ++kind) {
        SCOPED_TRACE(kind);
        const QString text = DescribeImportFault(Fault(static_cast<Kind>(kind), 5, Field::Usage));
        EXPECT_FALSE(text.isEmpty());
        EXPECT_FALSE(text.contains(QStringLiteral("row"))) << text.toStdString();
        EXPECT_FALSE(text.contains(QStringLiteral("the "))) << text.toStdString();
    }
}

TEST(ImportFaults, ListTheFirstOnesAndCountTheRest) {
    csv::FaultList faults;
    for (std::size_t row = 2; row < 2 + csv::FaultList::MOST_SHOWN + 3; ++row) {
        faults.Add(Fault(Kind::NoName, row));
    }
    const QStringList lines = FaultLines(faults).split(QLatin1Char('\n'));
    ASSERT_EQ(lines.size(), static_cast<qsizetype>(csv::FaultList::MOST_SHOWN + 1));
    EXPECT_TRUE(lines.front().startsWith(QStringLiteral("第2行: ")));
    EXPECT_EQ(lines.back(), QStringLiteral("另有3处错误未列出。"));
}

}  // namespace
}  // namespace quorbex::testing
