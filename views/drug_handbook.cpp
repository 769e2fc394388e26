#include "views/drug_handbook.h"

#include <QAbstractTextDocumentLayout>
#include <QDir>
#include <QFileInfo>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextLayout>

#include "resources/strings.h"
#include "views/handbook_pages.h"
#include "views/record_text.h"

namespace quorbex {

namespace {

constexpr double TITLE_SCALE = 2.4;
constexpr double SUBTITLE_SCALE = 1.6;
constexpr double HEADING_SCALE = 1.4;
// Less than any line's height, in device pixels.
constexpr double SLICE_TOUCH = 1.0;

QFont Scaled(const QFont& font, double scale, bool bold) {
    QFont scaled = font;
    scaled.setPointSizeF(font.pointSizeF() * scale);
    scaled.setBold(bold);
    return scaled;
}

QTextCharFormat Sized(const QFont& font, double scale, bool bold) {
    QTextCharFormat format;
    format.setFont(Scaled(font, scale, bold));
    return format;
}

// The bands of a page in device pixels, the painter's origin at the top
// left corner inside the margins.
struct PageBands {
    double width;
    double height;
    double headHeight;  // the running head, with the space under it
    double footHeight;  // the page number
};

PageBands BandsOf(QPagedPaintDevice& device, const QFont& font) {
    const QRect paint = device.pageLayout().paintRectPixels(device.logicalDpiX());
    const QFontMetricsF metrics(font, &device);
    return {static_cast<double>(paint.width()), static_cast<double>(paint.height()),
            2 * metrics.height(), 2 * metrics.height()};
}

// The drug section laid out as one long column, and where its pages break.
struct DrugColumn {
    std::unique_ptr<QTextDocument> document;
    std::vector<HandbookLine> lines;
    std::vector<HandbookPage> pages;
};

// The contents list: under its heading, one line per drug, its name at the
// left margin and the page of its entry at the right.
class ContentsList {
public:
    ContentsList(QPagedPaintDevice& device, const PageBands& bands, const QFont& font,
                 std::size_t entries)
        : m_lineHeight(QFontMetricsF(font, &device).lineSpacing()),
          m_headingHeight(2 * QFontMetricsF(Scaled(font, SUBTITLE_SCALE, true), &device).height()),
          m_entries(entries) {
        const double room = bands.height - bands.footHeight;
        m_firstPageLines = std::max<std::size_t>(
            1, static_cast<std::size_t>((room - m_headingHeight) / m_lineHeight));
        m_pageLines = std::max<std::size_t>(1, static_cast<std::size_t>(room / m_lineHeight));
    }

    int PageCount() const {
        if (m_entries <= m_firstPageLines) {
            return 1;
        }
        return 1 + static_cast<int>((m_entries - m_firstPageLines + m_pageLines - 1) / m_pageLines);
    }

    // The entries of contents page index (from 0), and where the first goes.
    std::size_t FirstEntry(int index) const {
        return index == 0 ? 0 : m_firstPageLines + (index - 1) * m_pageLines;
    }
    std::size_t EndEntry(int index) const { return std::min(m_entries, FirstEntry(index + 1)); }
    double Top(int index) const { return index == 0 ? m_headingHeight : 0; }
    double LineHeight() const { return m_lineHeight; }
    double HeadingHeight() const { return m_headingHeight; }

private:
    double m_lineHeight;
    double m_headingHeight;
    std::size_t m_entries;
    std::size_t m_firstPageLines = 1;
    std::size_t m_pageLines = 1;
};

DrugColumn LayOutDrugs(QPagedPaintDevice& device, const PageBands& bands,
                       const std::vector<DrugFields>& drugs, const QFont& font,
                       double continuedHeight) {
    DrugColumn column{std::make_unique<QTextDocument>(), {}, {}};
    QTextDocument& document = *column.document;
    document.documentLayout()->setPaintDevice(&device);
    document.setDefaultFont(font);
    // The page's margins are the device's; the text starts at them.
    document.setDocumentMargin(0);
    // One column as wide as the page and as long as the text: the pages
    // break where BreakIntoPages says.
    document.setTextWidth(bands.width);
    QTextCursor cursor(&document);
    // One edit: the layout follows once, at the end, not after every insertion.
    cursor.beginEditBlock();
    std::vector<std::pair<QTextBlock, std::size_t>> headings;
    for (std::size_t i = 0; i < drugs.size(); ++i) {
        QTextBlockFormat heading;
        heading.setTopMargin(i == 0 ? 0 : font.pointSizeF());
        heading.setBottomMargin(font.pointSizeF() / 2);
        heading.setHeadingLevel(2);
        if (i == 0) {
            cursor.setBlockFormat(heading);
            cursor.setCharFormat(Sized(font, HEADING_SCALE, true));
        } else {
            cursor.insertBlock(heading, Sized(font, HEADING_SCALE, true));
        }
        cursor.insertText(RecordName(drugs[i]));
        headings.emplace_back(cursor.block(), i);
        for (const QString& line : RecordViewText(drugs[i]).split(QLatin1Char('\n'))) {
            cursor.insertBlock(QTextBlockFormat(), Sized(font, 1.0, false));
            cursor.insertText(line);
        }
    }
    cursor.endEditBlock();

    // Every line of the column, from the top: a page may begin at a heading
    // or at any line of a drug's text but its first.
    QAbstractTextDocumentLayout* layout = document.documentLayout();
    std::size_t next = 0;  // the next heading
    std::size_t drug = 0;
    bool firstOfText = false;  // the next line is the first under a heading
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        const bool isHeading = next < headings.size() && headings[next].first == block;
        if (isHeading) {
            drug = headings[next++].second;
            firstOfText = true;
        }
        const double blockTop = layout->blockBoundingRect(block).top();
        const QTextLayout* lines = block.layout();
        for (int i = 0; i < lines->lineCount(); ++i) {
            const QTextLine line = lines->lineAt(i);
            const double top = blockTop + line.y();
            const bool startsDrug = isHeading && i == 0;
            column.lines.push_back({top, top + line.height(), drug, startsDrug,
                                    startsDrug || (!isHeading && !firstOfText)});
            firstOfText = firstOfText && isHeading;
        }
    }
    column.pages = BreakIntoPages(column.lines, bands.height - bands.headHeight - bands.footHeight,
                                  continuedHeight);
    return column;
}

class HandbookPainter {
public:
    HandbookPainter(QPainter& painter, QPagedPaintDevice& device, const PageBands& bands,
                    const QFont& font)
        : m_painter(painter), m_device(device), m_bands(bands), m_font(font) {}

