#include <QComboBox>
#include <QLabel>
#include <QListWidget>
#include <QRadioButton>
#include <QMdiArea>
#include <QTemporaryDir>
#include <QtTest>

#include "app/CEventDataFrame.h"
#include "app/CMainFrame.h"
#include "common/ui/ResourceIds.h"
#include "import/ui/CChooseTableDlg.h"
#include "import/ui/CColumnSelectionDlg.h"
#include "import/ui/CEventDataView.h"
#include "import/ui/CFullRowListCtrl.h"
#include "import/ui/CaseListModel.h"
#include "support/GuiTestSupport.h"
#include "support/ScriptedFileDialogs.h"
#include "support/ScriptedMessages.h"

namespace kalderon::testing {

// Opening Access, Excel and dBase files through "Open data file", the table
// choice and the column selection, down to the rows of the data window.
class DatabaseImportTest : public QObject {
    Q_OBJECT

    ScriptedMessages messages;
    ScriptedFileDialogs fileDialogs;
    AppServices services{messages, fileDialogs, ApplicationPaths::AgainstWorkingDirectory()};

    static QString Fixture(const QString& name) { return SourcePath(QStringLiteral("tests/data/") + name); }

    // Opens the file through the main frame, the dialogs worked by `steps`;
    // the new data window, or none.
    CEventDataFrame* Open(CMainFrame& frame, const QString& path, std::vector<ModalScript::Action> steps)
    {
        fileDialogs.choice = path;
        messages.shown.clear();
        const qsizetype before = frame.mdiArea()->subWindowList().size();
        ModalScript script(std::move(steps));
        frame.command(command::kOpenDataFile)->trigger();
        if (!script.finished()) qFatal("a dialog did not open");
        if (frame.mdiArea()->subWindowList().size() == before) return nullptr;
        return qobject_cast<CEventDataFrame*>(frame.mdiArea()->currentSubWindow());
    }

    // The column selection of the fixtures' Patients layout, complete dates.
    static void AssignPatients(QWidget* modal)
    {
        auto& dialog = Expect<CColumnSelectionDlg>(modal);
        Choose(&dialog, kComboBegin, QStringLiteral("BeginFU"));
        Choose(&dialog, kComboEnd, QStringLiteral("EndFU"));
        Choose(&dialog, kComboStatus, QStringLiteral("Status"));
        Choose(&dialog, kComboGroup, QStringLiteral("Stage"));
        Choose(&dialog, kComboSex, QStringLiteral("Sex"));
        Choose(&dialog, kComboBirth, QStringLiteral("Birth"));
        Click(&dialog, button::kOk);
    }

    static QStringList Row(CEventDataFrame* window, int row)
    {
        QStringList cells;
        const QAbstractItemModel* model = window->view()->list()->model();
        for (int column = 0; column < model->columnCount(); ++column) cells << model->index(row, column).data().toString();
        return cells;
    }

    static int Rows(CEventDataFrame* window) { return window->view()->list()->model()->rowCount(); }

    static QListWidget* TableList(CChooseTableDlg& dialog)
    {
        return Control<QListWidget>(&dialog, CChooseTableDlg::kTableList);
    }

private slots:
    void initTestCase() { UseTemporarySettings(); }

