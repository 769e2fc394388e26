// Drug lists from and to CSV files inside the program: the import dialog
// worked as the user works it, a faulty or too long list refused whole, and
// the export of the dictionary or of its results.
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QMdiArea>
#include <QPushButton>
#include <QRadioButton>
#include <QTableWidget>
#include <functional>

#include "app/drug_app.h"
#include "dialogs/export_dialog.h"
#include "dialogs/import_dialog.h"
#include "document/zorvik_drug_doc.h"
#include "frames/main_frame.h"
#include "resources/resource_ids.h"
#include "tests/startup/startup_fixture.h"

namespace quorbex::testing {
namespace {

const QByteArray HEADER =
    "TradeName,PinyinInitials,EnglishName,OtherNames,Function,Usage,Cautions\r\n";
// Export quotes every field, the names of the header row too.
const QByteArray QUOTED_HEADER =
    "\"TradeName\",\"PinyinInitials\",\"EnglishName\",\"OtherNames\",\"Function\",\"Usage\","
    "\"Cautions\"\r\n";

class ExchangeTest : public StartupTest {
protected:
    // The program with ward.zvk (阿莫西林, 布洛芬) open.
    void SetUp() override {
        StartupTest::SetUp();
        WriteDictionary(QStringLiteral("ward.zvk"));
        ASSERT_TRUE(StartWithoutDialog(app, {File(QStringLiteral("ward.zvk"))}));
        ward = dynamic_cast<CZorvikDrugDoc*>(app.Documents().at(0));
        ASSERT_NE(ward, nullptr);
    }

    void WriteCsv(const QByteArray& bytes) const {
        QFile file(File(QStringLiteral("list.csv")));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    }

    static QByteArray Read(const QString& path) {
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << path.toStdString();
        return file.readAll();
    }

    // Runs the export command and fills its dialog in: the file, and
    // whether formulas are guarded; answers the file it suggested.
    QString Export(platform::CommandId command, const QString& path, bool guard = true) {
        QString suggested;
        WhileModal(
            [&](QWidget& shown) {
                auto* dialog = dynamic_cast<ExportDialog*>(&shown);
                ASSERT_NE(dialog, nullptr) << shown.metaObject()->className();
                suggested = dialog->Path();
                EXPECT_TRUE(dialog->GuardBox()->isChecked()) << "guarded unless turned off";
                dialog->PathBox()->setText(path);
                dialog->GuardBox()->setChecked(guard);
                QTest::mouseClick(dialog->OkButton(), Qt::LeftButton);
            },
            [&] { app->MainFrame()->Action(command).trigger(); });
        return suggested;
    }

    // Runs the import command and fills its dialog in: the file, the
    // encoding at index encoding of its list, and where the drugs go; choose
    // makes the user's other choices before OK.
    void Import(int encoding, bool append, const std::function<void(ImportDialog&)>& choose = {}) {
        bool filled = false;
        WhileModal(
            [&](QWidget& shown) {
                auto* dialog = dynamic_cast<ImportDialog*>(&shown);
                ASSERT_NE(dialog, nullptr) << shown.metaObject()->className();
                EXPECT_FALSE(dialog->OkButton()->isEnabled()) << "no file named yet";
                QTest::keyClicks(dialog->PathBox(), File(QStringLiteral("list.csv")));
                dialog->EncodingBox()->setCurrentIndex(encoding);
                (append ? dialog->AppendChoice() : dialog->NewDictionaryChoice())->click();
                EXPECT_TRUE(dialog->UnguardBox()->isChecked()) << "taken back unless turned off";
                if (choose) {
                    choose(*dialog);
                }
                QTest::mouseClick(dialog->OkButton(), Qt::LeftButton);
                EXPECT_EQ(dialog->result(), QDialog::Accepted);
                EXPECT_EQ(dialog->AppendToOpenDictionary(), append);
                filled = true;
            },
            [&] { app->MainFrame()->Action(ID_FILE_IMPORT).trigger(); });
        EXPECT_TRUE(filled);
    }

    static std::vector<std::string> Names(CZorvikDrugDoc& document) {
        std::vector<std::string> names;
        for (int i = 0; i < document.GetResultCount(); ++i) {
            document.SelectResult(i);
            names.push_back(document.GetCurrentStrings().tradeName);
        }
        return names;
    }

