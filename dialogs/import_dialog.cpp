#include "dialogs/import_dialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFile>
#include <QFileDialog>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QSettings>
#include <QTableWidget>
#include <QVBoxLayout>

#include "csv/column_names.h"
#include "csv/csv_text.h"
#include "dialogs/ok_cancel_buttons.h"
#include "platform/gbk_text.h"
#include "platform/regular_file.h"
#include "resources/strings.h"

namespace quorbex {

namespace {

// The columns chosen at the last import, and whether its first row was a
// header row.
const QString COLUMNS_KEY = QStringLiteral("Import/Columns");
const QString HEADER_ROW_KEY = QStringLiteral("Import/HeaderRow");
constexpr int SKIPPED = -1;

// Enough of the file for its first rows.
constexpr qint64 PREVIEW_BYTES = 64 * 1024;
constexpr std::size_t PREVIEW_ROWS = 6;
constexpr std::size_t PREVIEW_MOST_CELLS = 64;

constexpr std::string_view UTF8_BYTE_ORDER_MARK = "\xEF\xBB\xBF";

const UiText FIELD_NAMES[] = {
    UiText::FieldTradeName, UiText::FieldPinyin, UiText::FieldEnglishName, UiText::FieldOtherNames,
    UiText::FieldFunction,  UiText::FieldUsage,  UiText::FieldCautions};

bool IsBlankRow(const csv::CsvRecord& record) {
    for (const std::string& cell : record.fields) {
        if (cell.find_first_not_of(" \t\r\n") != std::string::npos) {
            return false;
        }
    }
    return true;
}

// The first rows that hold something, their cells as the user reads them.
std::vector<QStringList> FirstRows(const QString& path, csv::TextEncoding encoding) {
    // A pipe typed into the box must not block the dialog: only a regular
    // file is looked into.
    QFile file;
    if (!platform::OpenRegularFile(path, file).isEmpty()) {
        return {};
    }
    const QByteArray bytes = file.read(PREVIEW_BYTES);
    std::string_view text(bytes.constData(), static_cast<std::size_t>(bytes.size()));
    if (encoding == csv::TextEncoding::Auto) {
        csv::EncodingDetector detector;
        detector.Feed(text);
        encoding = detector.Result();
    }
    if (encoding == csv::TextEncoding::Utf8 && text.starts_with(UTF8_BYTE_ORDER_MARK)) {
        text.remove_prefix(UTF8_BYTE_ORDER_MARK.size());
    }
    std::vector<QStringList> rows;
    csv::CsvParser parser({PREVIEW_MOST_CELLS, static_cast<std::size_t>(PREVIEW_BYTES)},
                          [&](csv::CsvRecord&& record) {
                              if (IsBlankRow(record)) {
                                  return true;
                              }
                              QStringList cells;
                              for (const std::string& cell : record.fields) {
                                  cells.append(encoding == csv::TextEncoding::Gbk
                                                   ? platform::FromGbk(cell)
                                                   : QString::fromStdString(cell));
                              }
                              rows.push_back(cells);
                              return rows.size() < PREVIEW_ROWS;
                          });
    if (parser.Feed(text)) {
        parser.Finish();
    }
    return rows;
}

// A header row tells the columns when it names a column of a drug's name.
bool NamesTheColumns(const QStringList& header) {
    for (const QString& cell : header) {
        const std::optional<Field> field = csv::FieldNamedBy(cell.toStdString());
        if (field == Field::TradeName || field == Field::EnglishName) {
            return true;
        }
    }
    return false;
}

}  // namespace

ImportDialog::ImportDialog(bool canAppend, QWidget* parent)
    : QDialog(parent),
      m_path(new QLineEdit(this)),
      m_encoding(new QComboBox(this)),
      m_newDictionary(new QRadioButton(Tr(UiText::ImportIntoNew), this)),
      m_append(new QRadioButton(Tr(UiText::ImportAppend), this)),
      m_unguard(new QCheckBox(Tr(UiText::UnguardFormulas), this)),
      m_fillPinyin(new QCheckBox(Tr(UiText::ImportFillPinyin), this)),
      m_duplicates(new QComboBox(this)),
      m_chooser(new QWidget(this)),
      m_headerRow(new QCheckBox(Tr(UiText::ImportHeaderRow), m_chooser)),
      m_preview(new QTableWidget(m_chooser)) {
    setWindowTitle(Tr(UiText::ImportTitle));

    auto* browse = new QPushButton(Tr(UiText::BrowseButton), this);
    connect(browse, &QPushButton::clicked, this, &ImportDialog::Browse);
    auto* fileRow = new QHBoxLayout;
    fileRow->addWidget(m_path, 1);
    fileRow->addWidget(browse);

    m_encoding->addItem(Tr(UiText::EncodingAuto), static_cast<int>(csv::TextEncoding::Auto));
    m_encoding->addItem(QStringLiteral("UTF-8"), static_cast<int>(csv::TextEncoding::Utf8));
    m_encoding->addItem(QStringLiteral("GBK (GB18030)"), static_cast<int>(csv::TextEncoding::Gbk));

    m_append->setEnabled(canAppend);
    (canAppend ? m_append : m_newDictionary)->setChecked(true);
    m_unguard->setChecked(true);
    m_fillPinyin->setChecked(true);
    m_duplicates->addItem(Tr(UiText::DuplicatesSkip), static_cast<int>(DuplicateDrugs::Skip));
    m_duplicates->addItem(Tr(UiText::DuplicatesReplace), static_cast<int>(DuplicateDrugs::Replace));
    m_duplicates->addItem(Tr(UiText::DuplicatesKeepBoth),
                          static_cast<int>(DuplicateDrugs::KeepBoth));
    // Only a dictionary appended to already has drugs.
    connect(m_append, &QRadioButton::toggled, m_duplicates, &QWidget::setEnabled);
    m_duplicates->setEnabled(m_append->isChecked());

    auto* form = new QFormLayout;
    // A row of a box and a button: its label needs its buddy named.
    auto* fileLabel = new QLabel(Tr(UiText::ImportFileLabel), this);
    fileLabel->setBuddy(m_path);
    form->addRow(fileLabel, fileRow);
    form->addRow(Tr(UiText::ImportEncodingLabel), m_encoding);

    auto* chooserLayout = new QVBoxLayout(m_chooser);
    chooserLayout->setContentsMargins(0, 0, 0, 0);
    chooserLayout->addWidget(new QLabel(Tr(UiText::ImportColumnsLabel), m_chooser));
    chooserLayout->addWidget(m_headerRow);
    chooserLayout->addWidget(m_preview);
    m_preview->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_preview->verticalHeader()->hide();
    m_headerRow->setChecked(QSettings().value(HEADER_ROW_KEY, false).toBool());
    m_chooser->hide();

    auto* duplicatesLabel = new QLabel(Tr(UiText::ImportDuplicatesLabel), this);
    duplicatesLabel->setBuddy(m_duplicates);
    auto* duplicatesRow = new QHBoxLayout;
    duplicatesRow->addWidget(duplicatesLabel);
    duplicatesRow->addWidget(m_duplicates, 1);

    QDialogButtonBox* buttons = OkCancelButtons(*this);
    m_ok = buttons->button(QDialogButtonBox::Ok);
    // Nothing to import until a file is named.
    const auto update = [this] { m_ok->setEnabled(!Path().isEmpty()); };
    connect(m_path, &QLineEdit::textChanged, this, update);
    connect(m_path, &QLineEdit::textChanged, this, &ImportDialog::LoadPreview);
    connect(m_encoding, &QComboBox::currentIndexChanged, this, &ImportDialog::LoadPreview);
    update();

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(m_chooser);
    layout->addWidget(m_newDictionary);
    layout->addWidget(m_append);
    layout->addLayout(duplicatesRow);
    layout->addWidget(m_fillPinyin);
    layout->addWidget(m_unguard);
    layout->addWidget(buttons);
    resize(520, sizeHint().height());
}

QString ImportDialog::Path() const {
    return m_path->text().trimmed();
}

csv::TextEncoding ImportDialog::Encoding() const {
    return static_cast<csv::TextEncoding>(m_encoding->currentData().toInt());
}

bool ImportDialog::AppendToOpenDictionary() const {
    return m_append->isChecked();
}

csv::FormulaCells ImportDialog::Formulas() const {
    return m_unguard->isChecked() ? csv::FormulaCells::Guarded : csv::FormulaCells::Plain;
}

bool ImportDialog::FillPinyin() const {
    return m_fillPinyin->isChecked();
}

DuplicateDrugs ImportDialog::Duplicates() const {
    return static_cast<DuplicateDrugs>(m_duplicates->currentData().toInt());
}

QComboBox* ImportDialog::ColumnBox(int column) const {
    return qobject_cast<QComboBox*>(m_preview->cellWidget(0, column));
}

csv::CsvColumns ImportDialog::Columns() const {
    if (m_chooser->isHidden()) {
        return {};
    }
    csv::CsvColumns columns;
    columns.headerRow = m_headerRow->isChecked();
    for (int column = 0; column < m_preview->columnCount(); ++column) {
        const int field = ColumnBox(column)->currentData().toInt();
        columns.fields.push_back(field == SKIPPED ? std::nullopt
                                                  : std::optional(static_cast<Field>(field)));
    }
    return columns;
}

void ImportDialog::accept() {
    if (!m_chooser->isHidden()) {
        QStringList chosen;
        for (int column = 0; column < m_preview->columnCount(); ++column) {
            chosen.append(QString::number(ColumnBox(column)->currentData().toInt()));
        }
        QSettings settings;
        settings.setValue(COLUMNS_KEY, chosen);
        settings.setValue(HEADER_ROW_KEY, m_headerRow->isChecked());
    }
    QDialog::accept();
}

void ImportDialog::Browse() {
    const QString path =
        QFileDialog::getOpenFileName(this, Tr(UiText::ImportTitle), Path(), Tr(UiText::CsvFilter));
    if (!path.isEmpty()) {
        m_path->setText(path);
    }
}

void ImportDialog::LoadPreview() {
    const std::vector<QStringList> rows = FirstRows(Path(), Encoding());
    if (rows.empty() || NamesTheColumns(rows.front())) {
        m_chooser->hide();
    } else {
        ShowColumns(rows);
        m_chooser->show();
    }
    // The dialog grows to show the rows, and shrinks back without them.
    layout()->activate();
    resize(width(), sizeHint().height());
}

// The first table row holds the choice of each column's field, the rows
// under it the file's first rows.
void ImportDialog::ShowColumns(const std::vector<QStringList>& rows) {
    qsizetype width = 0;
    for (const QStringList& row : rows) {
        width = std::max(width, row.size());
    }
    const QStringList remembered = QSettings().value(COLUMNS_KEY).toStringList();
    m_preview->clear();
    m_preview->setColumnCount(static_cast<int>(width));
    m_preview->setRowCount(static_cast<int>(rows.size()) + 1);
    for (int column = 0; column < width; ++column) {
        auto* box = new QComboBox(m_preview);
        box->addItem(Tr(UiText::ImportColumnSkipped), SKIPPED);
        for (int field = 0; field < static_cast<int>(std::size(FIELD_NAMES)); ++field) {
            box->addItem(Tr(FIELD_NAMES[field]), field);
        }
        // The choice of the last import, or the fields in the file's order.
        const int field = column < remembered.size() ? remembered[column].toInt()
                          : column < static_cast<int>(std::size(FIELD_NAMES)) ? column
                                                                              : SKIPPED;
        box->setCurrentIndex(std::max(box->findData(field), 0));
        m_preview->setCellWidget(0, column, box);
        m_preview->setHorizontalHeaderItem(column,
                                           new QTableWidgetItem(QString::number(column + 1)));
    }
    for (std::size_t row = 0; row < rows.size(); ++row) {
        for (int column = 0; column < rows[row].size(); ++column) {
            m_preview->setItem(static_cast<int>(row) + 1, column,
                               new QTableWidgetItem(rows[row][column]));
        }
    }
    m_preview->resizeColumnsToContents();
    m_preview->resizeRowsToContents();
    int height = m_preview->horizontalHeader()->height() + 2 * m_preview->frameWidth();
    for (int row = 0; row < m_preview->rowCount(); ++row) {
        height += m_preview->rowHeight(row);
    }
    // Room for a scroll bar under the columns when they are wider than the dialog.
    m_preview->setFixedHeight(height + m_preview->horizontalScrollBar()->sizeHint().height());
}

}  // namespace quorbex
