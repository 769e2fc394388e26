#include "views/record_text.h"

#include "platform/gbk_text.h"
#include "resources/strings.h"
#include "store/gbk_codec.h"

namespace quorbex {

namespace {

std::string Utf8(UiText heading) {
    return Tr(heading).toStdString();
}

}  // namespace

// Each field is turned into UTF-8 on its own, as the headings may hold
// characters GBK cannot.
std::string RecordViewUtf8(const DrugFields& record, FieldStarts& starts) {
    const DrugFields shown{
        .tradeName = GbkToUtf8(record.tradeName),
        .pinyinInitials = GbkToUtf8(record.pinyinInitials),
        .englishName = GbkToUtf8(record.englishName),
        .otherNames = GbkToUtf8(record.otherNames),
        .function = GbkToUtf8(record.function),
        .usage = GbkToUtf8(record.usage),
        .cautions = GbkToUtf8(record.cautions),
    };
    const RecordHeadings headings{
        .tradeName = Utf8(UiText::HeadingTradeName),
        .englishName = Utf8(UiText::HeadingEnglishName),
        .function = Utf8(UiText::HeadingFunction),
        .usage = Utf8(UiText::HeadingUsage),
        .cautions = Utf8(UiText::HeadingCautions),
    };
    return RenderRecordText(shown, headings, starts);
}

QString ShownText(const char* utf8, std::size_t size) {
    return QString::fromUtf8(utf8, static_cast<qsizetype>(size))
        .replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
}

QString RecordViewText(const DrugFields& record) {
    FieldStarts starts;
    const std::string text = RecordViewUtf8(record, starts);
    return ShownText(text.data(), text.size());
}

QString RecordName(const DrugFields& record) {
    return platform::FromGbk(ListedName(record));
}

}  // namespace quorbex