    void SingleAccessTableWithColumnRules()
    {
        CMainFrame frame(services);
        const QString path = Fixture(QStringLiteral("access/cases.mdb"));
        QStringList focusAfter;
        CEventDataFrame* window = Open(frame, path, {[&](QWidget* modal) {
            auto& dialog = Expect<CColumnSelectionDlg>(modal);
            dialog.activateWindow();
            QVERIFY(QTest::qWaitForWindowActive(&dialog));
            QCOMPARE(dialog.windowTitle(), QStringLiteral("Selection of Data Columns"));
            auto* begin = Control<QComboBox>(&dialog, kComboBegin);
            QCOMPARE(begin->itemText(0), QStringLiteral("< Select a column of the input data sheet >"));
            QCOMPARE(begin->itemText(1), QStringLiteral("CaseNo"));
            QCOMPARE(Control<QComboBox>(&dialog, kComboGroup)->itemText(0), QStringLiteral("< No groups >"));
            QCOMPARE(Control<QComboBox>(&dialog, kComboSex)->itemText(0), QStringLiteral("< No gender >"));
            QCOMPARE(Control<QComboBox>(&dialog, kComboBirth)->itemText(0), QStringLiteral("< No date of birth >"));
            QCOMPARE(Control<QComboBox>(&dialog, kComboBeginDay)->itemText(1), QStringLiteral("< Ignore >"));

            // The fields whose names and values fit the roles are proposed.
            QStringList proposed;
            for (int id : {kComboBegin, kComboEnd, kComboStatus, kComboGroup, kComboSex, kComboBirth})
                proposed << Control<QComboBox>(&dialog, id)->currentText();
            QCOMPARE(proposed, QStringList({"BeginFU", "EndFU", "Status", "Stage", "Sex", "Birth"}));
            QCOMPARE(Control<QComboBox>(&dialog, kComboBeginDay)->currentIndex(), 0);
            QVERIFY(Control<QRadioButton>(&dialog, CColumnSelectionDlg::kCompleteRadio)->isChecked());

            begin->setCurrentIndex(0);
            Click(&dialog, button::kOk);  // no begin
            focusAfter << QApplication::focusWidget()->objectName();
            Choose(&dialog, kComboBegin, QStringLiteral("BeginFU"));
            Choose(&dialog, kComboEnd, QStringLiteral("BeginFU"));
            Choose(&dialog, kComboStatus, QStringLiteral("Status"));
            Click(&dialog, button::kOk);  // begin and end on one field
            focusAfter << QApplication::focusWidget()->objectName();
            QVERIFY(dialog.isVisible());
            // Grouping variable and gender may share a field.
            Choose(&dialog, kComboGroup, QStringLiteral("Sex"));
            AssignPatients(&dialog);
        }});
        QCOMPARE(messages.shown, QStringList({"Please select a column!", "You cannot use this column twice!"}));
        QCOMPARE(focusAfter, ControlNames({kComboBegin, kComboEnd}));
        QVERIFY(window);
        // The only user table was taken without asking.
        QCOMPARE(window->windowTitle(), QStringLiteral("Input Data  ") + path + QStringLiteral(" - Patients"));
        QCOMPARE(Rows(window), 26);
        QCOMPARE(Row(window, 0), QStringList({"1", "12.03.1990", "01.07.1993", "1", "I", "1", "20.05.1931", "1207"}));
        QCOMPARE(Row(window, 19).mid(0, 2), QStringList({"20", "Invalid date"}));
        for (int column = 0; column < CaseListModel::kColumnCount; ++column)
            QVERIFY(!window->view()->list()->isColumnHidden(column));
    }

