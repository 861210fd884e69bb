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
#include "analysis/ui/CoxParameterDialog.h"
#include "analysis/ui/IncidenceParameterDialog.h"
#include "analysis/ui/ParameterDialog.h"
#include "analysis/ui/ProductLimitParameterDialog.h"
#include "analysis/ui/SmrParameterDialog.h"
#include "analysis/ui/SurvivalSummaryRows.h"
#include "common/qt/DisplayText.h"
#include "common/ui/AppServices.h"
#include "common/ui/ResourceIds.h"
#include "common/ui/UiText.h"
#include "import/PopulationTableLoader.h"
#include "import/TextFileReader.h"
#include "resources/Texts.h"
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

    // The ids of the controls every parameter dialog has.
    using Shared = ParameterDialogBase;

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

    const int relativeControls[10] = {Shared::kRelativeSurvival, Shared::kSexLabel, Shared::kSexCodes, Shared::kMale,
                                      Shared::kFemale, Shared::kTablesLabel, Shared::kTables, Shared::kMethodLabel,
                                      Shared::kMethod, Shared::kRelativeGroup};

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
        QCOMPARE(dialog.objectName(), ControlName(ParameterDialog::kDialog));
        QCOMPARE(dialog.windowTitle(), QStringLiteral("Parameter selection"));
        QCOMPARE(FocusAfterShow(dialog), ControlName(ParameterDialog::kTimeUnit));
        QVERIFY(Shown(&dialog, ObservationPeriodDiagram::kControlId));
        QCOMPARE(Text(&dialog, Shared::kObservationBegin), QStringLiteral("01.01.1995"));
        QCOMPARE(Text(&dialog, Shared::kObservationEnd), QStringLiteral("31.12.2004"));
        QVERIFY(Control<QLineEdit>(&dialog, Shared::kObservationBegin)->isReadOnly());
        QVERIFY(!Shown(&dialog, Shared::kInvalidCasesNote));  // no invalid case
        for (int id : {ParameterDialog::kPeriodLabel, ParameterDialog::kPeriodBegin, ParameterDialog::kPeriodEnd,
                       ParameterDialog::kPeriodBeginSpin, ParameterDialog::kPeriodEndSpin, ParameterDialog::kPeriodTo,
                       ParameterDialog::kSurvivalYearsLabel, ParameterDialog::kSurvivalYears,
                       ParameterDialog::kSurvivalYearsSpin, ParameterDialog::kSurvivalYearsUnit,
                       ParameterDialog::kWidthLabel, ParameterDialog::kWidth, ParameterDialog::kWidthSpin,
                       ParameterDialog::kWidthUnit, ParameterDialog::kTechniqueLabel, ParameterDialog::kTechnique})
            QVERIFY2(!Shown(&dialog, id), qPrintable(ControlName(id)));
        QCOMPARE(Entries(&dialog, ParameterDialog::kTimeUnit), QStringList({"Year", "Month", "Week", "Day"}));
        QCOMPARE(Combo(&dialog, ParameterDialog::kTimeUnit)->currentText(), QStringLiteral("Year"));
        QVERIFY(Shown(&dialog, ParameterDialog::kTimeIntervalLabel));
        QVERIFY(!Shown(&dialog, ParameterDialog::kTimeScaleLabel));
        QCOMPARE(Label(&dialog, ParameterDialog::kTimeIntervalLabel), QStringLiteral("&Time interval"));
        QCOMPARE(Entries(&dialog, Shared::kEventCode), QStringList({"1", "0"}));
        QCOMPARE(Combo(&dialog, Shared::kEventCode)->currentIndex(), 1);
        QCOMPARE(Entries(&dialog, Shared::kConfidence), QStringList({".95", ".99"}));
        QCOMPARE(Combo(&dialog, Shared::kConfidence)->currentText(), QStringLiteral(".95"));
        QVERIFY(Control<QCheckBox>(&dialog, Shared::kStratified)->isChecked());
        QVERIFY(Shown(&dialog, Shared::kStratified));
        QVERIFY(Control<QCheckBox>(&dialog, Shared::kRelativeSurvival)->isChecked());
        QCOMPARE(Entries(&dialog, Shared::kSexCodes), QStringList({"1", "2"}));
        QCOMPARE(Combo(&dialog, Shared::kSexCodes)->currentIndex(), 0);
        QVERIFY(Control<QRadioButton>(&dialog, Shared::kFemale)->isChecked());
        QCOMPARE(Entries(&dialog, Shared::kTables), TableNames(LifeTables()));
        QVERIFY(Combo(&dialog, Shared::kTables)->count() > 0);
        QCOMPARE(Combo(&dialog, Shared::kTables)->currentIndex(), 0);
        QCOMPARE(Entries(&dialog, Shared::kMethod),
                 QStringList({"Ederer II", "Hakulinen", "Pohar-Perme (net survival)"}));
        QCOMPARE(Combo(&dialog, Shared::kMethod)->currentIndex(), 0);
        QCOMPARE(Label(&dialog, Shared::kStandardisationLabel), QStringLiteral("&Age standardisation"));
        QCOMPARE(Entries(&dialog, Shared::kStandardisation), QStringList({"none", "ICSS 1", "ICSS 2", "ICSS 3"}));
        QCOMPARE(Combo(&dialog, Shared::kStandardisation)->currentIndex(), 0);
        QVERIFY(Shown(&dialog, Shared::kStandardisation));
        QCOMPARE(dialog.standardise(), kNoStandardisation);
        QVERIFY(!Shown(&dialog, Shared::kClosingLabel));
        QVERIFY(!Shown(&dialog, Shared::kClosingDate));
        QCOMPARE(Text(&dialog, Shared::kClosingDate), QStringLiteral("31.12.2004"));
        QCOMPARE(dialog.stratified(), 1);
        QVERIFY(!dialog.diagram()->animating());

        // The note on invalid cases, no group column.
        DataSet skipped = Write("01.01.2000;01.06.2001;1\n01.01.2000;bad;0\n", false, false, false);
        ParameterDialog other(skipped.analysis, skipped.cases, kLifeTable, false, false, services);
        other.show();
        QVERIFY(Shown(&other, Shared::kInvalidCasesNote));
        QCOMPARE(Label(&other, Shared::kInvalidCasesNote), QStringLiteral("(After exclusion of invalid cases)"));
        QVERIFY(!Shown(&other, Shared::kStratified));
        QCOMPARE(other.stratified(), 0);
    }

    void FirstFocusTabOrderAndEscape()
    {
        DataSet tiny = Example("tiny.txt");
        ParameterDialog period(tiny.analysis, tiny.cases, kPeriodAnalysis, true, true, services);
        QCOMPARE(FocusAfterShow(period), ControlName(ParameterDialog::kPeriodBegin));
        QStringList chain;
        for (int i = 0; i < 19; ++i) {
            chain << QApplication::focusWidget()->objectName();
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        }
        QCOMPARE(chain, ControlNames({ParameterDialog::kPeriodBegin, ParameterDialog::kPeriodEnd,
                                      ParameterDialog::kTimeUnit, ParameterDialog::kTechnique, Shared::kEventCode,
                                      Shared::kConfidence, Shared::kStratified, SurvivalSummaryRows::kSurvivalAt,
                                      SurvivalSummaryRows::kConditional, Shared::kRelativeSurvival,
                                      Shared::kSexCodes, Shared::kMale, Shared::kTables, Shared::kMethod,
                                      Shared::kStandardisation, button::kOk, button::kCancel, button::kHelp,
                                      Shared::kObservationBegin}));
        QTest::keyClick(&period, Qt::Key_Escape);
        QCOMPARE(period.result(), int(QDialog::Rejected));
        QVERIFY(!period.isVisible());

        ParameterDialog trend(tiny.analysis, tiny.cases, kTrend, true, true, services);
        QCOMPARE(FocusAfterShow(trend), ControlName(ParameterDialog::kSurvivalYears));
        trend.reject();
        ProductLimitParameterDialog productLimit(tiny.analysis, tiny.cases, true, true, services);
        QCOMPARE(FocusAfterShow(productLimit), ControlName(ProductLimitParameterDialog::kTimeScale));
        QCOMPARE(TabChain(15), ControlNames({ProductLimitParameterDialog::kTimeScale, Shared::kEventCode,
                                             Shared::kConfidence, Shared::kStratified, Shared::kCompareGroups,
                                             SurvivalSummaryRows::kSurvivalAt, SurvivalSummaryRows::kConditional,
                                             SurvivalSummaryRows::kRestrictedMean, Shared::kRelativeSurvival, Shared::kSexCodes, Shared::kMale,
                                             Shared::kTables, Shared::kMethod, Shared::kStandardisation, button::kOk}));
        productLimit.reject();
        ParameterDialog lifeTable(tiny.analysis, tiny.cases, kLifeTable, true, true, services);
        QCOMPARE(FocusAfterShow(lifeTable), ControlName(ParameterDialog::kTimeUnit));
        QCOMPARE(TabChain(10), ControlNames({ParameterDialog::kTimeUnit, Shared::kEventCode, Shared::kConfidence,
                                             Shared::kStratified, Shared::kCompareGroups,
                                             SurvivalSummaryRows::kSurvivalAt, SurvivalSummaryRows::kConditional,
                                             Shared::kRelativeSurvival, Shared::kSexCodes, Shared::kMale}));
        lifeTable.reject();
        SmrParameterDialog smr(tiny.analysis, tiny.cases, true, services);
        QCOMPARE(FocusAfterShow(smr), ControlName(Shared::kEventCode));
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
            auto* compare = Control<QCheckBox>(dialog, Shared::kCompareGroups);
            QCOMPARE(compare->text(), QStringLiteral("Compare gro&ups"));
            QVERIFY(Shown(dialog, Shared::kCompareGroups));
            QVERIFY(compare->isChecked());
            QVERIFY(dialog->compareGroups());
            const QStringList letters = Mnemonics(dialog);
            QCOMPARE(QSet<QString>(letters.begin(), letters.end()).size(), letters.size());

            SetChecked(dialog, Shared::kStratified, false);
            QVERIFY(!Shown(dialog, Shared::kCompareGroups));
            QVERIFY(!dialog->compareGroups());
            SetChecked(dialog, Shared::kStratified, true);
            QVERIFY(Shown(dialog, Shared::kCompareGroups));
            QVERIFY(dialog->compareGroups());
            SetChecked(dialog, Shared::kCompareGroups, false);
            QVERIFY(!dialog->compareGroups());
            dialog->reject();
        }

        // Only the life table and product-limit compare groups, and only with a group column.
        for (AnalysisKind mode : {kPeriodAnalysis, kTrend}) {
            ParameterDialog other(tiny.analysis, tiny.cases, mode, true, true, services);
            QVERIFY(!other.findChild<QWidget*>(ControlName(Shared::kCompareGroups)));
            QVERIFY(!other.compareGroups());
        }
        SmrParameterDialog smr(tiny.analysis, tiny.cases, true, services);
        QVERIFY(!smr.findChild<QWidget*>(ControlName(Shared::kCompareGroups)));
        DataSet ungrouped = Read(SourcePath(QStringLiteral("data/examples/tiny.txt")), false);
        ParameterDialog noGroups(ungrouped.analysis, ungrouped.cases, kLifeTable, false, true, services);
        ProductLimitParameterDialog noGroupsProductLimit(ungrouped.analysis, ungrouped.cases, false, true, services);
        for (ParameterDialogBase* dialog :
             std::initializer_list<ParameterDialogBase*>{&noGroups, &noGroupsProductLimit}) {
            dialog->show();
            QVERIFY(!Shown(dialog, Shared::kCompareGroups));
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
        Choose(&hakulinen, Shared::kMethod, QStringLiteral("Hakulinen"));
        check(hakulinen, "life table, Hakulinen");
        ParameterDialog period(tiny.analysis, tiny.cases, kPeriodAnalysis, true, true, services);
        check(period, "period analysis");
        ParameterDialog periodProductLimit(tiny.analysis, tiny.cases, kPeriodAnalysis, true, true, services);
        Choose(&periodProductLimit, ParameterDialog::kTechnique, QStringLiteral("Product-limit"));
        check(periodProductLimit, "period analysis, product-limit");
        ParameterDialog trend(tiny.analysis, tiny.cases, kTrend, true, true, services);
        check(trend, "trend");
        ProductLimitParameterDialog productLimit(tiny.analysis, tiny.cases, true, true, services);
        Choose(&productLimit, Shared::kMethod, QStringLiteral("Pohar-Perme (net survival)"));
        check(productLimit, "product-limit");
        SmrParameterDialog smr(tiny.analysis, tiny.cases, true, services);
        check(smr, "SMR/SIR");
        IncidenceParameterDialog incidence(tiny.analysis, tiny.cases, true, services);
        check(incidence, "cumulative incidence");
        CoxParameterDialog cox(tiny, tiny.analysis, services);
        check(cox, "Cox regression");

        // "Age standardisation" sits beside the method and is read after it,
        // then "Crude probabilities of death".
        ParameterDialog shown(tiny.analysis, tiny.cases, kLifeTable, true, true, services);
        QCOMPARE(FocusAfterShow(shown), ControlName(ParameterDialog::kTimeUnit));
        Control<QWidget>(&shown, Shared::kMethod)->setFocus();
        QCOMPARE(TabChain(4), ControlNames({Shared::kMethod, Shared::kStandardisation, Shared::kCrudeProbabilities,
                                            button::kOk}));
        QTest::keyClick(&shown, Qt::Key_A, Qt::AltModifier);
        QCOMPARE(QApplication::focusWidget(), Control<QWidget>(&shown, Shared::kStandardisation));
        QTest::keyClick(&shown, Qt::Key_P, Qt::AltModifier);
        QCOMPARE(QApplication::focusWidget(), Control<QWidget>(&shown, Shared::kCrudeProbabilities));
        Choose(&shown, Shared::kMethod, QStringLiteral("Hakulinen"));
        QVERIFY(!Control<QWidget>(&shown, Shared::kCrudeProbabilities)->isEnabled());
        shown.reject();
    }

    void NetSurvivalAndStandardisationChoices()
    {
        DataSet tiny = Example("tiny.txt");
        CAnalysisData& data = tiny.analysis;
        ParameterDialog dialog(data, tiny.cases, kLifeTable, true, true, services);
        dialog.show();
        Choose(&dialog, Shared::kMethod, QStringLiteral("Pohar-Perme (net survival)"));
        QVERIFY(!Shown(&dialog, Shared::kClosingDate));  // the closing date is Hakulinen's
        Choose(&dialog, Shared::kStandardisation, QStringLiteral("ICSS 2"));
        QCOMPARE(dialog.standardise(), kIcss2);
        // Off and disabled without relative survival, the choice kept for when it is on again.
        Click(&dialog, Shared::kRelativeSurvival);
        QVERIFY(!Enabled(&dialog, Shared::kStandardisation));
        QVERIFY(!Enabled(&dialog, Shared::kStandardisationLabel));
        QCOMPARE(dialog.standardise(), kNoStandardisation);
        Click(&dialog, Shared::kRelativeSurvival);
        QVERIFY(Enabled(&dialog, Shared::kStandardisation));
        QCOMPARE(dialog.standardise(), kIcss2);
        Click(&dialog, button::kOk);
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        QCOMPARE(data.relativeSurvival, 1);
        QCOMPARE(data.netSurvival, 1);
        QCOMPARE(data.useHakulinen, 0);
        QVERIFY(!data.populationTables.empty());

        // The next dialog starts at Ederer II and none again; the first two
        // methods leave net survival off.
        for (const QString& method : {QStringLiteral("Ederer II"), QStringLiteral("Hakulinen")}) {
            ParameterDialog again(data, tiny.cases, kLifeTable, true, true, services);
            QCOMPARE(Combo(&again, Shared::kMethod)->currentIndex(), 0);
            QCOMPARE(Combo(&again, Shared::kStandardisation)->currentIndex(), 0);
            QCOMPARE(again.standardise(), kNoStandardisation);
            Choose(&again, Shared::kMethod, method);
            Click(&again, button::kOk);
            QCOMPARE(data.netSurvival, 0);
            QCOMPARE(data.useHakulinen, method == QStringLiteral("Hakulinen") ? 1 : 0);
        }

        // Product-limit: the third method, and standardisation with Brenner's weights only.
        ProductLimitParameterDialog productLimit(data, tiny.cases, true, true, services);
        productLimit.show();
        QCOMPARE(Entries(&productLimit, Shared::kMethod),
                 QStringList({"Ederer II", "Hakulinen", "Pohar-Perme (net survival)"}));
        QVERIFY(Shown(&productLimit, Shared::kStandardisation));
        QVERIFY(!Shown(&productLimit, Shared::kStandardisationMethod));
        Choose(&productLimit, Shared::kStandardisation, QStringLiteral("ICSS 1"));
        QVERIFY(Shown(&productLimit, Shared::kStandardisationMethod));
        QCOMPARE(productLimit.standardise(), kIcss1);
        QCOMPARE(productLimit.standardiseMethod(), StandardiseMethod::kBrenner);
        Choose(&productLimit, Shared::kStandardisation, QStringLiteral("none"));
        Choose(&productLimit, Shared::kMethod, QStringLiteral("Pohar-Perme (net survival)"));
        Click(&productLimit, button::kOk);
        QCOMPARE(data.netSurvival, 1);
        QCOMPARE(data.useHakulinen, 0);

        // The trend has none; the period analysis as the core offers it for its technique,
        // with the product-limit Brenner's weights only.
        ParameterDialog trend(data, tiny.cases, kTrend, true, true, services);
        trend.show();
        QVERIFY(!Shown(&trend, Shared::kStandardisation));
        Combo(&trend, Shared::kStandardisation)->setCurrentIndex(kIcss3);
        QCOMPARE(trend.standardise(), kNoStandardisation);
        trend.reject();
        ParameterDialog period(data, tiny.cases, kPeriodAnalysis, true, true, services);
        period.show();
        for (int technique : {1, 0}) {
            Combo(&period, ParameterDialog::kTechnique)->setCurrentIndex(technique);
            QVERIFY(Shown(&period, Shared::kStandardisation));
            Combo(&period, Shared::kStandardisation)->setCurrentIndex(kIcss3);
            QCOMPARE(period.standardise(), kIcss3);
            // Brenner's weights, then kept for the life table technique.
            QCOMPARE(period.standardiseMethod(), StandardiseMethod::kBrenner);
        }
        period.reject();

        // Life tables that cannot be listed: disabled with the whole group.
        services.paths.lifeTables = folder.filePath(QStringLiteral("missing.mdb"));
        ParameterDialog unlisted(data, tiny.cases, kLifeTable, true, true, services);
        unlisted.show();
        QVERIFY(Shown(&unlisted, Shared::kStandardisation));
        QVERIFY(!Enabled(&unlisted, Shared::kStandardisation));
        Combo(&unlisted, Shared::kStandardisation)->setCurrentIndex(kIcss1);
        QCOMPARE(unlisted.standardise(), kNoStandardisation);
        unlisted.reject();
        // Without the columns relative survival needs, nothing of it shows.
        ParameterDialog impossible(data, tiny.cases, kLifeTable, true, false, services);
        impossible.show();
        QVERIFY(!Shown(&impossible, Shared::kStandardisation));
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
        QCOMPARE(Text(&dialog, ParameterDialog::kSurvivalYears), QStringLiteral("5"));
        QCOMPARE(Label(&dialog, ParameterDialog::kSurvivalYearsUnit), QStringLiteral("years"));

        Choose(&dialog, ParameterDialog::kTimeUnit, QStringLiteral("Month"));
        QCOMPARE(data.timeUnit, 1);
        QCOMPARE(data.survivalYears, 12);
        QCOMPARE(data.periodWidth, 12);
        QCOMPARE(Text(&dialog, ParameterDialog::kSurvivalYears), QStringLiteral("12"));
        QCOMPARE(Text(&dialog, ParameterDialog::kWidth), QStringLiteral("12"));
        QCOMPARE(Label(&dialog, ParameterDialog::kSurvivalYearsUnit), QStringLiteral("months"));
        QCOMPARE(Label(&dialog, ParameterDialog::kWidthUnit), QStringLiteral("months"));
        QCOMPARE(data.periodBegin, Ymd(2001, 3, 1));
        QCOMPARE(data.periodEnd, Ymd(2003, 10, 31));
        Choose(&dialog, ParameterDialog::kTimeUnit, QStringLiteral("Week"));
        QCOMPARE(Text(&dialog, ParameterDialog::kWidth), QStringLiteral("52"));
        QCOMPARE(Label(&dialog, ParameterDialog::kWidthUnit), QStringLiteral("weeks"));
        Choose(&dialog, ParameterDialog::kTimeUnit, QStringLiteral("Day"));
        QCOMPARE(data.survivalYears, 365);
        QCOMPARE(Label(&dialog, ParameterDialog::kSurvivalYearsUnit), QStringLiteral("days"));
        Choose(&dialog, ParameterDialog::kTimeUnit, QStringLiteral("Year"));
        QCOMPARE(data.periodBegin, Ymd(2001, 1, 1));
        QCOMPARE(data.periodEnd, Ymd(2003, 12, 31));
        QCOMPARE(Text(&dialog, ParameterDialog::kWidth), QStringLiteral("5"));
        QCOMPARE(Label(&dialog, ParameterDialog::kWidthUnit), QStringLiteral("years"));
    }

    void ATypedPeriodIsWidenedAndCheckedAsTheBatchTakesIt()
    {
        DataSet tiny = Example("tiny.txt");  // observed 1995 to 2004
        CAnalysisData& data = tiny.analysis;
        ParameterDialog dialog(data, tiny.cases, kPeriodAnalysis, true, true, services);
        dialog.show();
        // Typed dates are widened to whole years; the arrows go on from them.
        SetText(&dialog, ParameterDialog::kPeriodBegin, QStringLiteral("15.3.1997"));
        SetText(&dialog, ParameterDialog::kPeriodEnd, QStringLiteral("20.10.2001"));
        QCOMPARE(data.periodBegin, Ymd(1997, 1, 1));
        QCOMPARE(data.periodEnd, Ymd(2001, 12, 31));
        QCOMPARE(Text(&dialog, ParameterDialog::kPeriodBegin), QStringLiteral("01.01.1997"));
        QCOMPARE(Text(&dialog, ParameterDialog::kPeriodEnd), QStringLiteral("31.12.2001"));
        Arrow(&dialog, ParameterDialog::kPeriodBeginSpin, true);
        QCOMPARE(data.periodBegin, Ymd(1998, 1, 1));
        QVERIFY(messages.shown.isEmpty());

        // A text that is no date, a begin after the end and a period outside
        // the observation period are refused with their messages; the record
        // keeps its period and the focus returns to the edit.
        dialog.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&dialog));
        SetText(&dialog, ParameterDialog::kPeriodBegin, QStringLiteral("31.02.1999"));
        QCOMPARE(messages.shown, QStringList{QString::fromLatin1(text::kEnterADate)});
        QCOMPARE(QApplication::focusWidget(), Control<QWidget>(&dialog, ParameterDialog::kPeriodBegin));
        SetText(&dialog, ParameterDialog::kPeriodBegin, QStringLiteral("01.07.2003"));
        QCOMPARE(messages.shown.last(),
                 QStringLiteral("The period of interest 01.07.2003 to 31.12.2001 begins after it ends."));
        Control<QLineEdit>(&dialog, ParameterDialog::kPeriodBegin)->setText(QStringLiteral("01.01.1980"));
        SetText(&dialog, ParameterDialog::kPeriodEnd, QStringLiteral("31.12.1990"));
        QCOMPARE(messages.shown.last(), QStringLiteral("The period of interest 01.01.1980 to 31.12.1990 lies outside "
                                                       "the observation period 01.01.1995 to 31.12.2004."));
        QCOMPARE(QApplication::focusWidget(), Control<QWidget>(&dialog, ParameterDialog::kPeriodEnd));
        QCOMPARE(messages.shown.size(), 3);
        QCOMPARE(data.periodBegin, Ymd(1998, 1, 1));
        QCOMPARE(data.periodEnd, Ymd(2001, 12, 31));
        QCOMPARE(data.windowBegin, Ymd(1995, 1, 1));

        // OK takes what stands typed, reaching past the window as the batch
        // does: the begin is kept inside it.
        Control<QLineEdit>(&dialog, ParameterDialog::kPeriodBegin)->setText(QStringLiteral("01.05.1990"));
        Control<QLineEdit>(&dialog, ParameterDialog::kPeriodEnd)->setText(QStringLiteral("30.06.2000"));
        Click(&dialog, button::kOk);
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        QCOMPARE(data.periodBegin, Ymd(1995, 1, 1));
        QCOMPARE(data.periodEnd, Ymd(2000, 12, 31));
        QCOMPARE(messages.shown.size(), 3);
    }

    void TechniqueAndMethodChanges()
    {
        DataSet tiny = Example("tiny.txt");
        ParameterDialog period(tiny.analysis, tiny.cases, kPeriodAnalysis, true, true, services);
        period.show();
        QCOMPARE(Entries(&period, ParameterDialog::kTechnique), QStringList({"Life table", "Product-limit"}));
        QCOMPARE(Combo(&period, ParameterDialog::kTechnique)->currentIndex(), 0);
        Choose(&period, ParameterDialog::kTechnique, QStringLiteral("Product-limit"));
        QVERIFY(Shown(&period, ParameterDialog::kTimeScaleLabel));
        QVERIFY(!Shown(&period, ParameterDialog::kTimeIntervalLabel));
        QCOMPARE(Label(&period, ParameterDialog::kTimeScaleLabel), QStringLiteral("&Time scale"));
        Choose(&period, ParameterDialog::kTechnique, QStringLiteral("Life table"));
        QVERIFY(Shown(&period, ParameterDialog::kTimeIntervalLabel));
        QVERIFY(!Shown(&period, ParameterDialog::kTimeScaleLabel));
        // Hakulinen's closing date shows only in the life table mode.
        Choose(&period, Shared::kMethod, QStringLiteral("Hakulinen"));
        QVERIFY(!Shown(&period, Shared::kClosingDate));

        ParameterDialog lifeTable(tiny.analysis, tiny.cases, kLifeTable, true, true, services);
        lifeTable.show();
        Choose(&lifeTable, Shared::kMethod, QStringLiteral("Hakulinen"));
        QVERIFY(Shown(&lifeTable, Shared::kClosingLabel));
        QVERIFY(Shown(&lifeTable, Shared::kClosingDate));
        Choose(&lifeTable, Shared::kMethod, QStringLiteral("Ederer II"));
        QVERIFY(!Shown(&lifeTable, Shared::kClosingDate));

        ProductLimitParameterDialog productLimit(tiny.analysis, tiny.cases, true, true, services);
        productLimit.show();
        Choose(&productLimit, Shared::kMethod, QStringLiteral("Hakulinen"));
        QVERIFY(Shown(&productLimit, Shared::kClosingLabel));
        QVERIFY(Shown(&productLimit, Shared::kClosingDate));

        // The relative-survival check enables and disables its controls.
        Choose(&lifeTable, Shared::kMethod, QStringLiteral("Hakulinen"));
        Click(&lifeTable, Shared::kRelativeSurvival);
        for (int id : {Shared::kSexLabel, Shared::kSexCodes, Shared::kMale, Shared::kFemale, Shared::kTablesLabel,
                       Shared::kTables, Shared::kMethodLabel, Shared::kMethod, Shared::kClosingDate,
                       Shared::kClosingLabel})
            QVERIFY2(!Enabled(&lifeTable, id), qPrintable(ControlName(id)));
        QVERIFY(Enabled(&lifeTable, Shared::kRelativeSurvival));
        Click(&lifeTable, Shared::kRelativeSurvival);
        for (int id : {Shared::kSexLabel, Shared::kSexCodes, Shared::kMale, Shared::kFemale, Shared::kTablesLabel,
                       Shared::kTables, Shared::kMethodLabel, Shared::kMethod, Shared::kClosingDate,
                       Shared::kClosingLabel})
            QVERIFY(Enabled(&lifeTable, id));
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
        QVERIFY(!Control<QCheckBox>(&unlisted, Shared::kRelativeSurvival)->isChecked());
        for (int id : relativeControls) QVERIFY(Shown(&unlisted, id) && !Enabled(&unlisted, id));
        for (int id : {Shared::kClosingLabel, Shared::kClosingDate}) QVERIFY(!Enabled(&unlisted, id));
        Click(&unlisted, button::kOk);
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
        QCOMPARE(Text(&dialog, ParameterDialog::kPeriodBegin), QStringLiteral("01.01.1995"));
        QCOMPARE(Text(&dialog, ParameterDialog::kPeriodEnd), QStringLiteral("31.01.2004"));
        Arrow(&dialog, ParameterDialog::kPeriodEndSpin, true);  // 2004 is a leap year
        QCOMPARE(Text(&dialog, ParameterDialog::kPeriodEnd), QStringLiteral("29.02.2004"));
        QCOMPARE(data.periodEnd, Ymd(2004, 2, 29));
        Arrow(&dialog, ParameterDialog::kPeriodEndSpin, false);
        Arrow(&dialog, ParameterDialog::kPeriodEndSpin, false);
        QCOMPARE(Text(&dialog, ParameterDialog::kPeriodEnd), QStringLiteral("31.12.2003"));

        Arrow(&dialog, ParameterDialog::kPeriodBeginSpin, false);  // at the window begin
        QCOMPARE(data.periodBegin, Ymd(1995, 1, 1));
        Arrow(&dialog, ParameterDialog::kPeriodBeginSpin, true);
        QCOMPARE(Text(&dialog, ParameterDialog::kPeriodBegin), QStringLiteral("01.02.1995"));
        QCOMPARE(data.periodBegin, Ymd(1995, 2, 1));
        for (int i = 0; i < 11; ++i) Arrow(&dialog, ParameterDialog::kPeriodBeginSpin, true);
        QCOMPARE(data.periodBegin, Ymd(1996, 1, 1));  // December wraps to January

        // The unit of the list, in years; the arrow keys in the edit step too.
        Choose(&dialog, ParameterDialog::kTimeUnit, QStringLiteral("Year"));
        QCOMPARE(Text(&dialog, ParameterDialog::kPeriodEnd), QStringLiteral("31.12.2003"));
        QTest::keyClick(Control<QLineEdit>(&dialog, ParameterDialog::kPeriodEnd), Qt::Key_Up);
        QCOMPARE(data.periodEnd, Ymd(2004, 12, 31));
        QTest::keyClick(Control<QLineEdit>(&dialog, ParameterDialog::kPeriodEnd), Qt::Key_Up);
        QCOMPARE(data.periodEnd, Ymd(2004, 12, 31));  // the window end
        QTest::keyClick(Control<QLineEdit>(&dialog, ParameterDialog::kPeriodBegin), Qt::Key_Down);
        QCOMPARE(Text(&dialog, ParameterDialog::kPeriodBegin), QStringLiteral("01.01.1995"));
    }

    void NumbersAreTakenAsTypedAndMustBeWhole()
    {
        DataSet tiny = Example("tiny.txt");
        CAnalysisData& data = tiny.analysis;
        ParameterDialog dialog(data, tiny.cases, kTrend, true, false, services);
        dialog.show();
        SetText(&dialog, ParameterDialog::kSurvivalYears, QStringLiteral("150"));
        QCOMPARE(data.survivalYears, 150);  // no range check
        SetText(&dialog, ParameterDialog::kWidth, QStringLiteral("3"));
        QCOMPARE(data.periodWidth, 3);
        Arrow(&dialog, ParameterDialog::kWidthSpin, true);
        QCOMPARE(data.periodWidth, 4);
        Arrow(&dialog, ParameterDialog::kSurvivalYearsSpin, true);  // the arrows keep to 1 .. 99
        QCOMPARE(data.survivalYears, 99);

        SetText(&dialog, ParameterDialog::kWidth, QStringLiteral("2.5"));
        QCOMPARE(data.periodWidth, 2);  // as far as it was a whole number
        Click(&dialog, button::kOk);
        QCOMPARE(messages.shown, QStringList({"Please enter an integer."}));
        QVERIFY(dialog.isVisible());
        QCOMPARE(dialog.focusWidget(), Control<QWidget>(&dialog, ParameterDialog::kWidth));
        SetText(&dialog, ParameterDialog::kWidth, QStringLiteral("6"));
        Click(&dialog, button::kOk);
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
        Choose(&dialog, Shared::kEventCode, QStringLiteral("0"));
        Choose(&dialog, Shared::kConfidence, QStringLiteral(".99"));
        Choose(&dialog, ParameterDialog::kTechnique, QStringLiteral("Product-limit"));
        Choose(&dialog, Shared::kSexCodes, QStringLiteral("2"));
        Choose(&dialog, Shared::kTables, TableNames(LifeTables()).last());
        Choose(&dialog, Shared::kMethod, QStringLiteral("Hakulinen"));
        Click(&dialog, button::kOk);
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
        QCOMPARE(Combo(&again, Shared::kEventCode)->currentIndex(), 1);
        QCOMPARE(Combo(&again, Shared::kSexCodes)->currentIndex(), 1);
        Click(&again, Shared::kFemale);
        Choose(&again, Shared::kMethod, QStringLiteral("Hakulinen"));
        SetText(&again, Shared::kClosingDate, QStringLiteral("30.06.2004"));
        Click(&again, button::kOk);
        QCOMPARE(data.sexCodeFirst, std::string("1"));
        QCOMPARE(data.sexCodeIsFemale, 1);
        QCOMPARE(data.closingDate, Ymd(2004, 6, 30));
        QCOMPARE(data.periodTechnique, 1);  // not a choice in this mode
        QCOMPARE(data.ciLevelText, std::string(".95"));

        // Without relative survival the table and its fields stay.
        const size_t loadedYears = data.populationTables.size();
        ParameterDialog plain(data, tiny.cases, kLifeTable, true, true, services);
        Click(&plain, Shared::kRelativeSurvival);
        Choose(&plain, Shared::kSexCodes, QStringLiteral("1"));
        Click(&plain, button::kOk);
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
        QCOMPARE(Entries(&dialog, Shared::kEventCode), QStringList({"1"}));
        QCOMPARE(Entries(&dialog, Shared::kSexCodes), QStringList({"F"}));
        Click(&dialog, Shared::kFemale);
        Click(&dialog, button::kOk);
        QCOMPARE(one.analysis.eventCode, std::string("1"));
        QCOMPARE(one.analysis.sexCodeFirst, std::string("FM"));
    }

    void ClosingDateOrTableThatCannotBeReadKeepsTheDialogOpen()
    {
        DataSet tiny = Example("tiny.txt");
        CAnalysisData& data = tiny.analysis;
        ParameterDialog dialog(data, tiny.cases, kLifeTable, true, true, services);
        dialog.show();
        Choose(&dialog, Shared::kMethod, QStringLiteral("Hakulinen"));
        SetText(&dialog, Shared::kClosingDate, QStringLiteral("31.02.2004"));
        Click(&dialog, button::kOk);
        QVERIFY(dialog.isVisible());
        QCOMPARE(messages.shown.size(), 1);
        QVERIFY(messages.shown[0].contains(QStringLiteral("closing date")));
        QCOMPARE(dialog.focusWidget(), Control<QWidget>(&dialog, Shared::kClosingDate));
        QCOMPARE(data.relativeSurvival, 0);
        QVERIFY(data.eventCode.empty());  // nothing written

        // A database whose table has no Year and Age columns.
        services.paths.lifeTables = SourcePath(QStringLiteral("tests/data/access/cases.mdb"));
        ParameterDialog unreadable(data, tiny.cases, kLifeTable, true, true, services);
        unreadable.show();
        QCOMPARE(Entries(&unreadable, Shared::kTables), QStringList({"Patients"}));
        messages.shown.clear();
        Click(&unreadable, button::kOk);
        QVERIFY(unreadable.isVisible());
        QCOMPARE(messages.shown.size(), 1);
        QCOMPARE(data.relativeSurvival, 0);
        QVERIFY(data.populationTableName.empty());
        Click(&unreadable, Shared::kRelativeSurvival);  // without relative survival it goes through
        Click(&unreadable, button::kOk);
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
        Choose(&dialog, ParameterDialog::kTimeUnit, QStringLiteral("Month"));
        SetText(&dialog, ParameterDialog::kWidth, QStringLiteral("7"));
        Choose(&dialog, Shared::kEventCode, QStringLiteral("0"));
        Choose(&dialog, Shared::kConfidence, QStringLiteral(".99"));
        Choose(&dialog, ParameterDialog::kTechnique, QStringLiteral("Product-limit"));
        Click(&dialog, button::kCancel);
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
        Click(&dialog, button::kHelp);
        QCOMPARE(messages.shown,
                 QStringList{QStringLiteral("File %1 (compiled HTML Help file) not found.").arg(services.paths.helpFile)});
    }

    void ProductLimitDialog()
    {
        DataSet tiny = Example("tiny.txt");
        CAnalysisData& data = tiny.analysis;
        data.timeUnit = 2;
        ProductLimitParameterDialog dialog(data, tiny.cases, true, true, services);
        QCOMPARE(dialog.objectName(), ControlName(ProductLimitParameterDialog::kDialog));
        dialog.show();
        QCOMPARE(Combo(&dialog, ProductLimitParameterDialog::kTimeScale)->currentText(), QStringLiteral("Year"));
        QCOMPARE(Entries(&dialog, ProductLimitParameterDialog::kTimeScale),
                 QStringList({"Year", "Month", "Week", "Day"}));
        QCOMPARE(Text(&dialog, Shared::kClosingDate), QStringLiteral("31.12.2004"));
        Choose(&dialog, ProductLimitParameterDialog::kTimeScale, QStringLiteral("Month"));
        Choose(&dialog, Shared::kConfidence, QStringLiteral(".99"));
        Choose(&dialog, Shared::kMethod, QStringLiteral("Hakulinen"));
        SetText(&dialog, Shared::kClosingDate, QStringLiteral("1.7.2003"));
        Click(&dialog, button::kOk);
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

        Click(&dialog, button::kHelp);
        QVERIFY(messages.shown.last().contains(QStringLiteral("not found")));
    }

    void SmrDialog()
    {
        DataSet tiny = Example("tiny.txt");
        CAnalysisData& data = tiny.analysis;
        data.eventCodeIndex = 5;  // beyond the list: nothing chosen
        SmrParameterDialog dialog(data, tiny.cases, false, services);
        QCOMPARE(dialog.objectName(), ControlName(SmrParameterDialog::kDialog));
        dialog.show();
        QCOMPARE(Combo(&dialog, Shared::kEventCode)->currentIndex(), -1);
        QCOMPARE(Entries(&dialog, SmrParameterDialog::kSmrMethod), QStringList({"Byar"}));
        QCOMPARE(Entries(&dialog, Shared::kTables), TableNames(RateTables()));
        QCOMPARE(Combo(&dialog, Shared::kTables)->currentIndex(), 0);
        QVERIFY(!Shown(&dialog, Shared::kStratified));
        QVERIFY(!dialog.findChild<QWidget*>(ControlName(Shared::kRelativeSurvival)));
        Choose(&dialog, Shared::kEventCode, QStringLiteral("1"));
        Click(&dialog, Shared::kFemale);
        Click(&dialog, button::kOk);
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
        Click(&unreadable, button::kOk);
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