    TestApp app;
    CZorvikDrugDoc* ward = nullptr;
};

TEST_F(ExchangeTest, ImportsAGbkListIntoANewDictionaryOrOntoTheOpenOne) {
    WriteCsv(HEADER + QByteArray::fromStdString(Gbk("头孢氨苄,TBAB,Cefalexin,,,,\r\n") +
                                                Gbk("地高辛,DGX,Digoxin,,,,\r\n")));
    Import(0, false);  // told from the file, into a new dictionary
    EXPECT_TRUE(app.Ui().messages.empty());
    ASSERT_EQ(app.Documents().size(), 2u);
    auto* created = dynamic_cast<CZorvikDrugDoc*>(app.Documents().back());
    ASSERT_NE(created, nullptr);
    EXPECT_EQ(created->GetRecordCount(), 2);
    EXPECT_TRUE(created->IsModified());
    EXPECT_EQ(created->GetCurrentStrings().tradeName, Gbk("头孢氨苄"));

    app->MainFrame()->MdiArea()->setActiveSubWindow(
        app->MainFrame()->MdiArea()->subWindowList().front());
    Import(2, true);  // chosen as GBK, onto ward.zvk
    EXPECT_TRUE(app.Ui().messages.empty());
    EXPECT_EQ(ward->GetRecordCount(), 4);
    EXPECT_EQ(Names(*ward), (std::vector<std::string>{Gbk("阿莫西林"), Gbk("布洛芬"),
                                                      Gbk("头孢氨苄"), Gbk("地高辛")}));
    EXPECT_TRUE(ward->IsModified());
}

// A ward's spreadsheet as it is: Chinese names in the header row, a column
// of its own, empty rows.
TEST_F(ExchangeTest, ImportsAWardsSpreadsheetAsItIs) {
    WriteCsv(
        QByteArray::fromStdString(Gbk("序号,品名,拼音码,英文名,用法用量,备注\r\n"
                                      "1,头孢氨苄,TBAB,Cefalexin,口服,\r\n"
                                      ",,,,,\r\n"
                                      "2,地高辛,DGX,Digoxin,,监测血药浓度\r\n")));
    Import(0, true);
    // The columns left out are named once.
    ASSERT_EQ(app.Ui().messages.size(), 1u);
    EXPECT_EQ(app.Ui().messages[0].icon, QMessageBox::Information);
    EXPECT_EQ(app.Ui().messages[0].text,
              QStringLiteral("导入了2种药物。\n\n第1行: 跳过了2栏不是药物栏目的: “序号”、“备注”"));
    EXPECT_EQ(Names(*ward), (std::vector<std::string>{Gbk("阿莫西林"), Gbk("布洛芬"),
                                                      Gbk("头孢氨苄"), Gbk("地高辛")}));
    ward->SelectResult(2);
    EXPECT_EQ(ward->GetCurrentStrings().usage, Gbk("口服"));
    EXPECT_EQ(ward->GetCurrentStrings().pinyinInitials, "TBAB");
}

// A fault names the spreadsheet's row and the drug, in the program's words.
TEST_F(ExchangeTest, AFaultNamesTheRowAndTheDrugInTheProgramsLanguage) {
    WriteCsv(
        QByteArray::fromStdString(Gbk("品名,英文名,用法\r\n"
                                      "头孢氨苄,Cefalexin,\"口服\r\n每日四次\"\r\n"
                                      "奥美拉唑,Omeprazole magnesium tablets,口服\r\n")));
    Import(0, true);
    ASSERT_EQ(app.Ui().messages.size(), 1u);
    EXPECT_TRUE(app.Ui().messages[0].text.contains(
        QStringLiteral("\n第3行 (奥美拉唑): 英文名在GBK中有28个字节, 超过了20个\n")))
        << app.Ui().messages[0].text.toStdString();
    EXPECT_EQ(ward->GetRecordCount(), 2);
}

// Without a header row that names the drugs' columns, the user chooses the
// field of each column from the first rows, and the next import offers the
// same choice.
TEST_F(ExchangeTest, WithoutAHeaderTheUserChoosesEachColumnsFieldAndTheChoiceIsKept) {
    const std::string rows = "头孢氨苄,口服,Cefalexin\r\n地高辛,,Digoxin\r\n";
    struct Case {
        const char* name;
        std::string header;  // the first row of the file, if any
        bool headerRow;      // told to the dialog
    };
    const Case cases[] = {
        {"no header", "", false},
        {"a header it cannot place", "名称,服法,外文\r\n", true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        WriteCsv(QByteArray::fromStdString(Gbk(c.header + rows)));
        ward->UndoStack().clear();
        const int before = ward->GetRecordCount();
        Import(0, true, [&](ImportDialog& dialog) {
            ASSERT_TRUE(dialog.ColumnChooser()->isVisibleTo(&dialog));
            ASSERT_EQ(dialog.Preview()->columnCount(), 3);
            EXPECT_EQ(dialog.Preview()->item(1, 0)->text(),
                      QString::fromStdString(c.header.empty() ? "头孢氨苄" : "名称"));
            dialog.HeaderRowBox()->setChecked(c.headerRow);
            const std::optional<Field> fields[] = {Field::TradeName, Field::Usage,
                                                   Field::EnglishName};
            for (int column = 0; column < 3; ++column) {
                QComboBox* box = dialog.ColumnBox(column);
                box->setCurrentIndex(box->findData(static_cast<int>(*fields[column])));
            }
        });
        EXPECT_TRUE(app.Ui().messages.empty()) << app.Ui().messages.front().text.toStdString();
        ASSERT_EQ(ward->GetRecordCount(), before + 2);
        ward->SelectResult(before);
        EXPECT_EQ(ward->GetCurrentStrings().usage, Gbk("口服"));
        EXPECT_EQ(ward->GetCurrentStrings().englishName, "Cefalexin");
        ward->UndoStack().undo();
    }
    // The next import offers the last choice.
    Import(0, true, [](ImportDialog& dialog) {
        EXPECT_TRUE(dialog.HeaderRowBox()->isChecked());
        EXPECT_EQ(dialog.ColumnBox(1)->currentData().toInt(), static_cast<int>(Field::Usage));
        EXPECT_EQ(dialog.ColumnBox(2)->currentData().toInt(), static_cast<int>(Field::EnglishName));
    });
    ASSERT_EQ(ward->GetRecordCount(), 4);
    ward->SelectResult(3);
    EXPECT_EQ(ward->GetCurrentStrings().englishName, "Digoxin");
}

// 布洛芬 is in the dictionary already; 地高辛 is not.
TEST_F(ExchangeTest, DrugsTheDictionaryHasAreSkippedReplacedOrKeptBothInOneUndoStep) {
    WriteCsv(
        QByteArray::fromStdString(Gbk("品名,英文名,用法\r\n"
                                      "布洛芬,Ibuprofen,饭后服\r\n"
                                      "地高辛,Digoxin,\r\n")));
    struct Case {
        const char* name;
        DuplicateDrugs rule;
        QMessageBox::StandardButton answer;
        std::vector<std::string> names;  // the dictionary's, in file order
        std::string ibuprofenUsage;      // of the first 布洛芬
    };
    const Case cases[] = {
        {"skip", DuplicateDrugs::Skip, QMessageBox::Ok, {"阿莫西林", "布洛芬", "地高辛"}, ""},
        {"replace",
         DuplicateDrugs::Replace,
         QMessageBox::Ok,
         {"阿莫西林", "布洛芬", "地高辛"},
         "饭后服"},
        {"keep both",
         DuplicateDrugs::KeepBoth,
         QMessageBox::Ok,
         {"阿莫西林", "布洛芬", "布洛芬", "地高辛"},
         ""},
        {"cancelled at the warning",
         DuplicateDrugs::Replace,
         QMessageBox::Cancel,
         {"阿莫西林", "布洛芬"},
         ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        app.Ui().messages.clear();
        app.Ui().answers = {c.answer};
        Import(0, true, [&](ImportDialog& dialog) {
            dialog.DuplicatesBox()->setCurrentIndex(
                dialog.DuplicatesBox()->findData(static_cast<int>(c.rule)));
        });
        ASSERT_EQ(app.Ui().messages.size(), 1u);
        EXPECT_TRUE(app.Ui().messages[0].text.startsWith(
            QStringLiteral("文件中有1种药物已在字典中: 布洛芬\n\n")))
            << app.Ui().messages[0].text.toStdString();
        std::vector<std::string> names;
        for (const DrugFields& drug : AllRecords(ward->GetStore())) {
            names.push_back(GbkToUtf8(drug.tradeName));
        }
        EXPECT_EQ(names, c.names);
        EXPECT_EQ(GbkToUtf8(AllRecords(ward->GetStore())[1].usage), c.ibuprofenUsage);
        // One undo takes the whole import back.
        if (c.answer == QMessageBox::Ok) {
            ward->UndoStack().undo();
        }
        EXPECT_EQ(ward->GetRecordCount(), 2);
        EXPECT_EQ(AllRecords(ward->GetStore())[1].usage, "");
    }
}

// The pinyin initials a list leaves empty are filled in unless the user says
// not to; a new dictionary is named after the list.
TEST_F(ExchangeTest, MissingPinyinIsFilledInAndANewDictionaryIsNamedAfterTheList) {
    WriteCsv(
        QByteArray::fromStdString(Gbk("品名,拼音码,英文名\r\n"
                                      "头孢氨苄,,Cefalexin\r\n"
                                      "地高辛,DIG,Digoxin\r\n")));
    for (const bool fill : {true, false}) {
        SCOPED_TRACE(fill ? "filled" : "left empty");
        Import(0, false, [fill](ImportDialog& dialog) {
            EXPECT_TRUE(dialog.FillPinyinBox()->isChecked()) << "on by default";
            EXPECT_FALSE(dialog.DuplicatesBox()->isEnabled()) << "a new dictionary has none";
            dialog.FillPinyinBox()->setChecked(fill);
        });
        auto* created = dynamic_cast<CZorvikDrugDoc*>(app.Documents().back());
        ASSERT_NE(created, nullptr);
        EXPECT_EQ(created->GetTitle(), QStringLiteral("list"));
        const std::vector<DrugFields> drugs = AllRecords(created->GetStore());
        ASSERT_EQ(drugs.size(), 2u);
        EXPECT_EQ(drugs[0].pinyinInitials, fill ? "TBAB" : "");
        EXPECT_EQ(drugs[1].pinyinInitials, "DIG");
    }
}

TEST_F(ExchangeTest, AFaultyListIsRefusedWholeWithItsFaultsListed) {
    QByteArray rows;
    for (int i = 0; i < 25; ++i) {
        rows += ",P,,,,,\r\n";
    }
    WriteCsv(HEADER + "x,,,,,,\r\n" + rows);
    Import(1, true);
    ASSERT_EQ(app.Ui().messages.size(), 1u);
    const QString text = app.Ui().messages[0].text;
    EXPECT_TRUE(
        text.startsWith(QStringLiteral("文件“%1”中有以下错误:\n\n第3行: 既没有品名也没有英文名")
                            .arg(File(QStringLiteral("list.csv")))))
        << text.toStdString();
    EXPECT_EQ(text.count(QStringLiteral("\n第")), 20);
    EXPECT_TRUE(
        text.endsWith(QStringLiteral("另有5处错误未列出。\n\n没有导入任何药物。请改正后再导入。")))
        << text.toStdString();
    EXPECT_EQ(ward->GetRecordCount(), 2);
    EXPECT_FALSE(ward->IsModified());
}

TEST_F(ExchangeTest, AListTheDictionaryCannotHoldIsRefusedWhole) {
    QByteArray rows;
    for (int i = 0; i < 1999; ++i) {
        rows += "Drug" + QByteArray::number(i) + ",,,,,,\r\n";
    }
    WriteCsv(HEADER + rows);
    Import(0, true);
    ASSERT_EQ(app.Ui().messages.size(), 1u);
    EXPECT_EQ(app.Ui().messages[0].text,
              QStringLiteral(
                  "文件中有1999种药物, 当前字典只能再存放1998种(最多2000种)。没有导入任何药物。"));
    EXPECT_EQ(ward->GetRecordCount(), 2);
    EXPECT_FALSE(ward->IsModified());
}

TEST_F(ExchangeTest, ExportsTheDictionaryOrItsResultsBesideIt) {
    const QString all = File(QStringLiteral("all.csv"));
    const QString results = File(QStringLiteral("results.csv"));
    EXPECT_EQ(Export(ID_FILE_EXPORT_ALL, all), File(QStringLiteral("ward.csv")));
    ward->RunQuery(Gbk("布"), SEARCH_TRADE_NAME, SORT_BY_TRADE_NAME);
    EXPECT_EQ(Export(ID_FILE_EXPORT_RESULTS, results), File(QStringLiteral("ward.csv")));

    const QByteArray bom = "\xEF\xBB\xBF";
    EXPECT_EQ(Read(all), (bom + QUOTED_HEADER +
                          "\"阿莫西林\",\"\",\"Amoxicillin\",\"\",\"\",\"\",\"\"\r\n"
                          "\"布洛芬\",\"\",\"Ibuprofen\",\"\",\"\",\"\",\"\"\r\n"));
    EXPECT_EQ(Read(results),
              (bom + QUOTED_HEADER + "\"布洛芬\",\"\",\"Ibuprofen\",\"\",\"\",\"\",\"\"\r\n"));
    EXPECT_TRUE(app.Ui().messages.empty());
}

TEST_F(ExchangeTest, AnExistingFileIsReplacedOnlyWhenTheUserSaysSo) {
    const QString path = File(QStringLiteral("kept.csv"));
    WriteFileBytes(path, BytesOf("kept"));
    app.Ui().answers = {QMessageBox::No};
    Export(ID_FILE_EXPORT_ALL, path);
    ASSERT_EQ(app.Ui().messages.size(), 1u);
    EXPECT_TRUE(app.Ui().messages[0].text.contains(path));
    EXPECT_EQ(Read(path), QByteArray("kept"));
    app.Ui().answers = {QMessageBox::Yes};
    Export(ID_FILE_EXPORT_ALL, path);
    EXPECT_TRUE(Read(path).contains("Amoxicillin"));
}

// A cell that a spreadsheet would run as a formula leaves guarded by an
// apostrophe unless the user turns that off, and comes back as it was
// when the import takes the guard off.
TEST_F(ExchangeTest, FormulasLeaveGuardedAndComeBackAsTheyWere) {
    WriteCsv(HEADER + "=SUM(A1),,-Minus,@at,+plus,,\r\n");
    // Pinyin filled in would be a letter cell of its own in the rows below.
    Import(1, true, [](ImportDialog& dialog) { dialog.FillPinyinBox()->setChecked(false); });
    ASSERT_TRUE(app.Ui().messages.empty()) << app.Ui().messages[0].text.toStdString();
    ASSERT_EQ(ward->GetRecordCount(), 3);

    const QString guarded = File(QStringLiteral("guarded.csv"));
    const QString plain = File(QStringLiteral("plain.csv"));
    Export(ID_FILE_EXPORT_ALL, guarded);
    Export(ID_FILE_EXPORT_ALL, plain, false);
    const QByteArray row = R"csv("=SUM(A1)","","-Minus","@at","+plus")csv";
    const QByteArray guardedRow = R"csv("'=SUM(A1)","","'-Minus","'@at","'+plus")csv";
    EXPECT_TRUE(Read(plain).contains(row)) << Read(plain).toStdString();
    EXPECT_TRUE(Read(guarded).contains(guardedRow)) << Read(guarded).toStdString();

    // Back into new dictionaries: with the guard taken off, and left on.
    for (const bool unguard : {true, false}) {
        SCOPED_TRACE(unguard ? "taken off" : "left on");
        QFile::remove(File(QStringLiteral("list.csv")));
        ASSERT_TRUE(QFile::copy(guarded, File(QStringLiteral("list.csv"))));
        Import(0, false,
               [unguard](ImportDialog& dialog) { dialog.UnguardBox()->setChecked(unguard); });
        auto* back = dynamic_cast<CZorvikDrugDoc*>(app.Documents().back());
        ASSERT_NE(back, nullptr);
        back->SelectResult(2);
        EXPECT_EQ(back->GetCurrentStrings().tradeName, unguard ? "=SUM(A1)" : "'=SUM(A1)");
        EXPECT_EQ(back->GetCurrentStrings().otherNames, unguard ? "@at" : "'@at");
    }
}

}  // namespace
}  // namespace quorbex::testing
