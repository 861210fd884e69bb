#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QtTest>

#include "app/CLifeTableChartFrame.h"
#include "app/CMainFrame.h"
#include "app/ChartWindows.h"
#include "charts/ChartDefaults.h"
#include "charts/ChartFile.h"
#include "charts/ChartProfile.h"
#include "charts/qt/ChartImage.h"
#include "charts/qt/SettingsChartProfile.h"
#include "charts/ui/CLifeTableChartView.h"
#include "charts/ui/ChartAxisDialog.h"
#include "charts/ui/ChartDialogParts.h"
#include "charts/ui/ChartTitleDialog.h"
#include "charts/ui/DataSeriesDialog.h"
#include "charts/ui/GroupLabelsDialog.h"
#include "charts/ui/LabelListCtrl.h"
#include "charts/ui/LegendDialog.h"
#include "charts/ui/LineStyleDialog.h"
#include "charts/ui/MarkerStyleDialog.h"
#include "charts/ui/ResetChartDefaultsDialog.h"
#include "charts/ui/StylePreviewWidgets.h"
#include "common/ui/ResourceIds.h"
#include "support/ExampleAnalyses.h"
#include "support/GuiTestSupport.h"
#include "support/KeyboardChecks.h"
#include "support/ScriptedFileDialogs.h"
#include "support/ScriptedFontColorDialogs.h"
#include "support/ScriptedMessages.h"

namespace kalderon::testing {

class ChartOptionsTest : public QObject {
    Q_OBJECT

    ScriptedMessages messages;
    ScriptedFileDialogs fileDialogs;
    ScriptedFontColorDialogs fontsAndColors;
    AppServices services{messages, fileDialogs, ApplicationPaths::AgainstWorkingDirectory(), &fontsAndColors};
    QTemporaryDir folder;

    // A chart of the example data with the given number of groups (more
    // than four repeat the last group under new codes).
    static LifeTableChart ExampleChart(AnalysisKind kind, int groups, const ChartProfile& profile)
    {
        DataSet data = ExampleAnalysis(kind);
        std::vector<CGroupResult>& results = data.analysis.groupResults;
        while (static_cast<int>(results.size()) < groups) {
            results.push_back(results.back());
            results.back().info.code = "G" + std::to_string(results.size());
        }
        results.resize(groups);
        LifeTableChart chart;
        const std::int32_t chartKind = kind == kProductLimit ? kChartProductLimit : kChartLifeTable;
        chart.InitFromAnalysis(data.analysis, chartKind, 5, profile);
        chart.modifiedFlag = 0;
        return chart;
    }

    static void Ok(QDialog& dialog) { Click(&dialog, button::kOk); }

    static LabelListCtrl* Labels(QWidget* dialog) { return Control<LabelListCtrl>(dialog, GroupLabelsDialog::kList); }

    // The editor of a spin box named by its edit id.
    static void TypeSpin(QDialog& dialog, int id, const QString& text)
    {
        auto* edit = Control<QLineEdit>(&dialog, id);
        edit->setText(text);
    }

private slots:
    void initTestCase() { UseTemporarySettings(); }

    void init()
    {
        messages.shown.clear();
        fontsAndColors.chosenFont.reset();
        fontsAndColors.chosenColor.reset();
    }

    void TitleDialogAlignmentFontAndModifiedFlag()
    {
        MemoryChartProfile profile;
        LifeTableChart chart = ExampleChart(kProductLimit, 2, profile);
        chart.titleAlign = 6;
        {
            ChartTitleDialog dialog(chart, profile, services);
            QCOMPARE(Control<QComboBox>(&dialog, ChartTitleDialog::kAlign)->currentText(), QStringLiteral("center"));
            Ok(dialog);
            QCOMPARE(chart.modifiedFlag, 0);  // nothing changed
        }
        chart.titleAlign = 3;
        {
            ChartTitleDialog dialog(chart, profile, services);
            QCOMPARE(Control<QComboBox>(&dialog, ChartTitleDialog::kAlign)->currentIndex(), -1);
            Ok(dialog);
            QCOMPARE(chart.titleAlign, 3);  // nothing chosen: unchanged
            QCOMPARE(chart.modifiedFlag, 0);
        }
        chart.titleFont.logFont.lfHeight = -14;
        chart.titleFont.heightDivisor = 28.0f;
        {
            ChartTitleDialog dialog(chart, profile, services);
            SetText(&dialog, ChartTitleDialog::kText, QStringLiteral("Survival by age"));
            Choose(&dialog, ChartTitleDialog::kAlign, QStringLiteral("right"));
            QFont chosen(QStringLiteral("Courier New"));
            chosen.setPixelSize(28);
            chosen.setItalic(true);
            fontsAndColors.chosenFont = chosen;
            fontsAndColors.chosenColor = QColor(10, 20, 30);
            Click(&dialog, ChartTitleDialog::kFont);
            QCOMPARE(fontsAndColors.openedFont.pixelSize(), 14);  // the height of the last drawing
            SetChecked(&dialog, chart_dialog::kSaveAsDefault);
            Ok(dialog);
        }
        QCOMPARE(chart.titleText, std::string("Survival by age"));
        QCOMPARE(chart.titleAlign, 2);
        QCOMPARE(chart.titleFont.logFont.lfHeight, -28);
        QCOMPARE(chart.titleFont.logFont.lfItalic, 1);
        QCOMPARE(chart.titleFont.heightDivisor, 14.0f);  // -14 * 28 / -28
        QCOMPARE(chart.titleFont.logFont.FaceName(), std::string("Courier New"));
        QCOMPARE(chart.titleColor, Rgb(10, 20, 30));
        QCOMPARE(chart.modifiedFlag, 1);
        QCOMPARE(profile.GetString(chart.registrySection, "DefaultTitle", ""), std::string("Survival by age"));
        QCOMPARE(profile.GetInt(chart.registrySection, "DefaultTitleAlign", -1), 2);
        QCOMPARE(profile.GetInt(chart.registrySection, "DefaultTitleColor", -1), static_cast<int>(Rgb(10, 20, 30)));
        QCOMPARE(profile.GetString(chart.registrySection, "DefaultTitleFont", ""),
                 std::string("14;-28;0;0;0;400;1;0;0;0;0;0;0;0;Courier New"));

        // Cancel drops every change.
        const LifeTableChart before = chart;
        ChartTitleDialog dialog(chart, profile, services);
        SetText(&dialog, ChartTitleDialog::kText, QStringLiteral("other"));
        Click(&dialog, button::kCancel);
        QCOMPARE(chart.titleText, before.titleText);
    }

