#include <QAbstractButton>
#include <QComboBox>
#include <QHeaderView>
#include <QMdiArea>
#include <QTemporaryDir>
#include <QWizard>
#include <QtTest>

#include <QCheckBox>
#include <QLineEdit>
#include <QRadioButton>

#include "app/CEventDataFrame.h"
#include "app/CMainFrame.h"
#include "app/OpenDataFile.h"
#include "charts/ChartFile.h"
#include "charts/LifeTableChart.h"
#include "common/ui/MainStatusBar.h"
#include "common/ui/ResourceIds.h"
#include "common/ui/UiText.h"
#include "common/ui/UserProfile.h"
#include "batch/BatchOptions.h"
#include "import/TextFileReader.h"
#include "import/TextImportSettingsFields.h"
#include "import/ui/CEventDataView.h"
#include "import/ui/CFilePreview.h"
#include "import/ui/CFullRowListCtrl.h"
#include "import/ui/CTextImportPage1.h"
#include "import/ui/CTextImportPage2A.h"
#include "import/ui/CTextImportPage2B.h"
#include "import/ui/CTextImportPage3A.h"
#include "import/ui/CaseListModel.h"
#include "import/ui/WizardControls.h"
#include "support/GuiTestSupport.h"
#include "support/ScriptedFileDialogs.h"
#include "support/ScriptedMessages.h"

namespace kalderon::testing {

// Opening text files through "Open data file" and the wizard, down to the
// rows of the data window.
class TextImportTest : public QObject {
    Q_OBJECT

    QTemporaryDir folder;
    ScriptedMessages messages;
    ScriptedFileDialogs fileDialogs;
    AppServices services{messages, fileDialogs, ApplicationPaths::AgainstWorkingDirectory()};

    QString Write(const QString& name, const QByteArray& bytes)
    {
        const QString path = folder.filePath(name);
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly)) qFatal("cannot write %s", qPrintable(path));
        file.write(bytes);
        return path;
    }

    // Opens the file through the main frame, letting `drive` work the wizard.
    CEventDataFrame* Open(CMainFrame& frame, const QString& path, std::function<void(QWizard&)> drive)
    {
        fileDialogs.choice = path;
        ModalScript script({[drive](QWidget* modal) { drive(Expect<QWizard>(modal)); }});
        const qsizetype before = frame.mdiArea()->subWindowList().size();
        frame.command(command::kOpenDataFile)->trigger();
        if (frame.mdiArea()->subWindowList().size() == before) return nullptr;
        return qobject_cast<CEventDataFrame*>(frame.mdiArea()->currentSubWindow());
    }

    static QStringList Row(CEventDataView* view, int row)
    {
        QStringList cells;
        const QAbstractItemModel* model = view->list()->model();
        for (int column = 0; column < model->columnCount(); ++column)
            cells << model->index(row, column).data().toString();
        return cells;
    }

    static QList<bool> Hidden(CEventDataView* view)
    {
        QList<bool> hidden;
        for (int column = 0; column < CaseListModel::kColumnCount; ++column)
            hidden << view->list()->isColumnHidden(column);
        return hidden;
    }