    void NewPage() {
        if (m_pageNumber > 0) {
            m_device.newPage();
        }
        ++m_pageNumber;
        m_painter.setFont(QFont(m_font, &m_device));
        m_painter.drawText(
            QRectF(0, m_bands.height - m_bands.footHeight, m_bands.width, m_bands.footHeight),
            Qt::AlignCenter, Tr(UiText::HandbookPageFooter).arg(m_pageNumber));
    }

    // Paints the document's part from top to bottom at y on the page.
    void DrawSlice(QTextDocument& document, double top, double bottom, double y) {
        m_painter.save();
        m_painter.translate(0, y - top);
        const QRectF slice(0, top, m_bands.width, bottom - top);
        m_painter.setClipRect(slice);
        // The lines that only touch the slice belong to the pages before and
        // after it: drawn here, hidden by the clip, their text would still be
        // in the page for a search or a copy to find.
        QAbstractTextDocumentLayout::PaintContext context;
        context.clip = slice.adjusted(0, SLICE_TOUCH, 0, -SLICE_TOUCH);
        document.documentLayout()->draw(&m_painter, context);
        m_painter.restore();
    }

    // The names of the page's first and last drugs over a rule.
    void DrawRunningHead(const QString& first, const QString& last) {
        const QFont head(Scaled(m_font, 1.0, true), &m_device);
        m_painter.setFont(head);
        const double height = QFontMetricsF(head, &m_device).height();
        const QRectF line(0, 0, m_bands.width, height);
        m_painter.drawText(line, Qt::AlignLeft | Qt::AlignVCenter, first);
        if (last != first) {
            m_painter.drawText(line, Qt::AlignRight | Qt::AlignVCenter, last);
        }
        const double rule = height + (m_bands.headHeight - height) / 3;
        m_painter.drawLine(QLineF(0, rule, m_bands.width, rule));
    }

    // The heading of a drug continued from the page before, at y.
    void DrawContinued(const QString& name, double y, double height) {
        const QFont heading(Scaled(m_font, HEADING_SCALE, true), &m_device);
        m_painter.setFont(heading);
        m_painter.drawText(QRectF(0, y, m_bands.width, height), Qt::AlignLeft | Qt::AlignTop,
                           Tr(UiText::HandbookContinued).arg(name));
    }

    // The title page: the title a quarter down the page, then under it the
    // subtitle, the date, the number of drugs and the details.
    void DrawTitlePage(const QString& title, const QDate& date, std::size_t drugs,
                       const QStringList& details) {
        std::vector<std::pair<QString, QFont>> lines{
            {title, Scaled(m_font, TITLE_SCALE, true)},
            {Tr(UiText::HandbookSubtitle), Scaled(m_font, SUBTITLE_SCALE, false)},
            {date.toString(Qt::ISODate), m_font},
            {Tr(UiText::HandbookDrugCount).arg(drugs), m_font}};
        for (const QString& detail : details) {
            lines.emplace_back(detail, m_font);
        }
        double y = m_bands.height / 4;
        for (const auto& [text, font] : lines) {
            m_painter.setFont(QFont(font, &m_device));
            const QRectF room(0, y, m_bands.width, m_bands.height - m_bands.footHeight - y);
            QRectF used;
            m_painter.drawText(room, Qt::AlignHCenter | Qt::AlignTop | Qt::TextWordWrap, text,
                               &used);
            y += std::max(used.height(), QFontMetricsF(m_painter.font(), &m_device).height());
        }
    }