    void AxisDialogTakesCommaAndRefusesBadValues()
    {
        MemoryChartProfile profile;
        LifeTableChart chart = ExampleChart(kLifeTable, 2, profile);
        ChartAxisDialog dialog(chart, chart.survivalAxis, profile, services);
        dialog.show();
        QCOMPARE(Control<QLineEdit>(&dialog, ChartAxisDialog::kMax)->text(), QStringLiteral("1"));
        QCOMPARE(Control<QLineEdit>(&dialog, ChartAxisDialog::kStep)->text(), QStringLiteral("0.1"));

        const auto refused = [&](int field, const QString& text, int focus, const QString& message) {
            const QString kept = Control<QLineEdit>(&dialog, field)->text();
            SetText(&dialog, field, text);
            messages.shown.clear();
            Ok(dialog);
            QVERIFY(dialog.isVisible());
            QCOMPARE(messages.shown, QStringList{message});
            QCOMPARE(dialog.focusWidget(), Control<QLineEdit>(&dialog, focus));
            SetText(&dialog, field, kept);
        };
        refused(ChartAxisDialog::kMin, QStringLiteral("  "), ChartAxisDialog::kMin,
                QStringLiteral("Required value is missing!"));
        refused(ChartAxisDialog::kMax, QStringLiteral("abc"), ChartAxisDialog::kMax,
                QStringLiteral("Please enter a number."));
        refused(ChartAxisDialog::kStep, QStringLiteral("1x"), ChartAxisDialog::kStep,
                QStringLiteral("Please enter a number."));
        refused(ChartAxisDialog::kStep, QStringLiteral("0"), ChartAxisDialog::kStep,
                QStringLiteral("The step must be greater than 0."));
        refused(ChartAxisDialog::kStep, QStringLiteral("-0,1"), ChartAxisDialog::kStep,
                QStringLiteral("The step must be greater than 0."));
        refused(ChartAxisDialog::kMin, QStringLiteral("1"), ChartAxisDialog::kMin,
                QStringLiteral("The minimum must be less than the maximum."));
        refused(ChartAxisDialog::kStep, QStringLiteral("1e-9"), ChartAxisDialog::kStep,
                QStringLiteral("The step is too small for the range from minimum to maximum: "
                               "an axis has at most 1000 ticks."));
        QCOMPARE(chart.modifiedFlag, 0);

        SetText(&dialog, ChartAxisDialog::kStep, QStringLiteral(" 0,5 "));
        SetText(&dialog, ChartAxisDialog::kLabel, QStringLiteral("Share alive"));
        SetChecked(&dialog, chart_dialog::kSaveAsDefault);
        messages.shown.clear();
        Ok(dialog);
        QVERIFY(messages.shown.isEmpty());
        QCOMPARE(chart.survivalAxis.stepValue, 0.5);
        QCOMPARE(chart.survivalAxis.labelText, std::string("Share alive"));
        QCOMPARE(chart.survivalAxis.labelFont.logFont.lfEscapement, 900);
        QCOMPARE(chart.modifiedFlag, 1);
        const std::string& key = chart.survivalAxis.registryKey;
        QCOMPARE(key, chart.registrySection + "\\YAxis");
        QCOMPARE(profile.GetString(key, "DefaultTitle", ""), std::string("Share alive"));
        QCOMPARE(profile.GetString(key, "DefaultNumberFont", "none"), chart.survivalAxis.numberFont.ToProfileString());
    }

    void LegendDialogEnablingAndGroupLabels()
    {
        MemoryChartProfile profile;
        LifeTableChart one = ExampleChart(kLifeTable, 1, profile);
        {
            LegendDialog dialog(one, profile, services);
            QVERIFY(!Control<QPushButton>(&dialog, LegendDialog::kGroupLabels)->isEnabled());
            QVERIFY(Control<QPushButton>(&dialog, LegendDialog::kFont)->isEnabled());
        }
        LifeTableChart chart = ExampleChart(kLifeTable, 4, profile);
        const std::string firstLabel = chart.analysis.groupResults[0].info.label;
        {
            LegendDialog dialog(chart, profile, services);
            QVERIFY(Control<QPushButton>(&dialog, LegendDialog::kGroupLabels)->isEnabled());
            QVERIFY(Control<QLineEdit>(&dialog, LegendDialog::kCiPrefix)->isReadOnly());
            QCOMPARE(Control<QLineEdit>(&dialog, LegendDialog::kCiPrefix)->text(), QStringLiteral("95% "));
            Click(&dialog, LegendDialog::kShow);  // hide the legend
            for (int id : {LegendDialog::kGroupLabels, LegendDialog::kFont, LegendDialog::kCiLabel,
                           LegendDialog::kPositionLowerLeft, LegendDialog::kPositionUpperRight,
                           LegendDialog::kPositionBottom})
                QVERIFY(!dialog.findChild<QWidget*>(ControlName(id))->isEnabled());
            Click(&dialog, LegendDialog::kShow);
            QVERIFY(Control<QPushButton>(&dialog, LegendDialog::kGroupLabels)->isEnabled());

            const ModalScript labels({[](QWidget* modal) {
                auto& groups = Expect<GroupLabelsDialog>(modal);
                auto* list = Labels(&groups);
                QCOMPARE(list->rowCount(), 4);
                QCOMPARE(list->horizontalHeaderItem(0)->text(), QStringLiteral("Code"));
                QCOMPARE(list->horizontalHeaderItem(1)->text(), QStringLiteral("Label"));
                list->item(0, 1)->setText(QStringLiteral("young"));
                Click(&groups, button::kOk);
            }});
            Click(&dialog, LegendDialog::kGroupLabels);
            QVERIFY(labels.finished());
            Click(&dialog, button::kCancel);  // Cancel in the legend dialog drops the edited labels
        }
        QCOMPARE(chart.analysis.groupResults[0].info.label, firstLabel);
        QCOMPARE(chart.modifiedFlag, 0);
        {
            LegendDialog dialog(chart, profile, services);
            const ModalScript labels({[](QWidget* modal) {
                auto& groups = Expect<GroupLabelsDialog>(modal);
                Labels(&groups)->item(1, 1)->setText(QStringLiteral("middle"));
                Click(&groups, button::kOk);
            }});
            Click(&dialog, LegendDialog::kGroupLabels);
            Control<QRadioButton>(&dialog, LegendDialog::kPositionBottom)->setChecked(true);
            SetText(&dialog, LegendDialog::kCiLabel, QStringLiteral("CI"));
            SetChecked(&dialog, chart_dialog::kSaveAsDefault);
            Ok(dialog);
        }
        QCOMPARE(chart.analysis.groupResults[1].info.label, std::string("middle"));
        QCOMPARE(chart.legend.legendPosition, 2);
        QCOMPARE(chart.legend.ciLabel, std::string("CI"));
        QCOMPARE(chart.modifiedFlag, 1);
        QCOMPARE(profile.GetInt(chart.legend.registryKey, "DefaultTitleAlign", -1), 2);
        QCOMPARE(profile.GetString(chart.legend.registryKey, "DefaultTitle", ""), std::string("CI"));
        QCOMPARE(profile.GetInt(chart.legend.registryKey, "ShowFlag", -1), 1);
    }