    void TableChoiceAmongSeveral()
    {
        CMainFrame frame(services);
        const QString path = Fixture(QStringLiteral("access/multi.mdb"));
        QStringList entries;
        // Cancel in the table dialog opens nothing.
        QVERIFY(!Open(frame, path, {[&](QWidget* modal) {
            auto& dialog = Expect<CChooseTableDlg>(modal);
            QCOMPARE(dialog.windowTitle(), QStringLiteral("Choose table"));
            auto* list = TableList(dialog);
            for (int row = 0; row < list->count(); ++row) entries << list->item(row)->text();
            QCOMPARE(list->currentRow(), 0);
            Click(&dialog, button::kCancel);
        }}));
        QCOMPARE(entries, QStringList({"Alpha cases", "Mid", "Zeta"}));

        // Cancel in the column selection opens nothing either.
        QVERIFY(!Open(frame, path,
                      {[](QWidget* modal) { Click(&Expect<CChooseTableDlg>(modal), button::kOk); },
                       [](QWidget* modal) { Click(&Expect<CColumnSelectionDlg>(modal), button::kCancel); }}));
        QVERIFY(messages.shown.isEmpty());

        CEventDataFrame* window = Open(frame, path, {[](QWidget* modal) {
                                                         auto& dialog = Expect<CChooseTableDlg>(modal);
                                                         auto* list = TableList(dialog);
                                                         const QPoint zeta = list->visualItemRect(list->item(2)).center();
                                                         QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, zeta);
                                                         QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, zeta);
                                                         if (dialog.isVisible()) dialog.reject();
                                                     },
                                                     AssignPatients});
        QVERIFY(window);
        QCOMPARE(window->windowTitle(), QStringLiteral("Input Data  ") + path + QStringLiteral(" - Zeta"));
        QCOMPARE(Rows(window), 3);
        QCOMPARE(Row(window, 0).front(), QStringLiteral("1"));
    }

    void ExcelWorkbooks()
    {
        CMainFrame frame(services);
        const QString twoSheets = Fixture(QStringLiteral("import/two_sheets.xls"));
        QStringList entries;
        CEventDataFrame* window = Open(frame, twoSheets, {[&](QWidget* modal) {
                                                              auto& dialog = Expect<CChooseTableDlg>(modal);
                                                              auto* list = TableList(dialog);
                                                              for (int row = 0; row < list->count(); ++row)
                                                                  entries << list->item(row)->text();
                                                              list->setCurrentRow(entries.indexOf("Patients$"));
                                                              Click(&dialog, button::kOk);
                                                          },
                                                          AssignPatients});
        QVERIFY(entries.contains("Controls$") && entries.contains("Patients$"));
        QVERIFY(std::is_sorted(entries.begin(), entries.end()));
        QVERIFY(window);
        QCOMPARE(window->windowTitle(), QStringLiteral("Input Data  ") + twoSheets + QStringLiteral(" - Patients$"));
        QCOMPARE(Rows(window), 6);
        QCOMPARE(Row(window, 0).mid(0, 4), QStringList({"1", "12.03.1990", "01.07.1993", "1"}));

        // A sheet and a range of the same name are one entry, taken at once.
        const QString oneSheet = Fixture(QStringLiteral("import/one_sheet.xls"));
        window = Open(frame, oneSheet, {[](QWidget* modal) {
            auto& dialog = Expect<CColumnSelectionDlg>(modal);
            Choose(&dialog, kComboBegin, QStringLiteral("Begin"));
            Choose(&dialog, kComboEnd, QStringLiteral("End"));
            Choose(&dialog, kComboStatus, QStringLiteral("Status"));
            Click(&dialog, button::kOk);
        }});
        QVERIFY(window);
        QVERIFY(window->windowTitle().startsWith(QStringLiteral("Input Data  ") + oneSheet + QStringLiteral(" - Cases")));
        QCOMPARE(Rows(window), 3);
        // Without optional columns five columns show.
        QVERIFY(window->view()->list()->isColumnHidden(CaseListModel::kGroup));
        QVERIFY(window->view()->list()->isColumnHidden(CaseListModel::kBirth));
    }

    // The sheets of an .ods (or .xlsx) workbook are its tables; the fields
    // are assigned by the names of the first row; date cells are dates.
    void OfficeWorkbooks()
    {
        CMainFrame frame(services);
        const QString ods = Fixture(QStringLiteral("workbooks/cases.ods"));
        QStringList entries;
        CEventDataFrame* window = Open(frame, ods, {[&](QWidget* modal) {
                                                        auto& dialog = Expect<CChooseTableDlg>(modal);
                                                        auto* list = TableList(dialog);
                                                        for (int row = 0; row < list->count(); ++row)
                                                            entries << list->item(row)->text();
                                                        list->setCurrentRow(entries.indexOf("Cases$"));
                                                        Click(&dialog, button::kOk);
                                                    },
                                                    [](QWidget* modal) {
                                                        auto& dialog = Expect<CColumnSelectionDlg>(modal);
                                                        Choose(&dialog, kComboBegin, QStringLiteral("diagnosis_date"));
                                                        Choose(&dialog, kComboEnd, QStringLiteral("last_contact"));
                                                        Choose(&dialog, kComboStatus, QStringLiteral("vital_status"));
                                                        Choose(&dialog, kComboGroup, QStringLiteral("age_group"));
                                                        Click(&dialog, button::kOk);
                                                    }});
        QCOMPARE(entries, QStringList({"Cases$", "Notes$"}));
        QVERIFY(window);
        QCOMPARE(window->windowTitle(), QStringLiteral("Input Data  ") + ods + QStringLiteral(" - Cases$"));
        QCOMPARE(Rows(window), 501);
        QCOMPARE(Row(window, 0).mid(0, 4), QStringList({"1", "24.06.1982", "02.10.1989", "1"}));
    }

    void DbaseFilesAndSeparateDateColumns()
    {
        CMainFrame frame(services);
        const QString cases = Fixture(QStringLiteral("import/dbase/CASES.DBF"));
        CEventDataFrame* window = Open(frame, cases, {[](QWidget* modal) {
            auto& dialog = Expect<CColumnSelectionDlg>(modal);
            Choose(&dialog, kComboBegin, QStringLiteral("BEGINFU"));
            Choose(&dialog, kComboEnd, QStringLiteral("ENDFU"));
            Choose(&dialog, kComboStatus, QStringLiteral("STATUS"));
            Click(&dialog, button::kOk);
        }});
        QVERIFY(window);
        QCOMPARE(window->windowTitle(), QStringLiteral("Input Data  ") + cases);  // no table part
        QCOMPARE(Rows(window), 6);

        const QString separate = Fixture(QStringLiteral("import/dbase/Separate.dbf"));
        QStringList focusAfter;
        window = Open(frame, separate, {[&](QWidget* modal) {
            auto& dialog = Expect<CColumnSelectionDlg>(modal);
            dialog.activateWindow();
            QVERIFY(QTest::qWaitForWindowActive(&dialog));
            QVERIFY(Control<QComboBox>(&dialog, kComboBegin)->isVisible());
            QVERIFY(!Control<QComboBox>(&dialog, kComboBeginDay)->isVisible());
            QVERIFY(!dialog.findChild<QLabel*>(QStringLiteral("labelDay"))->isVisible());
            Click(&dialog, CColumnSelectionDlg::kSeparateRadio);
            for (int id : {kComboBegin, kComboEnd, kComboBirth}) QVERIFY(!Control<QComboBox>(&dialog, id)->isVisible());
            for (int id : {kComboBeginDay, kComboEndDay, kComboBeginMonth, kComboEndMonth, kComboBeginYear,
                           kComboEndYear, kComboBirthMonth, kComboBirthYear, kComboBirthDay, kComboStatus, kComboGroup,
                           kComboSex})
                QVERIFY(Control<QComboBox>(&dialog, id)->isVisible());
            QVERIFY(dialog.findChild<QLabel*>(QStringLiteral("labelYear"))->isVisible());

            Choose(&dialog, kComboBeginDay, QStringLiteral("BEGD"));
            Choose(&dialog, kComboBeginMonth, QStringLiteral("BEGM"));
            Choose(&dialog, kComboBeginYear, QStringLiteral("BEGY"));
            Choose(&dialog, kComboEndMonth, QStringLiteral("ENDM"));
            Choose(&dialog, kComboEndYear, QStringLiteral("ENDY"));
            Choose(&dialog, kComboStatus, QStringLiteral("VITAL"));
            Click(&dialog, button::kOk);  // the end day still asks for a column
            focusAfter << QApplication::focusWidget()->objectName();
            Choose(&dialog, kComboEndDay, QStringLiteral("< Ignore >"));
            Choose(&dialog, kComboBirthMonth, QStringLiteral("VITAL"));
            Click(&dialog, button::kOk);  // birth month on the status field
            focusAfter << QApplication::focusWidget()->objectName();
            Choose(&dialog, kComboBirthMonth, QStringLiteral("< Select a column of the input data sheet >"));
            Click(&dialog, button::kOk);
        }});
        QCOMPARE(messages.shown, QStringList({"Please select a column!", "You cannot use this column twice!"}));
        QCOMPARE(focusAfter, ControlNames({kComboEndDay, kComboBirthMonth}));
        QVERIFY(window);
        QCOMPARE(Rows(window), 6);
        // The ignored end day puts every end date on the 15th.
        QCOMPARE(Row(window, 0).mid(1, 3), QStringList({"12.03.1990", "15.07.1993", "1"}));
        QCOMPARE(Row(window, 1).mid(1, 2), QStringList({"05.05.1998", "15.10.1999"}));
    }

    void DbaseNamesAndErrors()
    {
        QTemporaryDir folder;
        const QString longName = folder.filePath(QStringLiteral("Patientdata.dbf"));
        const QString shortName = folder.filePath(QStringLiteral("PAT.DBF"));
        QVERIFY(QFile::copy(Fixture(QStringLiteral("import/dbase/CASES.DBF")), longName));
        QVERIFY(QFile::copy(Fixture(QStringLiteral("import/dbase/CASES.DBF")), shortName));

        CMainFrame frame(services);
        QVERIFY(!Open(frame, longName, {}));
        QCOMPARE(messages.shown, QStringList({"Long filenames for dBase files usually lead to problems. Please rename "
                                              "your file and choose a file name with not more than 8 characters plus "
                                              "\".dbf\" extension!"}));

        CEventDataFrame* window = Open(frame, shortName, {[](QWidget* modal) {
            auto& dialog = Expect<CColumnSelectionDlg>(modal);
            Choose(&dialog, kComboBegin, QStringLiteral("BEGINFU"));
            Choose(&dialog, kComboEnd, QStringLiteral("ENDFU"));
            Choose(&dialog, kComboStatus, QStringLiteral("STATUS"));
            Click(&dialog, button::kOk);
        }});
        QVERIFY(window);
        QCOMPARE(Rows(window), 6);

        // A file the engine cannot read gives its error text and no window.
        QVERIFY(!Open(frame, Fixture(QStringLiteral("import/notmdb.mdb")), {}));
        QCOMPARE(messages.shown.size(), 1);
        QVERIFY(!messages.shown.front().isEmpty());
        QCOMPARE(frame.mdiArea()->subWindowList().size(), 1);
    }

    // A Stata file is its own table: its variables go straight to the column
    // selection, its dates arrive as dates; a damaged one is refused by name.
    void StatisticsFile()
    {
        CMainFrame frame(services);
        const QString path = Fixture(QStringLiteral("statistics/cases.dta"));
        QStringList proposed;
        CEventDataFrame* window = Open(frame, path, {[&](QWidget* modal) {
            auto& dialog = Expect<CColumnSelectionDlg>(modal);
            for (int id : {kComboBegin, kComboEnd, kComboStatus, kComboGroup, kComboSex, kComboBirth})
                proposed << Control<QComboBox>(&dialog, id)->currentText();
            Choose(&dialog, kComboBegin, QStringLiteral("diagnosis_date"));
            Choose(&dialog, kComboGroup, QStringLiteral("age_group"));
            Click(&dialog, button::kOk);
        }});
        QCOMPARE(proposed, QStringList({"diagnosis_date", "last_contact", "vital_status",
                                        "< No groups >", "sex", "birth_date"}));
        QVERIFY(window);
        QCOMPARE(window->windowTitle(), QStringLiteral("Input Data  ") + path);
        QCOMPARE(Rows(window), 500);
        QCOMPARE(Row(window, 0).mid(0, 7),
                 QStringList({"1", "24.06.1982", "02.10.1989", "1", "62-70", "2", "25.06.1914"}));

        QTemporaryDir folder;
        QFile damaged(folder.filePath(QStringLiteral("cut.dta")));
        QFile whole(path);
        QVERIFY(damaged.open(QIODevice::WriteOnly) && whole.open(QIODevice::ReadOnly));
        damaged.write(whole.read(2000));
        damaged.close();
        QVERIFY(!Open(frame, damaged.fileName(), {}));
        QCOMPARE(messages.shown.size(), 1);
        QVERIFY2(messages.shown.front().contains(QStringLiteral("'") + damaged.fileName() + QStringLiteral("'")),
                 qPrintable(messages.shown.front()));
        QCOMPARE(frame.mdiArea()->subWindowList().size(), 1);
    }

    void ColumnSelectionHelp()
    {
        CMainFrame frame(services);
        QVERIFY(!Open(frame, Fixture(QStringLiteral("access/cases.mdb")), {[](QWidget* modal) {
            auto& dialog = Expect<CColumnSelectionDlg>(modal);
            Click(&dialog, button::kHelp);
            Click(&dialog, button::kCancel);
        }}));
        QCOMPARE(messages.shown,
                 QStringList({QStringLiteral("File %1 (compiled HTML Help file) not found.").arg(services.paths.helpFile)}));
    }
};

}  // namespace kalderon::testing

QTEST_MAIN(kalderon::testing::DatabaseImportTest)
#include "DatabaseImportTest.moc"