private slots:
    void initTestCase() { UseTemporarySettings(); }
    // Every test starts from the wizard's defaults.
    void init() { OpenUserProfile()->remove(QStringLiteral("TextImport")); }

    void BinaryAndEmptyFilesAreReported()
    {
        LifeTableChart chart;
        const QString chartPath = folder.filePath(QStringLiteral("chart.cht"));
        QVERIFY(WriteChartFile(chart, PathBytes(chartPath)));
        CMainFrame frame(services);
        messages.shown.clear();
        messages.answers = {Messages::Answer::No};
        bool wizardShown = false;
        QVERIFY(!Open(frame, chartPath, [&](QWizard& wizard) {
            wizardShown = true;
            wizard.reject();
        }));
        QVERIFY(!wizardShown);
        QCOMPARE(messages.shown, QStringList({QStringLiteral("The file %1 does not look like a text file of cases: it "
                                                             "holds binary data (zero bytes).\n\nOpen it in the text "
                                                             "file import anyway?")
                                                  .arg(chartPath)}));
        // Yes opens the wizard after all.
        messages.answers = {Messages::Answer::Yes};
        QVERIFY(!Open(frame, chartPath, [&](QWizard& wizard) {
            wizardShown = true;
            wizard.reject();
        }));
        QVERIFY(wizardShown);

        wizardShown = false;
        messages.shown.clear();
        for (const QByteArray& bytes : {QByteArray(), QByteArray("\r\n\n")}) {
            const QString empty = Write(QStringLiteral("empty.txt"), bytes);
            QVERIFY(!Open(frame, empty, [&](QWizard& wizard) {
                wizardShown = true;
                wizard.reject();
            }));
        }
        QVERIFY(!wizardShown);
        QVERIFY(frame.mdiArea()->subWindowList().isEmpty());
        const QString emptyMessage =
            QStringLiteral("The file %1 holds no lines of data.").arg(folder.filePath(QStringLiteral("empty.txt")));
        QCOMPARE(messages.shown, QStringList({emptyMessage, emptyMessage}));
    }

    void TwoRolesOnOneColumnAreConfirmed()
    {
        const QString path = Write(QStringLiteral("twice.txt"), "01.01.2000;31.12.2004;1\n");
        CMainFrame frame(services);
        messages.shown.clear();
        messages.answers = {Messages::Answer::No, Messages::Answer::Yes};
        int stayed = -1;
        QString focus;  // the wizard is gone after Open: keep the name, not the widget
        CEventDataFrame* window = Open(frame, path, [&](QWizard& wizard) {
            wizard.next();
            wizard.next();
            SetText(wizard.currentPage(), CTextImportPage3A::kStatusColumn, QStringLiteral("1"));
            wizard.button(QWizard::FinishButton)->click();  // No: the wizard stays
            stayed = wizard.currentId();
            if (QWidget* widget = wizard.focusWidget()) focus = widget->objectName();
            wizard.button(QWizard::FinishButton)->click();  // Yes: imported as set
        });
        QCOMPARE(stayed, CTextImportPage3A::kId);
        QCOMPARE(focus, ControlName(CTextImportPage3A::kStatusColumn));
        const QString question = QStringLiteral(
            "Date of beginning of follow-up and Status at end of follow-up both use column 1.\n\n"
            "Import the file with this setting anyway?");
        QCOMPARE(messages.shown, QStringList({question, question}));
        QVERIFY(window);
        QCOMPARE(Row(window->view(), 0).mid(1, 3), QStringList({"01.01.2000", "31.12.2004", "01.01.2000"}));

        // Fixed columns left at 1-1 are asked about before a window of invalid cases opens.
        messages.shown.clear();
        messages.answers = {Messages::Answer::No};
        QVERIFY(!Open(frame, path, [&](QWizard& wizard) {
            Click(wizard.currentPage(), CTextImportPage1::kFixedColumnsRadio);
            wizard.next();
            wizard.button(QWizard::FinishButton)->click();
            stayed = wizard.currentId();
            wizard.reject();
        }));
        QCOMPARE(stayed, CTextImportPage2B::kId);
        QCOMPARE(messages.shown, QStringList({QStringLiteral(
                                     "Date of beginning of follow-up and Date of end of follow-up both use character 1."
                                     "\n\nImport the file with this setting anyway?")}));
    }

    void SettingsAreKeptPerExtension()
    {
        const QString first = Write(QStringLiteral("first.CSV"), "A,01.01.2000,31.12.2004,1\n");
        const QString second = Write(QStringLiteral("second.csv"), "B,01.01.2001,31.12.2005,0\n");
        const QString other = Write(QStringLiteral("other.txt"), "01.01.2000;31.12.2004;1\n");
        CMainFrame frame(services);
        QVERIFY(Open(frame, first, [](QWizard& wizard) {
            wizard.next();
            Click(wizard.currentPage(), CTextImportPage2A::kCommaRadio);
            wizard.next();
            QWidget* page = wizard.currentPage();
            SetText(page, CTextImportPage3A::kBeginColumn, QStringLiteral("2"));
            SetText(page, CTextImportPage3A::kEndColumn, QStringLiteral("3"));
            SetText(page, CTextImportPage3A::kStatusColumn, QStringLiteral("4"));
            SetChecked(page, RoleAssignmentPage::kUseGroup);
            SetText(page, CTextImportPage3A::kGroupColumn, QStringLiteral("1"));
            Control<QComboBox>(page, RoleAssignmentPage::kEndPattern)->setEditText(QStringLiteral("DD.MM.YYYY "));
            wizard.button(QWizard::FinishButton)->click();
        }));

        // The next .csv file starts where the last one ended ...
        QStringList seen;
        CEventDataFrame* window = Open(frame, second, [&](QWizard& wizard) {
            wizard.next();
            seen << QString::number(
                Control<QRadioButton>(wizard.currentPage(), CTextImportPage2A::kCommaRadio)->isChecked());
            wizard.next();
            QWidget* page = wizard.currentPage();
            for (int id : {CTextImportPage3A::kBeginColumn, CTextImportPage3A::kEndColumn,
                           CTextImportPage3A::kStatusColumn, CTextImportPage3A::kGroupColumn})
                seen << Control<QLineEdit>(page, id)->text();
            seen << QString::number(Control<QCheckBox>(page, RoleAssignmentPage::kUseGroup)->isChecked())
                 << QString::number(Control<QLineEdit>(page, CTextImportPage3A::kGroupColumn)->isEnabled())
                 << Control<QComboBox>(page, RoleAssignmentPage::kEndPattern)->currentText();
            wizard.button(QWizard::FinishButton)->click();
        });
        QCOMPARE(seen, QStringList({"1", "2", "3", "4", "1", "1", "1", "DD.MM.YYYY "}));
        QVERIFY(window);
        QCOMPARE(Row(window->view(), 0).mid(1, 4), QStringList({"01.01.2001", "31.12.2005", "0", "B"}));

        // ... and a .txt file from the defaults.
        seen.clear();
        QVERIFY(!Open(frame, other, [&](QWizard& wizard) {
            wizard.next();
            seen << QString::number(
                Control<QRadioButton>(wizard.currentPage(), CTextImportPage2A::kSemicolonRadio)->isChecked());
            wizard.next();
            seen << Control<QLineEdit>(wizard.currentPage(), CTextImportPage3A::kBeginColumn)->text()
                 << QString::number(
                        Control<QCheckBox>(wizard.currentPage(), RoleAssignmentPage::kUseGroup)->isChecked());
            wizard.reject();
        }));
        QCOMPARE(seen, QStringList({"1", "1", "0"}));

        // Fixed columns and their ranges are kept as well.
        QVERIFY(Open(frame, other, [](QWizard& wizard) {
            Click(wizard.currentPage(), CTextImportPage1::kFixedColumnsRadio);
            wizard.next();
            QWidget* page = wizard.currentPage();
            SetText(page, CTextImportPage2B::kBeginTo, QStringLiteral("10"));
            SetText(page, CTextImportPage2B::kEndFrom, QStringLiteral("12"));
            SetText(page, CTextImportPage2B::kEndTo, QStringLiteral("21"));
            SetText(page, CTextImportPage2B::kStatusFrom, QStringLiteral("23"));
            SetText(page, CTextImportPage2B::kStatusTo, QStringLiteral("23"));
            wizard.button(QWizard::FinishButton)->click();
        }));
        seen.clear();
        QVERIFY(!Open(frame, other, [&](QWizard& wizard) {
            wizard.next();
            QCOMPARE(wizard.currentId(), CTextImportPage2B::kId);
            for (int id : {CTextImportPage2B::kBeginFrom, CTextImportPage2B::kBeginTo, CTextImportPage2B::kEndFrom,
                           CTextImportPage2B::kEndTo, CTextImportPage2B::kStatusFrom, CTextImportPage2B::kStatusTo})
                seen << Control<QLineEdit>(wizard.currentPage(), id)->text();
            wizard.reject();
        }));
        QCOMPARE(seen, QStringList({"1", "10", "12", "21", "23", "23"}));
    }

    void ARememberedPatternThatFitsNoLineIsExplained()
    {
        // The pattern kept from the last .dat file does not fit the next one:
        // its data window lists every case, and a message says why none is valid.
        const QString first = Write(QStringLiteral("first.dat"), "01/15/2000;12/31/2004;1\n");
        const QString second = Write(QStringLiteral("second.dat"), "\n15/01/2001;31/12/2005;0\n25/05/2002;16/06/2006;1\n");
        CMainFrame frame(services);
        const auto finish = [](QWizard& wizard) {
            wizard.next();
            wizard.next();
            QWidget* page = wizard.currentPage();
            for (int id : {RoleAssignmentPage::kBeginPattern, RoleAssignmentPage::kEndPattern})
                Control<QComboBox>(page, id)->setEditText(QStringLiteral("MM/DD/YYYY"));
            wizard.button(QWizard::FinishButton)->click();
        };
        messages.shown.clear();
        QVERIFY(Open(frame, first, finish));
        QVERIFY(messages.shown.isEmpty());
        CEventDataFrame* window = Open(frame, second, [](QWizard& wizard) {
            wizard.next();
            wizard.next();
            wizard.button(QWizard::FinishButton)->click();
        });
        QVERIFY(window);
        QCOMPARE(window->view()->list()->model()->rowCount(), 2);
        QCOMPARE(messages.shown,
                 QStringList{QStringLiteral("None of the 2 cases read is valid: the date of beginning of follow-up "
                                            "does not match the date pattern MM/DD/YYYY, the date of end of "
                                            "follow-up does not match the date pattern MM/DD/YYYY, as in line 2:\n"
                                            "15/01/2001;31/12/2005;0")});
    }

    void FreeFormatListsEveryCase()
    {
        const QString path = Write(QStringLiteral("free.csv"),
                                   "01.01.2000;31.12.2004;1;A\n"
                                   "\n"
                                   "Begin;End;Status;Group\n"
                                   "05.03.2001;01.01.2001;0;B\n");
        CMainFrame frame(services);
        CEventDataFrame* window = Open(frame, path, [](QWizard& wizard) {
            wizard.next();
            wizard.next();
            SetChecked(wizard.currentPage(), RoleAssignmentPage::kUseGroup);
            wizard.button(QWizard::FinishButton)->click();
        });
        QVERIFY(window);
        QCOMPARE(window->windowTitle(), QStringLiteral("Input Data  ") + path);
        CEventDataView* view = window->view();
        QCOMPARE(view->sourcePath(), path.toStdString());
        QCOMPARE(view->list()->model()->rowCount(), 3);
        QCOMPARE(Row(view, 0), QStringList({"1", "01.01.2000", "31.12.2004", "1", "A", "", "", "1826"}));
        // A header line is a case like any other, and invalid.
        QCOMPARE(Row(view, 1), QStringList({"2", "Invalid date", "Invalid date", "Status", "Group", "", "", "-1"}));
        QCOMPARE(Row(view, 2), QStringList({"3", "05.03.2001", "01.01.2001", "0", "B", "", "", "-63"}));
        QCOMPARE(Hidden(view), QList<bool>({false, false, false, false, false, true, true, false}));
        QVERIFY(view->data().hasGroupColumn);
        QCOMPARE(view->data().cases.groups.size(), size_t(3));
        QCOMPARE(frame.mainStatusBar()->paneText(), QStringLiteral("Ready"));
    }

    void FixedColumnsListEveryCase()
    {
        const QString path = Write(QStringLiteral("fixed.txt"),
                                   "01.01.200031.12.20041 1950-05-05\n"
                                   "abcdefghij31.12.2004x 1960-06-06\n");
        CMainFrame frame(services);
        CEventDataFrame* window = Open(frame, path, [](QWizard& wizard) {
            Click(wizard.currentPage(), CTextImportPage1::kFixedColumnsRadio);
            wizard.next();
            QWidget* page = wizard.currentPage();
            SetText(page, CTextImportPage2B::kBeginTo, QStringLiteral("10"));
            SetText(page, CTextImportPage2B::kEndFrom, QStringLiteral("11"));
            SetText(page, CTextImportPage2B::kEndTo, QStringLiteral("20"));
            SetText(page, CTextImportPage2B::kStatusFrom, QStringLiteral("21"));
            SetText(page, CTextImportPage2B::kStatusTo, QStringLiteral("22"));
            SetChecked(page, RoleAssignmentPage::kUseBirth);
            SetText(page, CTextImportPage2B::kBirthTo, QStringLiteral("32"));
            SetText(page, CTextImportPage2B::kBirthFrom, QStringLiteral("23"));
            Control<QComboBox>(page, RoleAssignmentPage::kBirthPattern)->setEditText(QStringLiteral("YYYY-MM-DD"));
            wizard.button(QWizard::FinishButton)->click();
        });
        QVERIFY(window);
        CEventDataView* view = window->view();
        QCOMPARE(view->list()->model()->rowCount(), 2);
        // The status piece keeps its blank.
        QCOMPARE(Row(view, 0), QStringList({"1", "01.01.2000", "31.12.2004", "1 ", "", "", "05.05.1950", "1826"}));
        QCOMPARE(Row(view, 1).mid(1, 3), QStringList({"Invalid date", "31.12.2004", "x "}));
        QCOMPARE(Hidden(view), QList<bool>({false, false, false, false, true, true, false, false}));
    }

    void HeaderLineNamesTheFieldsAsKalderonBatchReadsThem()
    {
        // A registry's CSV: a line of names, commas, quotes, ISO dates, and one quote that never closes.
        const QString path = SourcePath(QStringLiteral("tests/data/text/rdata-header.csv"));
        CMainFrame frame(services);
        messages.shown.clear();
        QStringList seen;
        CEventDataFrame* window = Open(frame, path, [&](QWizard& wizard) {
            wizard.next();
            QWidget* page = wizard.currentPage();
            auto* preview = Control<CFilePreview>(page, wizard_page::kPreview);
            // Guessed: the comma, the first line as names, and quotes with them.
            QVERIFY(Control<QRadioButton>(page, CTextImportPage2A::kCommaRadio)->isChecked());
            QVERIFY(Control<QCheckBox>(page, CTextImportPage2A::kFirstLineNames)->isChecked());
            QVERIFY(Control<QCheckBox>(page, CTextImportPage2A::kQuotedFields)->isChecked());
            QCOMPARE(preview->headingLine(), 0);
            SetChecked(page, CTextImportPage2A::kFirstLineNames, false);
            QCOMPARE(preview->headingLine(), -1);
            QVERIFY(!Control<QCheckBox>(page, CTextImportPage2A::kQuotedFields)->isChecked());
            // Once clicked, the check stays as set whatever the separator.
            Click(page, CTextImportPage2A::kSemicolonRadio);
            Click(page, CTextImportPage2A::kCommaRadio);
            QVERIFY(!Control<QCheckBox>(page, CTextImportPage2A::kFirstLineNames)->isChecked());
            SetChecked(page, CTextImportPage2A::kFirstLineNames);
            QVERIFY(Control<QCheckBox>(page, CTextImportPage2A::kQuotedFields)->isChecked());
            QCOMPARE(preview->headingLine(), 0);

            wizard.next();
            page = wizard.currentPage();
            auto* begin = Control<QComboBox>(page, CTextImportPage3A::kBeginName);
            QVERIFY(begin->isVisible());
            // The name follows its number in the focus.
            Control<QLineEdit>(page, CTextImportPage3A::kBeginColumn)->setFocus();
            QTest::keyClick(wizard.focusWidget(), Qt::Key_Tab);
            QCOMPARE(wizard.focusWidget(), begin);
            for (int i = 0; i < begin->count(); ++i) seen << begin->itemText(i);
            seen << begin->currentText() << Control<QComboBox>(page, CTextImportPage3A::kStatusName)->currentText();
            Choose(page, CTextImportPage3A::kBeginName, QStringLiteral("diagnosis_date"));
            Choose(page, CTextImportPage3A::kEndName, QStringLiteral("last_contact"));
            Choose(page, CTextImportPage3A::kStatusName, QStringLiteral("vital_status"));
            SetChecked(page, RoleAssignmentPage::kUseGroup);
            Choose(page, CTextImportPage3A::kGroupName, QStringLiteral("age_group"));
            SetChecked(page, RoleAssignmentPage::kUseSex);
            SetText(page, CTextImportPage3A::kSexColumn, QStringLiteral("7"));
            SetChecked(page, RoleAssignmentPage::kUseBirth);
            Choose(page, CTextImportPage3A::kBirthName, QStringLiteral("birth_date"));
            for (int id : {CTextImportPage3A::kBeginColumn, CTextImportPage3A::kEndColumn,
                           CTextImportPage3A::kStatusColumn, CTextImportPage3A::kGroupColumn,
                           CTextImportPage3A::kBirthColumn})
                seen << Control<QLineEdit>(page, id)->text();
            seen << Control<QComboBox>(page, CTextImportPage3A::kSexName)->currentText()
                 << QString::number(Control<CFilePreview>(page, wizard_page::kPreview)->fieldMark(kRoleEnd));
            // The fields' ISO dates brought their pattern along.
            for (int id : {RoleAssignmentPage::kBeginPattern, RoleAssignmentPage::kEndPattern,
                           RoleAssignmentPage::kBirthPattern})
                seen << Control<QComboBox>(page, id)->currentText();
            wizard.button(QWizard::FinishButton)->click();
        });
        QCOMPARE(seen, QStringList({"id", "diagnosis_date", "last_contact", "note", "vital_status", "age_group", "sex",
                                    "birth_date", "id", "last_contact", "2", "3", "5", "6", "8", "sex", "3", "YYYY-MM-DD",
                                    "YYYY-MM-DD", "YYYY-MM-DD"}));
        QVERIFY(window);
        QCOMPARE(messages.shown, QStringList({path + QStringLiteral(": lines whose field in double quotes does not "
                                                                    "close on the line, kept as invalid cases: 1")}));

        // kalderon-batch, given the same choices by name, reads the same data set.
        const batch::CommandLine command = batch::ParseCommandLine(
            {path.toStdString(), "--header", "--separator", "auto", "--begin", "diagnosis_date:YYYY-MM-DD", "--end",
             "last_contact:YYYY-MM-DD", "--status", "vital_status", "--group", "age_group", "--sex", "sex",
             "--birth", "birth_date:YYYY-MM-DD"});
        QVERIFY2(command.error.empty(), command.error.c_str());
        const ReadResult<DataSet> batchRead = ReadTextFile(command.options.inputPath, command.options.import);
        QVERIFY(batchRead);
        const DataSet& shown = window->view()->data();
        const auto cases = [](const DataSet& data) {
            std::vector<std::string> lines;
            for (const CCaseRecord& c : data.cases.records)
                lines.push_back(std::to_string(c.caseNumber) + " " + c.beginDate.displayText() + " " +
                                c.endDate.displayText() + " " + c.birthDate.displayText() + " " +
                                std::string(c.statusText.view()) + "|" + std::string(c.groupText.view()) + "|" +
                                std::string(c.sexText.view()) + " " + std::to_string(c.observationDays) +
                                (c.isValid ? "" : " invalid"));
            return lines;
        };
        QCOMPARE(shown.cases.records.size(), size_t(501));
        QCOMPARE(cases(shown), cases(*batchRead));
        QCOMPARE(shown.notes, batchRead->notes);
        QCOMPARE(shown.firstInvalidLineNumber, batchRead->firstInvalidLineNumber);
        QVERIFY(shown.hasGroupColumn && shown.hasSexColumn && shown.hasBirthColumn);
        QCOMPARE(Row(window->view(), 0), QStringList({"1", "24.06.1982", "02.10.1989", "1", "62-70", "2",
                                                      "25.06.1914", "2657"}));

        // The checks are kept with the .csv settings while they are on, and gone once off.
        const auto kept = [] {
            const auto profile = OpenUserProfile();
            profile->beginGroup(QStringLiteral("TextImport/csv"));
            return profile->childKeys();
        };
        QVERIFY(kept().contains(QStringLiteral("firstLineNames")) && kept().contains(QStringLiteral("quotedFields")));
        // Kept names do not take the first case of a file without them.
        const QString plain = Write(QStringLiteral("plain.csv"), "01.01.2000,31.12.2004,1\n02.02.2001,30.06.2003,0\n");
        bool namesTicked = true;
        QVERIFY(!Open(frame, plain, [&](QWizard& wizard) {
            wizard.next();
            namesTicked = Control<QCheckBox>(wizard.currentPage(), CTextImportPage2A::kFirstLineNames)->isChecked();
            wizard.reject();
        }));
        QVERIFY(!namesTicked);
        QVERIFY(Open(frame, path, [](QWizard& wizard) {
            wizard.next();
            QVERIFY(Control<QCheckBox>(wizard.currentPage(), CTextImportPage2A::kFirstLineNames)->isChecked());
            SetChecked(wizard.currentPage(), CTextImportPage2A::kFirstLineNames, false);
            SetChecked(wizard.currentPage(), CTextImportPage2A::kQuotedFields, false);
            wizard.next();
            wizard.button(QWizard::FinishButton)->click();
        }));
        QCOMPARE(kept().size(), qsizetype(SettingsFields(TextImportSettings()).size()));
    }

    void CancelOpensNoWindow()
    {
        const QString path = Write(QStringLiteral("cancel.txt"), "01.01.2000;31.12.2004;1\n");
        CMainFrame frame(services);
        QVERIFY(!Open(frame, path, [](QWizard& wizard) {
            wizard.next();
            wizard.reject();
        }));
        QVERIFY(frame.mdiArea()->subWindowList().isEmpty());
    }

    void UnreadableFileIsReported()
    {
        const QString path = Write(QStringLiteral("gone.txt"), "01.01.2000;31.12.2004;1\n");
        CMainFrame frame(services);
        messages.shown.clear();
        QVERIFY(!Open(frame, path, [path](QWizard& wizard) {
            QFile::remove(path);
            wizard.next();
            wizard.next();
            wizard.button(QWizard::FinishButton)->click();
        }));
        QCOMPARE(messages.shown.size(), 1);
        QVERIFY(messages.shown.front().contains(path));
        QTRY_VERIFY(frame.mdiArea()->subWindowList().isEmpty());
    }
};

}  // namespace kalderon::testing

QTEST_MAIN(kalderon::testing::TextImportTest)
#include "TextImportTest.moc"