    void LabelListEditsInPlace()
    {
        std::vector<GroupLabel> labels = {{"1", "one"}, {"2", "two"}};
        GroupLabelsDialog dialog(labels, services);
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        auto* list = Labels(&dialog);
        list->setFocus();
        const QPoint cell = list->visualItemRect(list->item(0, 1)).center();
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, cell);  // row 0 has the focus: edit
        QVERIFY(list->editBox());
        QCOMPARE(list->editBox()->text(), QStringLiteral("one"));
        // Over the cell: from 4 right of its left edge to 3 before its right edge.
        const QRect labelCell = list->visualItemRect(list->item(0, 1));
        QCOMPARE(list->editBox()->parentWidget(), list->viewport());
        QCOMPARE(list->editBox()->geometry(),
                 QRect(labelCell.left() + 4, labelCell.top(), labelCell.width() - 7, labelCell.height()));
        QTest::keyClicks(list->editBox(), QStringLiteral("first"));
        QTest::keyClick(list->editBox(), Qt::Key_Escape);
        QVERIFY(!list->editBox());
        QCOMPARE(list->item(0, 1)->text(), QStringLiteral("one"));
        QVERIFY(dialog.isVisible());  // Escape ended the edit, not the dialog

        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, cell);
        const int width = list->editBox()->width();
        QTest::keyClicks(list->editBox(), QStringLiteral("first group with a very long label indeed"));
        QVERIFY(list->editBox()->width() > width);
        QVERIFY(list->editBox()->geometry().right() < list->viewport()->width());
        QTest::keyClick(list->editBox(), Qt::Key_Return);
        QCOMPARE(list->item(0, 1)->text(), QStringLiteral("first group with a very long label indeed"));
        QVERIFY(dialog.isVisible());

