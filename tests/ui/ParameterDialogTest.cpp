#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QToolButton>
#include <QtTest>

#include "analysis/RunAnalysis.h"
#include "analysis/ui/ObservationPeriodDiagram.h"
#include "analysis/ui/ParameterDialog.h"
#include "analysis/ui/ProductLimitParameterDialog.h"
#include "analysis/ui/SmrParameterDialog.h"
#include "common/qt/DisplayText.h"
#include "common/ui/AppServices.h"
#include "common/ui/UiText.h"
#include "import/PopulationTableLoader.h"
#include "import/TextFileReader.h"
#include "support/GuiTestSupport.h"
#include "support/KeyboardChecks.h"
#include "support/ScriptedFileDialogs.h"
#include "support/ScriptedMessages.h"

namespace kalderon::testing {

DateValue Ymd(int year, int month, int day) { return DateValue::FromYmd(year, month, day); }

// The parameter dialogs opened on data sets read as a data window reads
// them, with the window prepared as a Compute command prepares it.
class ParameterDialogTest : public QObject {
    Q_OBJECT

    ScriptedMessages messages;
    ScriptedFileDialogs fileDialogs;
    AppServices services{messages, fileDialogs, ApplicationPaths::AgainstWorkingDirectory()};
    QTemporaryDir folder;

    static DataSet Read(const QString& path, bool group = true, bool sex = true, bool birth = true)
    {
        TextImportSettings settings;
        settings.useGroup = group;
        settings.useSex = sex;
        settings.useBirth = birth;
        ReadResult<DataSet> read = ReadTextFile(PathBytes(path), settings);
        if (!read) qFatal("%s", ReaderFaultMessage(read.fault()).c_str());
        DataSet data = std::move(*read);
        data.analysis.PrepareTimeWindow();
        return data;
    }
    static DataSet Example(const char* name) { return Read(SourcePath(QStringLiteral("data/examples/") + name)); }

    DataSet Write(const QByteArray& lines, bool group = true, bool sex = true, bool birth = true)
    {
        const QString path = folder.filePath(QStringLiteral("cases.txt"));
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate)) qFatal("cannot write");
        file.write(lines);
        file.close();
        return Read(path, group, sex, birth);
    }

    static QString Text(QWidget* dialog, int id) { return Control<QLineEdit>(dialog, id)->text(); }
    static QString Label(QWidget* dialog, int id) { return Control<QLabel>(dialog, id)->text(); }
    static QComboBox* Combo(QWidget* dialog, int id) { return Control<QComboBox>(dialog, id); }
    static QStringList Entries(QWidget* dialog, int id)
    {
        QStringList entries;
        for (int i = 0; i < Combo(dialog, id)->count(); ++i) entries << Combo(dialog, id)->itemText(i);
        return entries;
    }
    static bool Shown(QWidget* dialog, int id) { return Control<QWidget>(dialog, id)->isVisible(); }
    static bool Enabled(QWidget* dialog, int id) { return Control<QWidget>(dialog, id)->isEnabled(); }
    static void Arrow(QWidget* dialog, int spinId, bool up)
    {
        Control<QWidget>(dialog, spinId)->findChild<QToolButton*>(up ? QStringLiteral("up") : QStringLiteral("down"))->click();
    }
    static QString FocusAfterShow(QDialog& dialog)
    {
        dialog.show();
        dialog.activateWindow();
        if (!QTest::qWaitForWindowActive(&dialog)) return QString();
        return QApplication::focusWidget() ? QApplication::focusWidget()->objectName() : QString();
    }

    // The object names the Tab key walks through from the focus.
    static QStringList TabChain(int steps)
    {
        QStringList chain;
        for (int i = 0; i < steps; ++i) {
            chain << QApplication::focusWidget()->objectName();
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        }
        return chain;
    }

    static QString LifeTables() { return SourcePath(QStringLiteral("data/LifeTables.mdb")); }
    static QString RateTables() { return SourcePath(QStringLiteral("data/ReferenceRateTables.mdb")); }
    static QStringList TableNames(const QString& database)
    {
        const ReadResult<std::vector<std::string>> names = ListPopulationTables(PathBytes(database));
        if (!names) qFatal("%s", ReaderFaultMessage(names.fault()).c_str());
        QStringList list;
        for (const std::string& name : *names) list << DisplayText(name);
        return list;
    }

    const int relativeControls[10] = {1064, 1075, 1036, 1005, 1006, 1073, 1074, 1083, 1077, 1082};