    // One page of the contents list: the entries first to end, with the
    // pages of their drugs.
    void DrawContents(const ContentsList& contents, int index, const std::vector<QString>& names,
                      const std::vector<int>& pages) {
        if (index == 0) {
            m_painter.setFont(QFont(Scaled(m_font, SUBTITLE_SCALE, true), &m_device));
            m_painter.drawText(QRectF(0, 0, m_bands.width, contents.HeadingHeight()),
                               Qt::AlignHCenter | Qt::AlignTop, Tr(UiText::HandbookContents));
        }
        m_painter.setFont(QFont(m_font, &m_device));
        double y = contents.Top(index);
        for (std::size_t entry = contents.FirstEntry(index); entry < contents.EndEntry(index);
             ++entry) {
            const QRectF line(0, y, m_bands.width, contents.LineHeight());
            const QString page = QString::number(pages[entry]);
            const double numberWidth =
                m_painter.fontMetrics().horizontalAdvance(page + QLatin1Char(' '));
            m_painter.drawText(
                line.adjusted(0, 0, -numberWidth, 0), Qt::AlignLeft | Qt::AlignVCenter,
                m_painter.fontMetrics().elidedText(names[entry], Qt::ElideRight,
                                                   static_cast<int>(line.width() - numberWidth)));
            m_painter.drawText(line, Qt::AlignRight | Qt::AlignVCenter, page);
            y += contents.LineHeight();
        }
    }

private:
    QPainter& m_painter;
    QPagedPaintDevice& m_device;
    const PageBands& m_bands;
    const QFont& m_font;
    int m_pageNumber = 0;
};

}  // namespace

DrugHandbook::DrugHandbook(QString title, QDate date, QStringList details,
                           std::vector<DrugFields> drugs, QFont font)
    : m_title(std::move(title)),
      m_date(date),
      m_details(std::move(details)),
      m_drugs(std::move(drugs)),
      m_font(std::move(font)) {}

bool DrugHandbook::Print(QPagedPaintDevice& device) const {
    QPainter painter;
    if (!painter.begin(&device)) {
        return false;
    }
    const PageBands bands = BandsOf(device, m_font);
    const QFontMetricsF headingMetrics(Scaled(m_font, HEADING_SCALE, true), &device);
    const double continuedHeight = headingMetrics.height() * 1.5;
    const DrugColumn column = LayOutDrugs(device, bands, m_drugs, m_font, continuedHeight);

    // The page of each drug's heading, counted within the drug section.
    std::vector<int> headingPages(m_drugs.size());
    for (std::size_t page = 0; page < column.pages.size(); ++page) {
        for (std::size_t line = column.pages[page].firstLine; line < column.pages[page].endLine;
             ++line) {
            if (column.lines[line].startsDrug) {
                headingPages[column.lines[line].drug] = static_cast<int>(page);
            }
        }
    }
    const ContentsList contents(device, bands, m_font, m_drugs.size());
    const int frontPages = 1 + contents.PageCount();
    std::vector<QString> names;
    std::vector<int> pageNumbers;
    for (std::size_t i = 0; i < m_drugs.size(); ++i) {
        names.push_back(RecordName(m_drugs[i]));
        pageNumbers.push_back(frontPages + headingPages[i] + 1);
    }

    HandbookPainter pages(painter, device, bands, m_font);
    pages.NewPage();
    pages.DrawTitlePage(m_title, m_date, m_drugs.size(), m_details);
    for (int index = 0; index < contents.PageCount(); ++index) {
        pages.NewPage();
        pages.DrawContents(contents, index, names, pageNumbers);
    }
    for (const HandbookPage& page : column.pages) {
        pages.NewPage();
        const HandbookLine& first = column.lines[page.firstLine];
        const HandbookLine& last = column.lines[page.endLine - 1];
        pages.DrawRunningHead(names[first.drug], names[last.drug]);
        double y = bands.headHeight;
        if (page.continued) {
            pages.DrawContinued(names[first.drug], y, continuedHeight);
            y += continuedHeight;
        }
        const double bottom = page.endLine < column.lines.size() ? column.lines[page.endLine].top
                                                                 : column.lines.back().bottom;
        pages.DrawSlice(*column.document, first.top, bottom, y);
    }
    return painter.end();
}

QString DefaultPdfPath(const QString& dictionaryPath, const QString& title) {
    if (dictionaryPath.isEmpty()) {
        return QDir::home().filePath(title + QStringLiteral(".pdf"));
    }
    const QFileInfo file(dictionaryPath);
    return file.dir().filePath(file.completeBaseName() + QStringLiteral(".pdf"));
}

}  // namespace quorbex
