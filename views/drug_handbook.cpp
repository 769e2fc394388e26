#include "views/drug_handbook.h"

#include <QAbstractTextDocumentLayout>
#include <QDir>
#include <QFileInfo>
#include <QPainter>
#include <QPrinter>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextTable>

#include "resources/strings.h"
#include "views/record_text.h"

namespace quorbex {

namespace {

// The contents list's page numbers take the room of this many digits from
// the start, so that filling them in moves nothing.
const QString PAGE_PLACEHOLDER = QStringLiteral("0000");
constexpr int MOST_LAYOUT_PASSES = 4;

QTextCharFormat Sized(const QFont& font, double scale, bool bold) {
    QTextCharFormat format;
    QFont sized = font;
    sized.setPointSizeF(font.pointSizeF() * scale);
    sized.setBold(bold);
    format.setFont(sized);
    return format;
}

QTextBlockFormat Centered(QTextFormat::PageBreakFlags pageBreak = QTextFormat::PageBreak_Auto) {
    QTextBlockFormat format;
    format.setAlignment(Qt::AlignHCenter);
    format.setPageBreakPolicy(pageBreak);
    return format;
}

}  // namespace

DrugHandbook::DrugHandbook(QString title, QDate date, std::vector<DrugFields> drugs, QFont font)
    : m_title(std::move(title)), m_date(date), m_drugs(std::move(drugs)), m_font(std::move(font)) {}

// The document with the contents list's page numbers given by pages (empty:
// placeholders); pages receives the page on which each drug's heading lies.
std::unique_ptr<QTextDocument> DrugHandbook::Layout(QPrinter& printer,
                                                    std::vector<int>& pages) const {
    auto document = std::make_unique<QTextDocument>();
    document->documentLayout()->setPaintDevice(&printer);
    document->setDefaultFont(m_font);
    QTextCursor cursor(document.get());
    // One edit: the layout follows once, at the end, not after every insertion.
    cursor.beginEditBlock();

    // The title page.
    cursor.setBlockFormat(Centered());
    QTextBlockFormat spaced = Centered();
    spaced.setTopMargin(printer.pageRect(QPrinter::DevicePixel).height() / 4);
    cursor.setBlockFormat(spaced);
    cursor.insertText(m_title, Sized(m_font, 2.4, true));
    cursor.insertBlock(Centered(), Sized(m_font, 1.6, false));
    cursor.insertText(Tr(UiText::HandbookSubtitle));
    cursor.insertBlock(Centered(), Sized(m_font, 1.0, false));
    cursor.insertText(m_date.toString(Qt::ISODate));
    cursor.insertBlock(Centered(QTextFormat::PageBreak_AlwaysAfter), Sized(m_font, 1.0, false));
    cursor.insertText(Tr(UiText::HandbookDrugCount).arg(m_drugs.size()));

    // The contents list: each name with the page of its entry.
    cursor.insertBlock(Centered(), Sized(m_font, 1.6, true));
    cursor.insertText(Tr(UiText::HandbookContents));
    cursor.insertBlock(QTextBlockFormat(), Sized(m_font, 1.0, false));
    QTextTableFormat tableFormat;
    tableFormat.setBorderStyle(QTextFrameFormat::BorderStyle_None);
    tableFormat.setWidth(QTextLength(QTextLength::PercentageLength, 100));
    tableFormat.setColumnWidthConstraints({QTextLength(QTextLength::PercentageLength, 85),
                                           QTextLength(QTextLength::PercentageLength, 15)});
    tableFormat.setCellPadding(1);
    if (!m_drugs.empty()) {
        QTextTable* contents = cursor.insertTable(static_cast<int>(m_drugs.size()), 2, tableFormat);
        for (std::size_t i = 0; i < m_drugs.size(); ++i) {
            const int row = static_cast<int>(i);
            contents->cellAt(row, 0).firstCursorPosition().insertText(RecordName(m_drugs[i]));
            QTextCursor page = contents->cellAt(row, 1).firstCursorPosition();
            QTextBlockFormat right;
            right.setAlignment(Qt::AlignRight);
            page.setBlockFormat(right);
            page.insertText(pages.empty() ? PAGE_PLACEHOLDER : QString::number(pages[i]));
        }
        cursor.movePosition(QTextCursor::End);
    }

    // Each drug under its name.
    std::vector<QTextBlock> headings;
    for (std::size_t i = 0; i < m_drugs.size(); ++i) {
        QTextBlockFormat heading;
        heading.setTopMargin(i == 0 ? 0 : m_font.pointSizeF());
        heading.setBottomMargin(m_font.pointSizeF() / 2);
        heading.setPageBreakPolicy(i == 0 ? QTextFormat::PageBreak_AlwaysBefore
                                          : QTextFormat::PageBreak_Auto);
        heading.setHeadingLevel(2);
        cursor.insertBlock(heading, Sized(m_font, 1.4, true));
        cursor.insertText(RecordName(m_drugs[i]));
        headings.push_back(cursor.block());
        for (const QString& line : RecordViewText(m_drugs[i]).split(QLatin1Char('\n'))) {
            cursor.insertBlock(QTextBlockFormat(), Sized(m_font, 1.0, false));
            cursor.insertText(line);
        }
    }

    cursor.endEditBlock();

    // Pages as tall as the printer's, less a line for the page number.
    const QRectF page = printer.pageRect(QPrinter::DevicePixel);
    const QFontMetricsF footer(m_font, &printer);
    document->setPageSize(QSizeF(page.width(), page.height() - 2 * footer.height()));
    const double pageHeight = document->pageSize().height();
    std::vector<int> found;
    for (const QTextBlock& block : headings) {
        const QRectF box = document->documentLayout()->blockBoundingRect(block);
        const double top = box.top() + block.layout()->lineAt(0).y();
        found.push_back(static_cast<int>(top / pageHeight) + 1);
    }
    pages = std::move(found);
    return document;
}

void DrugHandbook::Print(QPrinter& printer) const {
    // Filling in the page numbers could move a heading (a number wider than
    // its placeholder): lay out again until they hold.
    std::vector<int> pages;
    std::unique_ptr<QTextDocument> document = Layout(printer, pages);
    for (int pass = 1; pass < MOST_LAYOUT_PASSES; ++pass) {
        std::vector<int> filled = pages;
        document = Layout(printer, filled);
        if (filled == pages) {
            break;
        }
        pages = std::move(filled);
    }

    QPainter painter(&printer);
    const QSizeF pageSize = document->pageSize();
    const int pageCount = document->pageCount();
    QFont footerFont = m_font;
    painter.setFont(QFont(footerFont, &printer));
    const QRectF pageRect = printer.pageRect(QPrinter::DevicePixel);
    for (int index = 0; index < pageCount; ++index) {
        if (index > 0) {
            printer.newPage();
        }
        painter.save();
        const QRectF visible(0, index * pageSize.height(), pageSize.width(), pageSize.height());
        painter.translate(0, -visible.top());
        QAbstractTextDocumentLayout::PaintContext context;
        context.clip = visible;
        painter.setClipRect(visible);
        document->documentLayout()->draw(&painter, context);
        painter.restore();
        painter.drawText(
            QRectF(0, pageSize.height(), pageRect.width(), pageRect.height() - pageSize.height()),
            Qt::AlignCenter, Tr(UiText::HandbookPageFooter).arg(index + 1));
    }
}

QString DefaultPdfPath(const QString& dictionaryPath, const QString& title) {
    if (dictionaryPath.isEmpty()) {
        return QDir::home().filePath(title + QStringLiteral(".pdf"));
    }
    const QFileInfo file(dictionaryPath);
    return file.dir().filePath(file.completeBaseName() + QStringLiteral(".pdf"));
}

}  // namespace quorbex