private slots:
    void init()
    {
        messages.shown.clear();
        services.paths.lifeTables = LifeTables();
        services.paths.referenceRateTables = RateTables();
    }

    void LifeTableInitialStates()
    {
        DataSet tiny = Example("tiny.txt");
        tiny.analysis.eventCodeIndex = 1;
        tiny.analysis.sexCodeIndex = 7;  // beyond the list: the first code
        tiny.analysis.sexCodeIsFemale = 1;
        ParameterDialog dialog(tiny.analysis, tiny.cases, kLifeTable, true, true, services);
        QCOMPARE(dialog.objectName(), QStringLiteral("id136"));
        QCOMPARE(dialog.windowTitle(), QStringLiteral("Parameter selection"));
        QCOMPARE(FocusAfterShow(dialog), QStringLiteral("id1017"));
        QVERIFY(Shown(&dialog, 1020));
        QCOMPARE(Text(&dialog, 1021), QStringLiteral("01.01.1995"));
        QCOMPARE(Text(&dialog, 1022), QStringLiteral("31.12.2004"));
        QVERIFY(Control<QLineEdit>(&dialog, 1021)->isReadOnly());
        QVERIFY(!Shown(&dialog, 1027));  // no invalid case
        for (int id : {1030, 1023, 1024, 1025, 1026, 1031, 1032, 1033, 1034, 1035, 1043, 1040, 1041, 1042, 1070, 1069})
            QVERIFY2(!Shown(&dialog, id), qPrintable(ControlName(id)));
        QCOMPARE(Entries(&dialog, 1017), QStringList({"Year", "Month", "Week", "Day"}));
        QCOMPARE(Combo(&dialog, 1017)->currentText(), QStringLiteral("Year"));
        QVERIFY(Shown(&dialog, 1071));
        QVERIFY(!Shown(&dialog, 1072));
        QCOMPARE(Label(&dialog, 1071), QStringLiteral("&Time interval"));
        QCOMPARE(Entries(&dialog, 1028), QStringList({"1", "0"}));
        QCOMPARE(Combo(&dialog, 1028)->currentIndex(), 1);
        QCOMPARE(Entries(&dialog, 1029), QStringList({".95", ".99"}));
        QCOMPARE(Combo(&dialog, 1029)->currentText(), QStringLiteral(".95"));
        QVERIFY(Control<QCheckBox>(&dialog, 1063)->isChecked());
        QVERIFY(Shown(&dialog, 1063));
        QVERIFY(Control<QCheckBox>(&dialog, 1064)->isChecked());
        QCOMPARE(Entries(&dialog, 1036), QStringList({"1", "2"}));
        QCOMPARE(Combo(&dialog, 1036)->currentIndex(), 0);
        QVERIFY(Control<QRadioButton>(&dialog, 1006)->isChecked());
        QCOMPARE(Entries(&dialog, 1074), TableNames(LifeTables()));
        QVERIFY(Combo(&dialog, 1074)->count() > 0);
        QCOMPARE(Combo(&dialog, 1074)->currentIndex(), 0);
        QCOMPARE(Entries(&dialog, 1077), QStringList({"Ederer II", "Hakulinen", "Pohar-Perme (net survival)"}));
        QCOMPARE(Combo(&dialog, 1077)->currentIndex(), 0);
        QCOMPARE(Label(&dialog, 1092), QStringLiteral("&Age standardisation"));
        QCOMPARE(Entries(&dialog, 1091), QStringList({"none", "ICSS 1", "ICSS 2", "ICSS 3"}));
        QCOMPARE(Combo(&dialog, 1091)->currentIndex(), 0);
        QVERIFY(Shown(&dialog, 1091));
        QCOMPARE(dialog.standardise(), kNoStandardisation);
        QVERIFY(!Shown(&dialog, 1037));
        QVERIFY(!Shown(&dialog, 1038));
        QCOMPARE(Text(&dialog, 1038), QStringLiteral("31.12.2004"));
        QCOMPARE(dialog.stratified(), 1);
        QVERIFY(!dialog.diagram()->animating());

        // The note on invalid cases, no group column.
        DataSet skipped = Write("01.01.2000;01.06.2001;1\n01.01.2000;bad;0\n", false, false, false);
        ParameterDialog other(skipped.analysis, skipped.cases, kLifeTable, false, false, services);
        other.show();
        QVERIFY(Shown(&other, 1027));
        QCOMPARE(Label(&other, 1027), QStringLiteral("(After exclusion of invalid cases)"));
        QVERIFY(!Shown(&other, 1063));
        QCOMPARE(other.stratified(), 0);
    }

    void FirstFocusTabOrderAndEscape()
    {
        DataSet tiny = Example("tiny.txt");
        ParameterDialog period(tiny.analysis, tiny.cases, kPeriodAnalysis, true, true, services);
        QCOMPARE(FocusAfterShow(period), QStringLiteral("id1023"));
        QStringList chain;
        for (int i = 0; i < 17; ++i) {
            chain << QApplication::focusWidget()->objectName();
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        }
        QCOMPARE(chain, QStringList({"id1023", "id1024", "id1017", "id1069", "id1028", "id1029", "id1063", "id1064",
                                     "id1036", "id1005", "id1074", "id1077", "id1091", "id1", "id2", "id9",
                                     "id1021"}));
        QTest::keyClick(&period, Qt::Key_Escape);
        QCOMPARE(period.result(), int(QDialog::Rejected));
        QVERIFY(!period.isVisible());

        ParameterDialog trend(tiny.analysis, tiny.cases, kTrend, true, true, services);
        QCOMPARE(FocusAfterShow(trend), QStringLiteral("id1033"));
        trend.reject();
        ProductLimitParameterDialog productLimit(tiny.analysis, tiny.cases, true, true, services);
        QCOMPARE(FocusAfterShow(productLimit), QStringLiteral("id1068"));
        QCOMPARE(TabChain(12), QStringList({"id1068", "id1028", "id1029", "id1063", "id1090", "id1064", "id1036",
                                            "id1005", "id1074", "id1077", "id1", "id2"}));
        productLimit.reject();
        ParameterDialog lifeTable(tiny.analysis, tiny.cases, kLifeTable, true, true, services);
        QCOMPARE(FocusAfterShow(lifeTable), QStringLiteral("id1017"));
        QCOMPARE(TabChain(8), QStringList({"id1017", "id1028", "id1029", "id1063", "id1090", "id1064", "id1036",
                                           "id1005"}));
        lifeTable.reject();
        SmrParameterDialog smr(tiny.analysis, tiny.cases, true, services);
        QCOMPARE(FocusAfterShow(smr), QStringLiteral("id1028"));
        smr.reject();
    }

    // The letters after "&" of the controls shown, which must differ.
    static QStringList Mnemonics(QWidget* dialog)
    {
        QStringList letters;
        const auto add = [&](const QString& text) {
            const qsizetype at = text.indexOf(QLatin1Char('&'));
            if (at >= 0 && at + 1 < text.size()) letters << text.mid(at + 1, 1).toLower();
        };
        for (QAbstractButton* button : dialog->findChildren<QAbstractButton*>())
            if (button->isVisibleTo(dialog)) add(button->text());
        for (QLabel* label : dialog->findChildren<QLabel*>())
            if (label->isVisibleTo(dialog) && label->buddy()) add(label->text());
        return letters;
    }

    void CompareGroupsFollowsStratifiedAnalysis()
    {
        DataSet tiny = Example("tiny.txt");
        ParameterDialog lifeTable(tiny.analysis, tiny.cases, kLifeTable, true, true, services);
        ProductLimitParameterDialog productLimit(tiny.analysis, tiny.cases, true, true, services);
        for (ParameterDialogBase* dialog : std::initializer_list<ParameterDialogBase*>{&lifeTable, &productLimit}) {
            dialog->show();
            auto* compare = Control<QCheckBox>(dialog, 1090);
            QCOMPARE(compare->text(), QStringLiteral("Compare gro&ups"));
            QVERIFY(Shown(dialog, 1090));
            QVERIFY(compare->isChecked());
            QVERIFY(dialog->compareGroups());
            const QStringList letters = Mnemonics(dialog);
            QCOMPARE(QSet<QString>(letters.begin(), letters.end()).size(), letters.size());

            SetChecked(dialog, 1063, false);
            QVERIFY(!Shown(dialog, 1090));
            QVERIFY(!dialog->compareGroups());
            SetChecked(dialog, 1063, true);
            QVERIFY(Shown(dialog, 1090));
            QVERIFY(dialog->compareGroups());
            SetChecked(dialog, 1090, false);
            QVERIFY(!dialog->compareGroups());
            dialog->reject();
        }

        // Only the life table and product-limit compare groups, and only with a group column.
        for (AnalysisKind mode : {kPeriodAnalysis, kTrend}) {
            ParameterDialog other(tiny.analysis, tiny.cases, mode, true, true, services);
            QVERIFY(!other.findChild<QWidget*>(QStringLiteral("id1090")));
            QVERIFY(!other.compareGroups());
        }
        SmrParameterDialog smr(tiny.analysis, tiny.cases, true, services);
        QVERIFY(!smr.findChild<QWidget*>(QStringLiteral("id1090")));
        DataSet ungrouped = Read(SourcePath(QStringLiteral("data/examples/tiny.txt")), false);
        ParameterDialog noGroups(ungrouped.analysis, ungrouped.cases, kLifeTable, false, true, services);
        ProductLimitParameterDialog noGroupsProductLimit(ungrouped.analysis, ungrouped.cases, false, true, services);
        for (ParameterDialogBase* dialog :
             std::initializer_list<ParameterDialogBase*>{&noGroups, &noGroupsProductLimit}) {
            dialog->show();
            QVERIFY(!Shown(dialog, 1090));
            QVERIFY(!dialog->compareGroups());
            dialog->reject();
        }
    }

    void KeyboardChecksOfEveryParameterDialog()
    {
        DataSet tiny = Example("tiny.txt");
        const auto check = [](QDialog& dialog, const char* name) {
            const QString order = TabOrderFault(dialog);
            QVERIFY2(order.isEmpty(), qPrintable(QStringLiteral("%1: %2").arg(QLatin1String(name), order)));
            const QString mnemonics = MnemonicFault(dialog);
            QVERIFY2(mnemonics.isEmpty(), qPrintable(QStringLiteral("%1: %2").arg(QLatin1String(name), mnemonics)));
            dialog.reject();
        };
        ParameterDialog lifeTable(tiny.analysis, tiny.cases, kLifeTable, true, true, services);
        check(lifeTable, "life table");
        ParameterDialog hakulinen(tiny.analysis, tiny.cases, kLifeTable, true, true, services);
        Choose(&hakulinen, 1077, QStringLiteral("Hakulinen"));
        check(hakulinen, "life table, Hakulinen");
        ParameterDialog period(tiny.analysis, tiny.cases, kPeriodAnalysis, true, true, services);
        check(period, "period analysis");
        ParameterDialog periodProductLimit(tiny.analysis, tiny.cases, kPeriodAnalysis, true, true, services);
        Choose(&periodProductLimit, 1069, QStringLiteral("Product-limit"));
        check(periodProductLimit, "period analysis, product-limit");
        ParameterDialog trend(tiny.analysis, tiny.cases, kTrend, true, true, services);
        check(trend, "trend");
        ProductLimitParameterDialog productLimit(tiny.analysis, tiny.cases, true, true, services);
        Choose(&productLimit, 1077, QStringLiteral("Pohar-Perme (net survival)"));
        check(productLimit, "product-limit");
        SmrParameterDialog smr(tiny.analysis, tiny.cases, true, services);
        check(smr, "SMR/SIR");

        // "Age standardisation" sits beside the method and is read after it.
        ParameterDialog shown(tiny.analysis, tiny.cases, kLifeTable, true, true, services);
        QCOMPARE(FocusAfterShow(shown), QStringLiteral("id1017"));
        Control<QWidget>(&shown, 1077)->setFocus();
        QCOMPARE(TabChain(3), QStringList({"id1077", "id1091", "id1"}));
        QTest::keyClick(&shown, Qt::Key_A, Qt::AltModifier);
        QCOMPARE(QApplication::focusWidget(), Control<QWidget>(&shown, 1091));
        shown.reject();
    }

    void NetSurvivalAndStandardisationChoices()
    {
        DataSet tiny = Example("tiny.txt");
        CAnalysisData& data = tiny.analysis;
        ParameterDialog dialog(data, tiny.cases, kLifeTable, true, true, services);
        dialog.show();
        Choose(&dialog, 1077, QStringLiteral("Pohar-Perme (net survival)"));
        QVERIFY(!Shown(&dialog, 1038));  // the closing date is Hakulinen's
        Choose(&dialog, 1091, QStringLiteral("ICSS 2"));
        QCOMPARE(dialog.standardise(), kIcss2);
        // Off and disabled without relative survival, the choice kept for when it is on again.
        Click(&dialog, 1064);
        QVERIFY(!Enabled(&dialog, 1091));
        QVERIFY(!Enabled(&dialog, 1092));
        QCOMPARE(dialog.standardise(), kNoStandardisation);
        Click(&dialog, 1064);
        QVERIFY(Enabled(&dialog, 1091));
        QCOMPARE(dialog.standardise(), kIcss2);
        Click(&dialog, 1);
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        QCOMPARE(data.relativeSurvival, 1);
        QCOMPARE(data.netSurvival, 1);
        QCOMPARE(data.useHakulinen, 0);
        QVERIFY(!data.populationTables.empty());

        // The next dialog starts at Ederer II and none again; the first two
        // methods leave net survival off.
        for (const QString& method : {QStringLiteral("Ederer II"), QStringLiteral("Hakulinen")}) {
            ParameterDialog again(data, tiny.cases, kLifeTable, true, true, services);
            QCOMPARE(Combo(&again, 1077)->currentIndex(), 0);
            QCOMPARE(Combo(&again, 1091)->currentIndex(), 0);
            QCOMPARE(again.standardise(), kNoStandardisation);
            Choose(&again, 1077, method);
            Click(&again, 1);
            QCOMPARE(data.netSurvival, 0);
            QCOMPARE(data.useHakulinen, method == QStringLiteral("Hakulinen") ? 1 : 0);
        }

        // Product-limit: the third method, but no standardisation.
        ProductLimitParameterDialog productLimit(data, tiny.cases, true, true, services);
        productLimit.show();
        QCOMPARE(Entries(&productLimit, 1077), QStringList({"Ederer II", "Hakulinen", "Pohar-Perme (net survival)"}));
        QVERIFY(!Shown(&productLimit, 1091));
        QVERIFY(!Shown(&productLimit, 1092));
        Combo(&productLimit, 1091)->setCurrentIndex(kIcss1);  // hidden: never asked for
        QCOMPARE(productLimit.standardise(), kNoStandardisation);
        Choose(&productLimit, 1077, QStringLiteral("Pohar-Perme (net survival)"));
        Click(&productLimit, 1);
        QCOMPARE(data.netSurvival, 1);
        QCOMPARE(data.useHakulinen, 0);

        // The trend has none; the period analysis as the core offers it for its technique.
        ParameterDialog trend(data, tiny.cases, kTrend, true, true, services);
        trend.show();
        QVERIFY(!Shown(&trend, 1091));
        Combo(&trend, 1091)->setCurrentIndex(kIcss3);
        QCOMPARE(trend.standardise(), kNoStandardisation);
        trend.reject();
        ParameterDialog period(data, tiny.cases, kPeriodAnalysis, true, true, services);
        period.show();
        for (int technique : {1, 0}) {
            Combo(&period, 1069)->setCurrentIndex(technique);
            QCOMPARE(Shown(&period, 1091), CanStandardise(kPeriodAnalysis, technique));
            Combo(&period, 1091)->setCurrentIndex(kIcss3);
            QCOMPARE(period.standardise(), CanStandardise(kPeriodAnalysis, technique) ? kIcss3 : kNoStandardisation);
        }
        period.reject();

        // Life tables that cannot be listed: disabled with the whole group.
        services.paths.lifeTables = folder.filePath(QStringLiteral("missing.mdb"));
        ParameterDialog unlisted(data, tiny.cases, kLifeTable, true, true, services);
        unlisted.show();
        QVERIFY(Shown(&unlisted, 1091));
        QVERIFY(!Enabled(&unlisted, 1091));
        Combo(&unlisted, 1091)->setCurrentIndex(kIcss1);
        QCOMPARE(unlisted.standardise(), kNoStandardisation);
        unlisted.reject();
        // Without the columns relative survival needs, nothing of it shows.
        ParameterDialog impossible(data, tiny.cases, kLifeTable, true, false, services);
        impossible.show();
        QVERIFY(!Shown(&impossible, 1091));
        QCOMPARE(impossible.standardise(), kNoStandardisation);
    }

    void TimeUnitChangePreparesTheWindow()
    {
        DataSet tiny = Example("tiny.txt");
        CAnalysisData& data = tiny.analysis;
        data.periodBegin = Ymd(2001, 3, 15);
        data.periodEnd = Ymd(2003, 10, 20);
        ParameterDialog dialog(data, tiny.cases, kTrend, true, true, services);
        dialog.show();
        QCOMPARE(Text(&dialog, 1033), QStringLiteral("5"));
        QCOMPARE(Label(&dialog, 1035), QStringLiteral("years"));

        Choose(&dialog, 1017, QStringLiteral("Month"));
        QCOMPARE(data.timeUnit, 1);
        QCOMPARE(data.survivalYears, 12);
        QCOMPARE(data.periodWidth, 12);
        QCOMPARE(Text(&dialog, 1033), QStringLiteral("12"));
        QCOMPARE(Text(&dialog, 1040), QStringLiteral("12"));
        QCOMPARE(Label(&dialog, 1035), QStringLiteral("months"));
        QCOMPARE(Label(&dialog, 1042), QStringLiteral("months"));
        QCOMPARE(data.periodBegin, Ymd(2001, 3, 1));
        QCOMPARE(data.periodEnd, Ymd(2003, 10, 31));
        Choose(&dialog, 1017, QStringLiteral("Week"));
        QCOMPARE(Text(&dialog, 1040), QStringLiteral("52"));
        QCOMPARE(Label(&dialog, 1042), QStringLiteral("weeks"));
        Choose(&dialog, 1017, QStringLiteral("Day"));
        QCOMPARE(data.survivalYears, 365);
        QCOMPARE(Label(&dialog, 1035), QStringLiteral("days"));
        Choose(&dialog, 1017, QStringLiteral("Year"));
        QCOMPARE(data.periodBegin, Ymd(2001, 1, 1));
        QCOMPARE(data.periodEnd, Ymd(2003, 12, 31));
        QCOMPARE(Text(&dialog, 1040), QStringLiteral("5"));
        QCOMPARE(Label(&dialog, 1042), QStringLiteral("years"));
    }

    void TechniqueAndMethodChanges()
    {
        DataSet tiny = Example("tiny.txt");
        ParameterDialog period(tiny.analysis, tiny.cases, kPeriodAnalysis, true, true, services);
        period.show();
        QCOMPARE(Entries(&period, 1069), QStringList({"Life table", "Product-limit"}));
        QCOMPARE(Combo(&period, 1069)->currentIndex(), 0);
        Choose(&period, 1069, QStringLiteral("Product-limit"));
        QVERIFY(Shown(&period, 1072));
        QVERIFY(!Shown(&period, 1071));
        QCOMPARE(Label(&period, 1072), QStringLiteral("&Time scale"));
        Choose(&period, 1069, QStringLiteral("Life table"));
        QVERIFY(Shown(&period, 1071));
        QVERIFY(!Shown(&period, 1072));
        // Hakulinen's closing date shows only in the life table mode.
        Choose(&period, 1077, QStringLiteral("Hakulinen"));
        QVERIFY(!Shown(&period, 1038));

        ParameterDialog lifeTable(tiny.analysis, tiny.cases, kLifeTable, true, true, services);
        lifeTable.show();
        Choose(&lifeTable, 1077, QStringLiteral("Hakulinen"));
        QVERIFY(Shown(&lifeTable, 1037));
        QVERIFY(Shown(&lifeTable, 1038));
        Choose(&lifeTable, 1077, QStringLiteral("Ederer II"));
        QVERIFY(!Shown(&lifeTable, 1038));

        ProductLimitParameterDialog productLimit(tiny.analysis, tiny.cases, true, true, services);
        productLimit.show();
        Choose(&productLimit, 1077, QStringLiteral("Hakulinen"));
        QVERIFY(Shown(&productLimit, 1037));
        QVERIFY(Shown(&productLimit, 1038));

        // The relative-survival check enables and disables its controls.
        Choose(&lifeTable, 1077, QStringLiteral("Hakulinen"));
        Click(&lifeTable, 1064);
        for (int id : {1075, 1036, 1005, 1006, 1073, 1074, 1083, 1077, 1038, 1037})
            QVERIFY2(!Enabled(&lifeTable, id), qPrintable(ControlName(id)));
        QVERIFY(Enabled(&lifeTable, 1064));
        Click(&lifeTable, 1064);
        for (int id : {1075, 1036, 1005, 1006, 1073, 1074, 1083, 1077, 1038, 1037}) QVERIFY(Enabled(&lifeTable, id));
    }

    void RelativeSurvivalNotPossibleOrNotListed()
    {
        DataSet noBirth = Read(SourcePath(QStringLiteral("data/examples/tiny.txt")), true, true, false);
        ParameterDialog dialog(noBirth.analysis, noBirth.cases, kLifeTable, true, false, services);
        dialog.show();
        for (int id : relativeControls) QVERIFY2(!Shown(&dialog, id), qPrintable(ControlName(id)));
        ProductLimitParameterDialog productLimit(noBirth.analysis, noBirth.cases, true, false, services);
        productLimit.show();
        for (int id : relativeControls) QVERIFY(!Shown(&productLimit, id));
        QVERIFY(messages.shown.isEmpty());

        services.paths.lifeTables = folder.filePath(QStringLiteral("missing.mdb"));
        DataSet tiny = Example("tiny.txt");
        ParameterDialog unlisted(tiny.analysis, tiny.cases, kLifeTable, true, true, services);
        unlisted.show();
        QCOMPARE(messages.shown.size(), 1);
        QVERIFY(!Control<QCheckBox>(&unlisted, 1064)->isChecked());
        for (int id : relativeControls) QVERIFY(Shown(&unlisted, id) && !Enabled(&unlisted, id));
        for (int id : {1037, 1038}) QVERIFY(!Enabled(&unlisted, id));
        Click(&unlisted, 1);
        QCOMPARE(unlisted.result(), int(QDialog::Accepted));
        QCOMPARE(tiny.analysis.relativeSurvival, 0);
    }

    void PeriodArrowsWriteTheRecord()
    {
        DataSet tiny = Example("tiny.txt");
        CAnalysisData& data = tiny.analysis;
        data.timeUnit = 1;
        data.periodEnd = Ymd(2004, 1, 31);
        data.PrepareTimeWindow();
        ParameterDialog dialog(data, tiny.cases, kPeriodAnalysis, true, true, services);
        dialog.show();
        QCOMPARE(Text(&dialog, 1023), QStringLiteral("01.01.1995"));
        QCOMPARE(Text(&dialog, 1024), QStringLiteral("31.01.2004"));
        Arrow(&dialog, 1026, true);  // 2004 is a leap year
        QCOMPARE(Text(&dialog, 1024), QStringLiteral("29.02.2004"));
        QCOMPARE(data.periodEnd, Ymd(2004, 2, 29));
        Arrow(&dialog, 1026, false);
        Arrow(&dialog, 1026, false);
        QCOMPARE(Text(&dialog, 1024), QStringLiteral("31.12.2003"));

        Arrow(&dialog, 1025, false);  // at the window begin
        QCOMPARE(data.periodBegin, Ymd(1995, 1, 1));
        Arrow(&dialog, 1025, true);
        QCOMPARE(Text(&dialog, 1023), QStringLiteral("01.02.1995"));
        QCOMPARE(data.periodBegin, Ymd(1995, 2, 1));
        for (int i = 0; i < 11; ++i) Arrow(&dialog, 1025, true);
        QCOMPARE(data.periodBegin, Ymd(1996, 1, 1));  // December wraps to January

        // The unit of the list, in years; the arrow keys in the edit step too.
        Choose(&dialog, 1017, QStringLiteral("Year"));
        QCOMPARE(Text(&dialog, 1024), QStringLiteral("31.12.2003"));
        QTest::keyClick(Control<QLineEdit>(&dialog, 1024), Qt::Key_Up);
        QCOMPARE(data.periodEnd, Ymd(2004, 12, 31));
        QTest::keyClick(Control<QLineEdit>(&dialog, 1024), Qt::Key_Up);
        QCOMPARE(data.periodEnd, Ymd(2004, 12, 31));  // the window end
        QTest::keyClick(Control<QLineEdit>(&dialog, 1023), Qt::Key_Down);
        QCOMPARE(Text(&dialog, 1023), QStringLiteral("01.01.1995"));
    }

    void NumbersAreTakenAsTypedAndMustBeWhole()
    {
        DataSet tiny = Example("tiny.txt");
        CAnalysisData& data = tiny.analysis;
        ParameterDialog dialog(data, tiny.cases, kTrend, true, false, services);
        dialog.show();
        SetText(&dialog, 1033, QStringLiteral("150"));
        QCOMPARE(data.survivalYears, 150);  // no range check
        SetText(&dialog, 1040, QStringLiteral("3"));
        QCOMPARE(data.periodWidth, 3);
        Arrow(&dialog, 1041, true);
        QCOMPARE(data.periodWidth, 4);
        Arrow(&dialog, 1034, true);  // the arrows keep to 1 .. 99
        QCOMPARE(data.survivalYears, 99);

        SetText(&dialog, 1040, QStringLiteral("2.5"));
        QCOMPARE(data.periodWidth, 2);  // as far as it was a whole number
        Click(&dialog, 1);
        QCOMPARE(messages.shown, QStringList({"Please enter an integer."}));
        QVERIFY(dialog.isVisible());
        QCOMPARE(dialog.focusWidget(), Control<QWidget>(&dialog, 1040));
        SetText(&dialog, 1040, QStringLiteral("6"));
        Click(&dialog, 1);
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        QCOMPARE(data.periodWidth, 6);
        QCOMPARE(data.survivalYears, 99);
    }

    void OkWritesTheRecord()
    {
        DataSet tiny = Example("tiny.txt");
        CAnalysisData& data = tiny.analysis;
        ParameterDialog dialog(data, tiny.cases, kPeriodAnalysis, true, true, services);
        dialog.show();
        Choose(&dialog, 1028, QStringLiteral("0"));
        Choose(&dialog, 1029, QStringLiteral(".99"));
        Choose(&dialog, 1069, QStringLiteral("Product-limit"));
        Choose(&dialog, 1036, QStringLiteral("2"));
        Choose(&dialog, 1074, TableNames(LifeTables()).last());
        Choose(&dialog, 1077, QStringLiteral("Hakulinen"));
        Click(&dialog, 1);
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        QCOMPARE(data.eventCode, std::string("0"));
        QCOMPARE(data.eventCodeIndex, 1);
        QCOMPARE(data.ciLevelText, std::string(".99"));
        QCOMPARE(data.groupResults.size(), size_t(2));
        for (const CGroupResult& group : data.groupResults) QCOMPARE(group.intervalTable.ciLevelText, std::string(".99"));
        QCOMPARE(data.periodTechnique, 1);
        QCOMPARE(data.relativeSurvival, 1);
        QCOMPARE(data.sexCodeFirst, std::string("2"));
        QCOMPARE(data.sexCodeIndex, 1);
        QCOMPARE(data.sexCodeIsFemale, 0);
        QCOMPARE(DisplayText(data.populationTableName), TableNames(LifeTables()).last());
        QCOMPARE(data.useHakulinen, 1);
        QCOMPARE(data.closingDate, Ymd(2004, 12, 31));  // the last end date; not shown in this mode
        const ReadResult<std::vector<CPopulationYearTable>> loaded =
            LoadPopulationTable(PathBytes(LifeTables()), data.populationTableName);
        QVERIFY(loaded.ok());
        const std::vector<CPopulationYearTable>& expected = *loaded;
        QVERIFY(!expected.empty());
        QCOMPARE(data.populationTables.size(), expected.size());
        QCOMPARE(data.populationTables.front().firstSex, expected.front().firstSex);

        // Marked female, the other code of two is the first sex.
        ParameterDialog again(data, tiny.cases, kLifeTable, true, true, services);
        QCOMPARE(Combo(&again, 1028)->currentIndex(), 1);
        QCOMPARE(Combo(&again, 1036)->currentIndex(), 1);
        Click(&again, 1006);
        Choose(&again, 1077, QStringLiteral("Hakulinen"));
        SetText(&again, 1038, QStringLiteral("30.06.2004"));
        Click(&again, 1);
        QCOMPARE(data.sexCodeFirst, std::string("1"));
        QCOMPARE(data.sexCodeIsFemale, 1);
        QCOMPARE(data.closingDate, Ymd(2004, 6, 30));
        QCOMPARE(data.periodTechnique, 1);  // not a choice in this mode
        QCOMPARE(data.ciLevelText, std::string(".95"));

        // Without relative survival the table and its fields stay.
        const size_t loadedYears = data.populationTables.size();
        ParameterDialog plain(data, tiny.cases, kLifeTable, true, true, services);
        Click(&plain, 1064);
        Choose(&plain, 1036, QStringLiteral("1"));
        Click(&plain, 1);
        QCOMPARE(data.relativeSurvival, 0);
        QCOMPARE(data.sexCodeFirst, std::string("1"));
        QCOMPARE(data.sexCodeIndex, 0);
        QCOMPARE(data.populationTables.size(), loadedYears);
        QVERIFY(messages.shown.isEmpty());
    }

    void SingleSexCodeMarkedFemaleAndSingleStatus()
    {
        DataSet one = Write("01.01.2000;01.06.2001;1;a;F;01.01.1950\n01.03.2000;01.06.2002;1;a;F;01.01.1940\n");
        ParameterDialog dialog(one.analysis, one.cases, kLifeTable, true, true, services);
        QCOMPARE(Entries(&dialog, 1028), QStringList({"1"}));
        QCOMPARE(Entries(&dialog, 1036), QStringList({"F"}));
        Click(&dialog, 1006);
        Click(&dialog, 1);
        QCOMPARE(one.analysis.eventCode, std::string("1"));
        QCOMPARE(one.analysis.sexCodeFirst, std::string("FM"));
    }

    void ClosingDateOrTableThatCannotBeReadKeepsTheDialogOpen()
    {
        DataSet tiny = Example("tiny.txt");
        CAnalysisData& data = tiny.analysis;
        ParameterDialog dialog(data, tiny.cases, kLifeTable, true, true, services);
        dialog.show();
        Choose(&dialog, 1077, QStringLiteral("Hakulinen"));
        SetText(&dialog, 1038, QStringLiteral("31.02.2004"));
        Click(&dialog, 1);
        QVERIFY(dialog.isVisible());
        QCOMPARE(messages.shown.size(), 1);
        QVERIFY(messages.shown[0].contains(QStringLiteral("closing date")));
        QCOMPARE(dialog.focusWidget(), Control<QWidget>(&dialog, 1038));
        QCOMPARE(data.relativeSurvival, 0);
        QVERIFY(data.eventCode.empty());  // nothing written

        // A database whose table has no Year and Age columns.
        services.paths.lifeTables = SourcePath(QStringLiteral("tests/data/access/cases.mdb"));
        ParameterDialog unreadable(data, tiny.cases, kLifeTable, true, true, services);
        unreadable.show();
        QCOMPARE(Entries(&unreadable, 1074), QStringList({"Patients"}));
        messages.shown.clear();
        Click(&unreadable, 1);
        QVERIFY(unreadable.isVisible());
        QCOMPARE(messages.shown.size(), 1);
        QCOMPARE(data.relativeSurvival, 0);
        QVERIFY(data.populationTableName.empty());
        Click(&unreadable, 1064);  // without relative survival it goes through
        Click(&unreadable, 1);
        QCOMPARE(unreadable.result(), int(QDialog::Accepted));
    }

    void CancelKeepsOnlyTheLiveChanges()
    {
        DataSet tiny = Example("tiny.txt");
        CAnalysisData& data = tiny.analysis;
        data.eventCode = "1";
        data.ciLevelText = ".95";
        ParameterDialog dialog(data, tiny.cases, kTrend, true, true, services);
        dialog.show();
        Choose(&dialog, 1017, QStringLiteral("Month"));
        SetText(&dialog, 1040, QStringLiteral("7"));
        Choose(&dialog, 1028, QStringLiteral("0"));
        Choose(&dialog, 1029, QStringLiteral(".99"));
        Choose(&dialog, 1069, QStringLiteral("Product-limit"));
        Click(&dialog, 2);
        QCOMPARE(dialog.result(), int(QDialog::Rejected));
        QVERIFY(!dialog.diagram()->animating());
        QCOMPARE(data.timeUnit, 1);
        QCOMPARE(data.periodWidth, 7);
        QCOMPARE(data.survivalYears, 12);
        QCOMPARE(data.eventCode, std::string("1"));
        QCOMPARE(data.ciLevelText, std::string(".95"));
        QCOMPARE(data.periodTechnique, 0);
        QCOMPARE(data.relativeSurvival, 0);
        QVERIFY(data.populationTables.empty());
    }

    void HelpShowsTheTopicThroughTheHelpEntryPoint()
    {
        DataSet tiny = Example("tiny.txt");
        ParameterDialog dialog(tiny.analysis, tiny.cases, kTrend, true, true, services);
        Click(&dialog, 9);
        QCOMPARE(messages.shown,
                 QStringList{QStringLiteral("File %1 (compiled HTML Help file) not found.").arg(services.paths.helpFile)});
    }

    void ProductLimitDialog()
    {
        DataSet tiny = Example("tiny.txt");
        CAnalysisData& data = tiny.analysis;
        data.timeUnit = 2;
        ProductLimitParameterDialog dialog(data, tiny.cases, true, true, services);
        QCOMPARE(dialog.objectName(), QStringLiteral("id146"));
        dialog.show();
        QCOMPARE(Combo(&dialog, 1068)->currentText(), QStringLiteral("Year"));
        QCOMPARE(Entries(&dialog, 1068), QStringList({"Year", "Month", "Week", "Day"}));
        QCOMPARE(Text(&dialog, 1038), QStringLiteral("31.12.2004"));
        Choose(&dialog, 1068, QStringLiteral("Month"));
        Choose(&dialog, 1029, QStringLiteral(".99"));
        Choose(&dialog, 1077, QStringLiteral("Hakulinen"));
        SetText(&dialog, 1038, QStringLiteral("1.7.2003"));
        Click(&dialog, 1);
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        QCOMPARE(data.timeUnit, 1);
        QCOMPARE(data.windowBegin, Ymd(1995, 1, 1));  // not prepared again
        QCOMPARE(data.ciLevelText, std::string(".99"));
        for (const CGroupResult& group : data.groupResults) QVERIFY(group.intervalTable.ciLevelText.empty());
        QCOMPARE(data.eventCode, std::string("1"));
        QCOMPARE(data.relativeSurvival, 1);
        QCOMPARE(data.useHakulinen, 1);
        QCOMPARE(data.closingDate, Ymd(2003, 7, 1));
        QVERIFY(!data.populationTables.empty());
        QCOMPARE(dialog.stratified(), 1);

        Click(&dialog, 9);
        QVERIFY(messages.shown.last().contains(QStringLiteral("not found")));
    }

    void SmrDialog()
    {
        DataSet tiny = Example("tiny.txt");
        CAnalysisData& data = tiny.analysis;
        data.eventCodeIndex = 5;  // beyond the list: nothing chosen
        SmrParameterDialog dialog(data, tiny.cases, false, services);
        QCOMPARE(dialog.objectName(), QStringLiteral("id172"));
        dialog.show();
        QCOMPARE(Combo(&dialog, 1028)->currentIndex(), -1);
        QCOMPARE(Entries(&dialog, 1084), QStringList({"Byar"}));
        QCOMPARE(Entries(&dialog, 1074), TableNames(RateTables()));
        QCOMPARE(Combo(&dialog, 1074)->currentIndex(), 0);
        QVERIFY(!Shown(&dialog, 1063));
        QVERIFY(!dialog.findChild<QWidget*>(ControlName(1064)));
        Choose(&dialog, 1028, QStringLiteral("1"));
        Click(&dialog, 1006);
        Click(&dialog, 1);
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        QCOMPARE(data.eventCode, std::string("1"));
        QCOMPARE(data.eventCodeIndex, 0);
        QCOMPARE(data.ciLevelText, std::string(".95"));
        QCOMPARE(data.sexCodeFirst, std::string("2"));
        QCOMPARE(DisplayText(data.populationTableName), TableNames(RateTables()).first());
        QVERIFY(!data.populationTables.empty());
        QCOMPARE(dialog.stratified(), 0);

        // Tables that cannot be listed end the dialog as cancelled.
        services.paths.referenceRateTables = folder.filePath(QStringLiteral("missing.mdb"));
        SmrParameterDialog unlisted(data, tiny.cases, true, services);
        QCOMPARE(messages.shown.size(), 1);
        QCOMPARE(unlisted.exec(), int(QDialog::Rejected));

        // A table that cannot be loaded keeps the dialog open.
        services.paths.referenceRateTables = SourcePath(QStringLiteral("tests/data/access/cases.mdb"));
        SmrParameterDialog unreadable(data, tiny.cases, true, services);
        unreadable.show();
        Click(&unreadable, 1);
        QVERIFY(unreadable.isVisible());
        QCOMPARE(messages.shown.size(), 2);
        QCOMPARE(DisplayText(data.populationTableName), TableNames(RateTables()).first());
    }

    void TrendDiagramMovesUntilTheDialogCloses()
    {
        DataSet tiny = Example("tiny.txt");
        CAnalysisData& data = tiny.analysis;
        ParameterDialog dialog(data, tiny.cases, kTrend, true, true, services);
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        QTRY_VERIFY(dialog.diagram()->animating());
        QTRY_COMPARE_WITH_TIMEOUT(data.periodBegin, Ymd(1996, 1, 1), 3000);
        QCOMPARE(data.periodEnd, Ymd(2001, 1, 1));
        dialog.reject();
        QVERIFY(!dialog.diagram()->animating());
    }
};

}  // namespace kalderon::testing

QTEST_MAIN(kalderon::testing::ParameterDialogTest)
#include "ParameterDialogTest.moc"