        // A click on another row selects it; a second click there edits, and
        // leaving the box keeps the text.
        const QPoint second = list->visualItemRect(list->item(1, 1)).center();
        QTest::qWait(QApplication::doubleClickInterval() + 50);
        list->setCurrentCell(0, 0);
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, second);
        QVERIFY(!list->editBox());
        QCOMPARE(list->currentRow(), 1);
        QTest::qWait(QApplication::doubleClickInterval() + 50);
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, second);
        QVERIFY(list->editBox());
        list->editBox()->setText(QStringLiteral("second"));
        Control<QPushButton>(&dialog, button::kCancel)->setFocus();
        QTRY_VERIFY(!list->editBox());
        QCOMPARE(list->item(1, 1)->text(), QStringLiteral("second"));
        // A click on another row while editing leaves the box with its text.
        list->setCurrentCell(0, 0);
        list->EditCell(0, 1);
        list->editBox()->setText(QStringLiteral("first"));
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(list->item(1, 0)).center());
        QTRY_VERIFY(!list->editBox());
        QCOMPARE(list->item(0, 1)->text(), QStringLiteral("first"));
        QCOMPARE(list->currentRow(), 1);
        // A cell wider than the list is scrolled into view; the box ends at the client edge.
        list->setColumnWidth(1, 2 * list->viewport()->width());
        list->EditCell(1, 1);
        const QRect wide = list->visualItemRect(list->item(1, 1));
        QVERIFY(wide.left() >= 0);
        QCOMPARE(list->editBox()->geometry(),
                 QRect(wide.left() + 4, wide.top(), list->viewport()->width() - wide.left() - 4, wide.height()));
        QTest::keyClick(list->editBox(), Qt::Key_Escape);
        QCOMPARE(list->item(1, 1)->text(), QStringLiteral("second"));
        list->setColumnWidth(1, 200);
        list->horizontalScrollBar()->setValue(0);
        // The code column is not edited.
        list->setFocus();
        QTest::qWait(QApplication::doubleClickInterval() + 50);
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(list->item(1, 0)).center());
        QVERIFY(!list->editBox());
        Ok(dialog);
        QCOMPARE(labels[0].second, std::string("first"));
        QCOMPARE(labels[1].second, std::string("second"));
    }

    // Enter in the list opens or ends the edit of the current row's label;
    // it never closes the dialog.
    void EnterInTheLabelListEditsAndNeverClosesTheDialog()
    {
        std::vector<GroupLabel> labels = {{"1", "one"}, {"2", "two"}};
        GroupLabelsDialog dialog(labels, services);
        dialog.show();
        dialog.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&dialog));
        auto* list = Labels(&dialog);
        list->setFocus();
        const auto press = [](Qt::Key key, Qt::KeyboardModifiers modifiers = {}) {
            QTest::keyClick(QApplication::focusWidget(), key, modifiers);
        };
        press(Qt::Key_Return);
        QVERIFY(list->editBox());
        QCOMPARE(QApplication::focusWidget(), list->editBox());
        QCOMPARE(list->editBox()->text(), QStringLiteral("one"));
        QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("young"));
        press(Qt::Key_Return);
        QVERIFY(!list->editBox());
        QCOMPARE(list->item(0, 1)->text(), QStringLiteral("young"));
        QVERIFY(dialog.isVisible());
        press(Qt::Key_Return);  // again: the edit opens again, the dialog stays
        QVERIFY(list->editBox());
        press(Qt::Key_Escape);
        QVERIFY(!list->editBox());
        QVERIFY(dialog.isVisible());

        press(Qt::Key_Down);
        press(Qt::Key_F2);
        QVERIFY(list->editBox());
        QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("old"));
        press(Qt::Key_Enter, Qt::KeypadModifier);
        QCOMPARE(list->item(1, 1)->text(), QStringLiteral("old"));
        QVERIFY(dialog.isVisible());
        QCOMPARE(labels[0].second, std::string("one"));  // taken over only with OK
        Click(&dialog, button::kOk);
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        QCOMPARE(labels[0].second, std::string("young"));
        QCOMPARE(labels[1].second, std::string("old"));
    }

    // OK is offered while a chart kind is ticked; Enter without one resets
    // nothing and leaves the dialog open.
    void ResetOffersOkOnlyWithAKindTicked()
    {
        MemoryChartProfile profile;
        for (int kind : {kChartLifeTable, kChartProductLimit})
            profile.WriteInt(ChartRegistrySection(kind) + "\\XAxis", "DefaultTitleColor", 5);
        ResetChartDefaultsDialog dialog(profile, services);
        dialog.show();
        dialog.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&dialog));
        auto* ok = Control<QPushButton>(&dialog, button::kOk);
        QVERIFY(!ok->isEnabled());
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        QVERIFY(dialog.isVisible());
        SetChecked(&dialog, ResetChartDefaultsDialog::kTrendCharts);
        QVERIFY(ok->isEnabled());
        SetChecked(&dialog, ResetChartDefaultsDialog::kTrendCharts, false);
        QVERIFY(!ok->isEnabled());
        SetChecked(&dialog, ResetChartDefaultsDialog::kProductLimitCharts);
        QVERIFY(ok->isEnabled());
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        QVERIFY(!dialog.isVisible());
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        QCOMPARE(profile.GetInt(ChartRegistrySection(kChartProductLimit) + "\\XAxis", "DefaultTitleColor", -1), -1);
        QCOMPARE(profile.GetInt(ChartRegistrySection(kChartLifeTable) + "\\XAxis", "DefaultTitleColor", -1), 5);
    }

    void DataSeriesDialogEnabling()
    {
        MemoryChartProfile profile;
        LifeTableChart one = ExampleChart(kProductLimit, 1, profile);
        {
            DataSeriesDialog dialog(one, profile, services);
            for (int id : {DataSeriesDialog::kGroupLabel, DataSeriesDialog::kGroup, DataSeriesDialog::kShowGroup})
                QVERIFY(!Control<QWidget>(&dialog, id)->isVisibleTo(&dialog));
            QVERIFY(Control<QWidget>(&dialog, DataSeriesDialog::kCensoredLabel)->isVisibleTo(&dialog));
        }
        LifeTableChart lifeTable = ExampleChart(kLifeTable, 3, profile);
        DataSeriesDialog dialog(lifeTable, profile, services);
        QVERIFY(!Control<QWidget>(&dialog, DataSeriesDialog::kCensoredLabel)->isVisibleTo(&dialog));
        auto* group = Control<QComboBox>(&dialog, DataSeriesDialog::kGroup);
        QCOMPARE(group->count(), 3);
        QCOMPARE(group->currentIndex(), 0);
        QVERIFY(group->itemText(0).startsWith(QString::fromStdString(lifeTable.analysis.groupResults[0].info.code)));
        group->setCurrentIndex(1);
        Click(&dialog, DataSeriesDialog::kShowGroup);  // hide group 2
        for (int id : {DataSeriesDialog::kCurveStyle, DataSeriesDialog::kCurveColor, DataSeriesDialog::kShowCi,
                       DataSeriesDialog::kCiStyle, DataSeriesDialog::kCiColor, DataSeriesDialog::kMarkers})
            QVERIFY(!Control<QWidget>(&dialog, id)->isEnabled());
        QVERIFY(group->isEnabled());
        QVERIFY(Control<QWidget>(&dialog, DataSeriesDialog::kCurveLabel)->isEnabled());
        group->setCurrentIndex(0);
        QVERIFY(Control<QCheckBox>(&dialog, DataSeriesDialog::kShowGroup)->isChecked());
        Click(&dialog, DataSeriesDialog::kShowCi);  // no intervals for group 1
        QVERIFY(!Control<QWidget>(&dialog, DataSeriesDialog::kCiStyle)->isEnabled());
        QVERIFY(!Control<QWidget>(&dialog, DataSeriesDialog::kCiColor)->isEnabled());
        QVERIFY(Control<QWidget>(&dialog, DataSeriesDialog::kCurveStyle)->isEnabled());

        const ModalScript styles({[](QWidget* modal) {
            auto& line = Expect<LineStyleDialog>(modal);
            QCOMPARE(Control<QLineEdit>(&line, LineStyleDialog::kWidth)->text(), QStringLiteral("2"));
            Control<QLineEdit>(&line, LineStyleDialog::kWidth)->setText(QStringLiteral("3"));
            QCOMPARE(Control<StyleComboBox>(&line, LineStyleDialog::kStyle)->lineWidth(), 3);
            Control<QComboBox>(&line, LineStyleDialog::kStyle)->setCurrentIndex(kPenDash);
            Click(&line, button::kOk);
        }});
        Click(&dialog, DataSeriesDialog::kCurveStyle);
        QVERIFY(styles.finished());
        fontsAndColors.chosenColor = QColor(0, 128, 0);
        Click(&dialog, DataSeriesDialog::kCurveColor);
        SetChecked(&dialog, chart_dialog::kSaveAsDefault);
        Ok(dialog);
        const CSeriesStyle& first = lifeTable.seriesStyles[0];
        QCOMPARE(first.survivalLine.lineWidth, 3);
        QCOMPARE(first.survivalLine.penStyle, static_cast<int>(kPenDash));
        QCOMPARE(first.survivalLine.lineColor, Rgb(0, 128, 0));
        QCOMPARE(first.showCI, 0);
        QCOMPARE(lifeTable.seriesStyles[1].showSeries, 0);
        QCOMPARE(lifeTable.modifiedFlag, 1);

        // Trend charts draw no curve: its label stays, its buttons are off.
        LifeTableChart trend = lifeTable;
        trend.chartKind = kChartTrend;
        DataSeriesDialog trendDialog(trend, profile, services);
        QVERIFY(!Control<QWidget>(&trendDialog, DataSeriesDialog::kCurveStyle)->isEnabled());
        QVERIFY(!Control<QWidget>(&trendDialog, DataSeriesDialog::kCurveColor)->isEnabled());
        QVERIFY(!Control<QWidget>(&trendDialog, DataSeriesDialog::kCurveLabel)->isEnabled());
        QVERIFY(Control<QWidget>(&trendDialog, DataSeriesDialog::kMarkers)->isEnabled());
    }

    void DataSeriesDialogNumbersAtRiskSwitch()
    {
        MemoryChartProfile profile;
        LifeTableChart chart = ExampleChart(kProductLimit, 2, profile);
        {
            DataSeriesDialog dialog(chart, profile, services);
            auto* box = Control<QCheckBox>(&dialog, DataSeriesDialog::kShowNumbersAtRisk);
            QVERIFY(box->isVisibleTo(&dialog));
            QCOMPARE(box->text(), QStringLiteral("Show &numbers at risk"));
            QVERIFY(!box->isChecked());
            box->setChecked(true);
            Click(&dialog, button::kCancel);
        }
        QVERIFY(!chart.showNumbersAtRisk);  // cancelled
        {
            DataSeriesDialog dialog(chart, profile, services);
            dialog.show();
            QVERIFY(QTest::qWaitForWindowActive(&dialog));
            // Its mnemonic is its own, and Tab reaches it between the markers
            // and "Save as default".
            QStringList mnemonics;
            for (QAbstractButton* button : dialog.findChildren<QAbstractButton*>()) {
                const qsizetype amp = button->text().indexOf(QLatin1Char('&'));
                if (button->isVisible() && amp >= 0) mnemonics << button->text().mid(amp + 1, 1).toLower();
            }
            for (QLabel* label : dialog.findChildren<QLabel*>()) {
                const qsizetype amp = label->text().indexOf(QLatin1Char('&'));
                if (label->isVisible() && amp >= 0) mnemonics << label->text().mid(amp + 1, 1).toLower();
            }
            QCOMPARE(mnemonics.count(QStringLiteral("n")), 1);
            Control<QWidget>(&dialog, DataSeriesDialog::kMarkers)->setFocus();
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            QCOMPARE(QApplication::focusWidget()->objectName(), ControlName(DataSeriesDialog::kShowNumbersAtRisk));
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            QCOMPARE(QApplication::focusWidget()->objectName(), ControlName(chart_dialog::kSaveAsDefault));
            QTest::keyClick(&dialog, Qt::Key_N, Qt::AltModifier);
            QTRY_VERIFY(Control<QCheckBox>(&dialog, DataSeriesDialog::kShowNumbersAtRisk)->isChecked());
            Ok(dialog);
        }
        QVERIFY(chart.showNumbersAtRisk);
        QCOMPARE(chart.modifiedFlag, 0);  // nothing of the chart file changed
        QVERIFY(profile.empty());
        QVERIFY(!ExampleChart(kProductLimit, 2, profile).showNumbersAtRisk);
        {
            DataSeriesDialog dialog(chart, profile, services);
            QVERIFY(Control<QCheckBox>(&dialog, DataSeriesDialog::kShowNumbersAtRisk)->isChecked());
            SetChecked(&dialog, chart_dialog::kSaveAsDefault);
            Ok(dialog);
        }
        QCOMPARE(profile.GetInt("Charts\\Kaplan-Meier", "ShowNumbersAtRisk", -1), 1);
        QVERIFY(ExampleChart(kProductLimit, 1, profile).showNumbersAtRisk);
        {
            DataSeriesDialog dialog(chart, profile, services);
            SetChecked(&dialog, DataSeriesDialog::kShowNumbersAtRisk, false);
            SetChecked(&dialog, chart_dialog::kSaveAsDefault);
            Ok(dialog);
        }
        QCOMPARE(profile.GetInt("Charts\\Kaplan-Meier", "ShowNumbersAtRisk", -1), 0);
        QVERIFY(!ExampleChart(kProductLimit, 1, profile).showNumbersAtRisk);

        // Life tables have no such table.
        LifeTableChart lifeTable = ExampleChart(kLifeTable, 2, profile);
        DataSeriesDialog dialog(lifeTable, profile, services);
        QVERIFY(!Control<QWidget>(&dialog, DataSeriesDialog::kShowNumbersAtRisk)->isVisibleTo(&dialog));
    }

    void SavedSeriesDefaultsApplyToTheFirstSeries()
    {
        MemoryChartProfile profile;
        LifeTableChart three = ExampleChart(kLifeTable, 3, profile);
        const LifeTableChart builtIn = ExampleChart(kLifeTable, 5, profile);
        for (CSeriesStyle& style : three.seriesStyles) {
            style.survivalLine.lineWidth = 7;
            style.marker.markerSize = 9;
        }
        {
            DataSeriesDialog dialog(three, profile, services);
            SetChecked(&dialog, chart_dialog::kSaveAsDefault);
            Ok(dialog);
        }
        const LifeTableChart five = ExampleChart(kLifeTable, 5, profile);
        QCOMPARE(five.seriesStyles.size(), size_t(5));
        for (int i = 0; i < 3; ++i) QCOMPARE(five.seriesStyles[i], three.seriesStyles[i]);
        for (int i = 3; i < 5; ++i) QCOMPARE(five.seriesStyles[i], builtIn.seriesStyles[i]);
        QCOMPARE(profile.GetInt(SeriesKey(three.registrySection, 2), "DefaultSurvivalLineWidth", -1), 7);
        QCOMPARE(profile.GetInt(SeriesKey(three.registrySection, 3), "DefaultSurvivalLineWidth", -1), -1);
    }

    void MarkerDialogSymbolsAndSizes()
    {
        CMarkerStyle marker;
        marker.symbol = kSymbolCircle;
        {
            MarkerStyleDialog dialog(marker, services);
            auto* symbol = Control<QComboBox>(&dialog, MarkerStyleDialog::kSymbol);
            QCOMPARE(symbol->count(), 7);
            QCOMPARE(symbol->currentIndex(), 1);
            QVERIFY(Control<QWidget>(&dialog, MarkerStyleDialog::kFillColor)->isEnabled());
            symbol->setCurrentIndex(kSymbolDiagonalCross);
            QVERIFY(!Control<QWidget>(&dialog, MarkerStyleDialog::kFillColor)->isEnabled());
            for (int id : {MarkerStyleDialog::kSize, MarkerStyleDialog::kSpin, MarkerStyleDialog::kLineColor})
                QVERIFY(Control<QWidget>(&dialog, id)->isEnabled());
            QCOMPARE(Control<MarkerPreview>(&dialog, MarkerStyleDialog::kPreview)->marker().symbol, 4);
            symbol->setCurrentIndex(kSymbolNone);
            for (int id : {MarkerStyleDialog::kSize, MarkerStyleDialog::kSpin, MarkerStyleDialog::kLineColor,
                           MarkerStyleDialog::kFillColor})
                QVERIFY(!Control<QWidget>(&dialog, id)->isEnabled());
            symbol->setCurrentIndex(kSymbolTriangle);
            TypeSpin(dialog, MarkerStyleDialog::kSize, QStringLiteral("12"));
            QCOMPARE(Control<MarkerPreview>(&dialog, MarkerStyleDialog::kPreview)->marker().markerSize, 12);
            fontsAndColors.chosenColor = QColor(255, 0, 0);
            Click(&dialog, MarkerStyleDialog::kFillColor);
            dialog.show();
            for (const QString& bad : {QStringLiteral("0"), QStringLiteral("1000"), QStringLiteral("x")}) {
                TypeSpin(dialog, MarkerStyleDialog::kSize, bad);
                messages.shown.clear();
                Ok(dialog);
                QCOMPARE(messages.shown, QStringList{QStringLiteral("Please enter a whole number from 1 to 999.")});
                QCOMPARE(marker.symbol, static_cast<int>(kSymbolCircle));
            }
            TypeSpin(dialog, MarkerStyleDialog::kSize, QStringLiteral("999"));
            Ok(dialog);
        }
        QCOMPARE(marker.symbol, static_cast<int>(kSymbolTriangle));
        QCOMPARE(marker.markerSize, 999);
        QCOMPARE(marker.fillColor, Rgb(255, 0, 0));

        marker.symbol = 7;
        MarkerStyleDialog dialog(marker, services);
        QCOMPARE(Control<QComboBox>(&dialog, MarkerStyleDialog::kSymbol)->currentIndex(), -1);
        Ok(dialog);
        QCOMPARE(marker.symbol, -1);
    }

    void LineDialogRefusesWidthsOutsideTheRange()
    {
        CLineStyle line;
        line.lineWidth = 2;
        line.penStyle = kPenDot;
        LineStyleDialog dialog(line, services);
        dialog.show();
        QCOMPARE(Control<QComboBox>(&dialog, LineStyleDialog::kStyle)->count(), 5);
        QCOMPARE(Control<QComboBox>(&dialog, LineStyleDialog::kStyle)->currentIndex(), 2);
        QCOMPARE(Control<QSpinBox>(&dialog, LineStyleDialog::kSpin)->maximum(), 999);
        for (const QString& bad : {QStringLiteral("0"), QStringLiteral("1000"), QStringLiteral("")}) {
            TypeSpin(dialog, LineStyleDialog::kWidth, bad);
            messages.shown.clear();
            Ok(dialog);
            QCOMPARE(messages.shown.size(), 1);
            QCOMPARE(dialog.focusWidget(), Control<QWidget>(&dialog, LineStyleDialog::kSpin));
            QCOMPARE(line.lineWidth, 2);
        }
        TypeSpin(dialog, LineStyleDialog::kWidth, QStringLiteral("1"));
        Ok(dialog);
        QCOMPARE(line.lineWidth, 1);
        QCOMPARE(line.penStyle, static_cast<int>(kPenDot));
    }

    void ResetDefaultsOfOneKind()
    {
        SettingsChartProfile settings;
        for (int kind : {kChartLifeTable, kChartPeriodAnalysis, kChartTrend, kChartProductLimit}) {
            settings.WriteInt(ChartRegistrySection(kind) + "\\XAxis", "DefaultTitleColor", 5);
        }
        settings.Sync();
        CMainFrame frame(services);
        {
            const ModalScript reset({[](QWidget* modal) {
                auto& dialog = Expect<ResetChartDefaultsDialog>(modal);
                for (int id : {ResetChartDefaultsDialog::kLifeTableCharts,
                               ResetChartDefaultsDialog::kProductLimitCharts,
                               ResetChartDefaultsDialog::kPeriodAnalysisCharts, ResetChartDefaultsDialog::kTrendCharts})
                    QVERIFY(!Control<QCheckBox>(&dialog, id)->isChecked());
                SetChecked(&dialog, ResetChartDefaultsDialog::kProductLimitCharts);
                Click(&dialog, button::kOk);
            }});
            frame.command(command::kResetDefaults)->trigger();
            QVERIFY(reset.finished());
        }
        const SettingsChartProfile after;
        QCOMPARE(after.GetInt(ChartRegistrySection(kChartProductLimit) + "\\XAxis", "DefaultTitleColor", -1), -1);
        for (int kind : {kChartLifeTable, kChartPeriodAnalysis, kChartTrend})
            QCOMPARE(after.GetInt(ChartRegistrySection(kind) + "\\XAxis", "DefaultTitleColor", -1), 5);
        {
            // Cancel deletes nothing; a kind without stored defaults is no fault.
            const ModalScript cancel({[](QWidget* modal) {
                SetChecked(modal, ResetChartDefaultsDialog::kLifeTableCharts);
                Click(modal, button::kCancel);
            }});
            frame.command(command::kResetDefaults)->trigger();
        }
        QCOMPARE(SettingsChartProfile().GetInt(ChartRegistrySection(kChartLifeTable) + "\\XAxis", "DefaultTitleColor", -1), 5);
        const ModalScript again({[](QWidget* modal) {
            SetChecked(modal, ResetChartDefaultsDialog::kProductLimitCharts);
            Click(modal, button::kOk);
        }});
        frame.command(command::kResetDefaults)->trigger();
        QVERIFY(messages.shown.isEmpty());
    }

    // Tab walks every dialog in reading order and then OK, Cancel, Help; no
    // two controls share a mnemonic; Escape closes the dialog as Cancel.
    void KeyboardOrderMnemonicsAndEscape()
    {
        MemoryChartProfile profile;
        LifeTableChart chart = ExampleChart(kProductLimit, 3, profile);
        RenderChartImage(chart, 600, 400);
        LifeTableChart original = chart;
        const auto unchangedChart = [&] {
            QCOMPARE(chart.modifiedFlag, 0);
            QCOMPARE(chart.titleText, original.titleText);
            QCOMPARE(chart.timeAxis.maxValue, original.timeAxis.maxValue);
            QCOMPARE(chart.survivalAxis.maxValue, original.survivalAxis.maxValue);
            QCOMPARE(chart.legend.showLegend, original.legend.showLegend);
            QCOMPARE(chart.analysis.groupResults[0].info.label, original.analysis.groupResults[0].info.label);
            QCOMPARE(chart.seriesStyles, original.seriesStyles);
            QCOMPARE(RenderChartImage(chart, 600, 400), RenderChartImage(original, 600, 400));
        };
        const auto check = [&](QDialog& dialog, const std::function<void()>& change, const std::function<void()>& unchanged) {
            const QString name = dialog.objectName();
            const QString order = TabOrderFault(dialog);
            QVERIFY2(order.isEmpty(), qPrintable(name + QStringLiteral(": ") + order));
            const QString mnemonics = MnemonicFault(dialog);
            QVERIFY2(mnemonics.isEmpty(), qPrintable(name + QStringLiteral(": ") + mnemonics));
            change();
            QWidget* focused = QApplication::focusWidget();
            QVERIFY2(focused && dialog.isAncestorOf(focused), qPrintable(name));
            QTest::keyClick(focused, Qt::Key_Escape);
            QVERIFY2(!dialog.isVisible(), qPrintable(name));
            QCOMPARE(dialog.result(), int(QDialog::Rejected));
            unchanged();
        };
        {
            ChartTitleDialog dialog(chart, profile, services);
            check(dialog, [&] { SetText(&dialog, ChartTitleDialog::kText, QStringLiteral("other")); }, unchangedChart);
        }
        for (CChartAxis* axis : {&chart.timeAxis, &chart.survivalAxis}) {
            ChartAxisDialog dialog(chart, *axis, profile, services);
            check(dialog, [&] { SetText(&dialog, ChartAxisDialog::kMax, QStringLiteral("0,7")); }, unchangedChart);
        }
        {
            LegendDialog dialog(chart, profile, services);
            const auto change = [&] {
                const ModalScript labels({[](QWidget* modal) {
                    Labels(modal)->item(0, 1)->setText(QStringLiteral("renamed"));
                    Click(modal, button::kOk);
                }});
                Click(&dialog, LegendDialog::kGroupLabels);
                QVERIFY(labels.finished());
                dialog.activateWindow();  // the offscreen platform does not give the window back by itself
                QVERIFY(QTest::qWaitForWindowActive(&dialog));
                Click(&dialog, LegendDialog::kShow);
            };
            check(dialog, change, unchangedChart);
        }
        {
            DataSeriesDialog dialog(chart, profile, services);
            check(dialog, [&] { Click(&dialog, DataSeriesDialog::kShowCi); }, unchangedChart);
        }
        {
            CLineStyle line = chart.seriesStyles[0].ciLine;
            const CLineStyle before = line;
            LineStyleDialog dialog(line, services);
            check(dialog, [&] {
                TypeSpin(dialog, LineStyleDialog::kWidth, QStringLiteral("5"));
                Control<QComboBox>(&dialog, LineStyleDialog::kStyle)->setCurrentIndex(kPenDashDot);
            }, [&] { QCOMPARE(line, before); });
        }
        {
            CMarkerStyle marker = chart.seriesStyles[0].marker;
            marker.symbol = kSymbolSquare;
            const CMarkerStyle before = marker;
            MarkerStyleDialog dialog(marker, services);
            check(dialog,
                  [&] { Control<QComboBox>(&dialog, MarkerStyleDialog::kSymbol)->setCurrentIndex(kSymbolTriangle); },
                  [&] { QCOMPARE(marker, before); });
        }
        {
            std::vector<GroupLabel> labels = {{"1", "one"}, {"2", "two"}};
            GroupLabelsDialog dialog(labels, services);
            check(dialog, [&] { Labels(&dialog)->item(1, 1)->setText(QStringLiteral("x")); },
                  [&] { QCOMPARE(labels[1].second, std::string("two")); });
        }
        {
            profile.WriteInt(ChartRegistrySection(kChartLifeTable) + "\\XAxis", "DefaultTitleColor", 5);
            ResetChartDefaultsDialog dialog(profile, services);
            SetChecked(&dialog, ResetChartDefaultsDialog::kTrendCharts);  // OK is offered only with a kind ticked
            check(dialog, [&] { SetChecked(&dialog, ResetChartDefaultsDialog::kLifeTableCharts); }, [&] {
                QCOMPARE(profile.GetInt(ChartRegistrySection(kChartLifeTable) + "\\XAxis", "DefaultTitleColor", -1), 5);
            });
        }
    }

    // Each dialog, run from the chart window's menu, changes the drawing; the
    // chart saved and opened again keeps the change.
    void ChangesShowInTheWindowAndSurviveTheFile()
    {
        CMainFrame frame(services);
        const DataSet data = ExampleAnalysis(kProductLimit);
        CLifeTableChartFrame* window = OpenAnalysisChart(frame, data.analysis, kProductLimit);
        window->resize(640, 480);
        CLifeTableChartView* view = window->view();
        view->grab();
        const auto picture = [&] {
            view->resize(600, 400);
            return view->grab().toImage();
        };
        const std::vector<std::pair<int, ModalScript::Action>> steps = {
            {command::kEditChartTitle, [](QWidget* m) {
                 SetText(m, ChartTitleDialog::kText, QStringLiteral("Changed title"));
                 Click(m, button::kOk);
             }},
            {command::kEditTimeAxis, [](QWidget* m) {
                 SetText(m, ChartAxisDialog::kMax, QStringLiteral("8"));
                 Click(m, button::kOk);
             }},
            {command::kEditSurvivalAxis, [](QWidget* m) {
                 SetText(m, ChartAxisDialog::kMin, QStringLiteral("0,5"));
                 Click(m, button::kOk);
             }},
            {command::kEditLegend, [](QWidget* m) {
                 Control<QRadioButton>(m, LegendDialog::kPositionUpperRight)->setChecked(true);
                 Click(m, button::kOk);
             }},
            {command::kEditLegend, [](QWidget* m) {
                 const ModalScript labels({[](QWidget* groups) {
                     Labels(groups)->item(0, 1)->setText(QStringLiteral("renamed"));
                     Click(groups, button::kOk);
                 }});
                 Click(m, LegendDialog::kGroupLabels);
                 Click(m, button::kOk);
             }},
            {command::kFormatDataSeries, [](QWidget* m) {
                 Click(m, DataSeriesDialog::kShowCi);
                 Click(m, button::kOk);
             }},
            {command::kFormatDataSeries, [](QWidget* m) {
                 const ModalScript line({[](QWidget* style) {
                     Expect<LineStyleDialog>(style);
                     TypeSpin(*static_cast<QDialog*>(style), LineStyleDialog::kWidth, QStringLiteral("4"));
                     Click(style, button::kOk);
                 }});
                 Click(m, DataSeriesDialog::kCurveStyle);
                 Click(m, button::kOk);
             }},
            {command::kFormatDataSeries, [](QWidget* m) {
                 const ModalScript marker({[](QWidget* style) {
                     Expect<MarkerStyleDialog>(style);
                     Control<QComboBox>(style, MarkerStyleDialog::kSymbol)->setCurrentIndex(kSymbolSquare);
                     TypeSpin(*static_cast<QDialog*>(style), MarkerStyleDialog::kSize, QStringLiteral("9"));
                     Click(style, button::kOk);
                 }});
                 Click(m, DataSeriesDialog::kMarkers);
                 Click(m, button::kOk);
             }},
        };
        for (const auto& [id, action] : steps) {
            const QImage before = picture();
            const ModalScript script({action});
            frame.command(id)->trigger();
            QVERIFY(script.finished());
            QVERIFY2(picture() != before, qPrintable(QStringLiteral("command %1 changed the drawing").arg(id)));
        }
        LifeTableChart& chart = view->chart();
        QCOMPARE(chart.modifiedFlag, 1);
        const std::string path = folder.filePath(QStringLiteral("options.cht")).toStdString();
        QVERIFY(WriteChartFile(chart, path));
        LifeTableChart reopened;
        QCOMPARE(OpenChartFile(path, reopened), ChartFileStatus::kOk);
        QCOMPARE(reopened.titleText, std::string("Changed title"));
        QCOMPARE(reopened.timeAxis.maxValue, 8.0);
        QCOMPARE(reopened.survivalAxis.minValue, 0.5);
        QCOMPARE(reopened.legend.legendPosition, 1);
        QCOMPARE(reopened.seriesStyles[0].showCI, 0);
        QCOMPARE(reopened.analysis.groupResults[0].info.label, std::string("renamed"));
        QCOMPARE(reopened.seriesStyles[0].survivalLine.lineWidth, 4);
        QCOMPARE(reopened.seriesStyles[0].marker.symbol, static_cast<int>(kSymbolSquare));
        QCOMPARE(reopened.seriesStyles[0].marker.markerSize, 9);
        QCOMPARE(RenderChartImage(reopened, 600, 400), RenderChartImage(chart, 600, 400));
        chart.modifiedFlag = 0;
    }

    // The table shows in the window; a chart read from a file takes the
    // switch from the user's defaults, whatever the window that saved it showed.
    void NumbersAtRiskInTheWindowAndInChartsReadFromFiles()
    {
        CMainFrame frame(services);
        const DataSet data = ExampleAnalysis(kProductLimit);
        CLifeTableChartFrame* window = OpenAnalysisChart(frame, data.analysis, kProductLimit);
        CLifeTableChartView* view = window->view();
        view->resize(600, 400);
        const QImage before = view->grab().toImage();
        const ModalScript script({[](QWidget* m) {
            SetChecked(m, DataSeriesDialog::kShowNumbersAtRisk);
            Click(m, button::kOk);
        }});
        frame.command(command::kFormatDataSeries)->trigger();
        QVERIFY(script.finished());
        QVERIFY(view->chart().showNumbersAtRisk);
        QVERIFY(view->grab().toImage() != before);
        const std::string path = folder.filePath(QStringLiteral("table.cht")).toStdString();
        QVERIFY(WriteChartFile(view->chart(), path));
        view->chart().modifiedFlag = 0;

        for (int stored : {1, 0}) {
            SettingsChartProfile settings;
            settings.WriteInt(ChartRegistrySection(kChartProductLimit), "ShowNumbersAtRisk", stored);
            settings.Sync();
            LifeTableChart read;
            QCOMPARE(OpenChartFile(path, read), ChartFileStatus::kOk);
            CLifeTableChartView opened(services);
            opened.SetChart(std::move(read));
            QCOMPARE(opened.chart().showNumbersAtRisk, stored != 0);
        }
        SettingsChartProfile().DeleteSection(ChartRegistrySection(kChartProductLimit));
    }
};

}  // namespace kalderon::testing

QTEST_MAIN(kalderon::testing::ChartOptionsTest)
#include "ChartOptionsTest.moc"
