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

    static void Ok(QDialog& dialog) { Click(&dialog, 1); }

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
            QCOMPARE(Control<QComboBox>(&dialog, 1036)->currentText(), QStringLiteral("center"));
            Ok(dialog);
            QCOMPARE(chart.modifiedFlag, 0);  // nothing changed
        }
        chart.titleAlign = 3;
        {
            ChartTitleDialog dialog(chart, profile, services);
            QCOMPARE(Control<QComboBox>(&dialog, 1036)->currentIndex(), -1);
            Ok(dialog);
            QCOMPARE(chart.titleAlign, 3);  // nothing chosen: unchanged
            QCOMPARE(chart.modifiedFlag, 0);
        }
        chart.titleFont.logFont.lfHeight = -14;
        chart.titleFont.heightDivisor = 28.0f;
        {
            ChartTitleDialog dialog(chart, profile, services);
            SetText(&dialog, 1032, QStringLiteral("Survival by age"));
            Choose(&dialog, 1036, QStringLiteral("right"));
            QFont chosen(QStringLiteral("Courier New"));
            chosen.setPixelSize(28);
            chosen.setItalic(true);
            fontsAndColors.chosenFont = chosen;
            fontsAndColors.chosenColor = QColor(10, 20, 30);
            Click(&dialog, 1033);
            QCOMPARE(fontsAndColors.openedFont.pixelSize(), 14);  // the height of the last drawing
            SetChecked(&dialog, 1034);
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
        SetText(&dialog, 1032, QStringLiteral("other"));
        Click(&dialog, 2);
        QCOMPARE(chart.titleText, before.titleText);
    }

    void AxisDialogTakesCommaAndRefusesBadValues()
    {
        MemoryChartProfile profile;
        LifeTableChart chart = ExampleChart(kLifeTable, 2, profile);
        ChartAxisDialog dialog(chart, chart.survivalAxis, profile, services);
        dialog.show();
        QCOMPARE(Control<QLineEdit>(&dialog, 1039)->text(), QStringLiteral("1"));
        QCOMPARE(Control<QLineEdit>(&dialog, 1037)->text(), QStringLiteral("0.1"));

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
        refused(1035, QStringLiteral("  "), 1035, QStringLiteral("Required value is missing!"));
        refused(1039, QStringLiteral("abc"), 1039, QStringLiteral("Please enter a number."));
        refused(1037, QStringLiteral("1x"), 1037, QStringLiteral("Please enter a number."));
        refused(1037, QStringLiteral("0"), 1037, QStringLiteral("The step must be greater than 0."));
        refused(1037, QStringLiteral("-0,1"), 1037, QStringLiteral("The step must be greater than 0."));
        refused(1035, QStringLiteral("1"), 1035, QStringLiteral("The minimum must be less than the maximum."));
        refused(1037, QStringLiteral("1e-9"), 1037,
                QStringLiteral("The step is too small for the range from minimum to maximum: "
                               "an axis has at most 1000 ticks."));
        QCOMPARE(chart.modifiedFlag, 0);

        SetText(&dialog, 1037, QStringLiteral(" 0,5 "));
        SetText(&dialog, 1032, QStringLiteral("Share alive"));
        SetChecked(&dialog, 1034);
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
            QVERIFY(!Control<QPushButton>(&dialog, 1066)->isEnabled());
            QVERIFY(Control<QPushButton>(&dialog, 1033)->isEnabled());
        }
        LifeTableChart chart = ExampleChart(kLifeTable, 4, profile);
        const std::string firstLabel = chart.analysis.groupResults[0].info.label;
        {
            LegendDialog dialog(chart, profile, services);
            QVERIFY(Control<QPushButton>(&dialog, 1066)->isEnabled());
            QVERIFY(Control<QLineEdit>(&dialog, 1038)->isReadOnly());
            QCOMPARE(Control<QLineEdit>(&dialog, 1038)->text(), QStringLiteral("95% "));
            Click(&dialog, 1044);  // hide the legend
            for (int id : {1066, 1033, 1040, 1039, 1006, 1005})
                QVERIFY(!dialog.findChild<QWidget*>(QStringLiteral("id%1").arg(id))->isEnabled());
            Click(&dialog, 1044);
            QVERIFY(Control<QPushButton>(&dialog, 1066)->isEnabled());

            const ModalScript labels({[](QWidget* modal) {
                auto& groups = Expect<GroupLabelsDialog>(modal);
                auto* list = Control<LabelListCtrl>(&groups, 1067);
                QCOMPARE(list->rowCount(), 4);
                QCOMPARE(list->horizontalHeaderItem(0)->text(), QStringLiteral("Code"));
                QCOMPARE(list->horizontalHeaderItem(1)->text(), QStringLiteral("Label"));
                list->item(0, 1)->setText(QStringLiteral("young"));
                Click(&groups, 1);
            }});
            Click(&dialog, 1066);
            QVERIFY(labels.finished());
            Click(&dialog, 2);  // Cancel in the legend dialog drops the edited labels
        }
        QCOMPARE(chart.analysis.groupResults[0].info.label, firstLabel);
        QCOMPARE(chart.modifiedFlag, 0);
        {
            LegendDialog dialog(chart, profile, services);
            const ModalScript labels({[](QWidget* modal) {
                auto& groups = Expect<GroupLabelsDialog>(modal);
                Control<LabelListCtrl>(&groups, 1067)->item(1, 1)->setText(QStringLiteral("middle"));
                Click(&groups, 1);
            }});
            Click(&dialog, 1066);
            Control<QRadioButton>(&dialog, 1005)->setChecked(true);
            SetText(&dialog, 1040, QStringLiteral("CI"));
            SetChecked(&dialog, 1034);
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
        auto* list = Control<LabelListCtrl>(&dialog, 1067);
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
        Control<QPushButton>(&dialog, 2)->setFocus();
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

    void DataSeriesDialogEnabling()
    {
        MemoryChartProfile profile;
        LifeTableChart one = ExampleChart(kProductLimit, 1, profile);
        {
            DataSeriesDialog dialog(one, profile, services);
            for (int id : {1045, 1051, 1064}) QVERIFY(!Control<QWidget>(&dialog, id)->isVisibleTo(&dialog));
            QVERIFY(Control<QWidget>(&dialog, 1057)->isVisibleTo(&dialog));
        }
        LifeTableChart lifeTable = ExampleChart(kLifeTable, 3, profile);
        DataSeriesDialog dialog(lifeTable, profile, services);
        QVERIFY(!Control<QWidget>(&dialog, 1057)->isVisibleTo(&dialog));
        auto* group = Control<QComboBox>(&dialog, 1051);
        QCOMPARE(group->count(), 3);
        QCOMPARE(group->currentIndex(), 0);
        QVERIFY(group->itemText(0).startsWith(QString::fromStdString(lifeTable.analysis.groupResults[0].info.code)));
        group->setCurrentIndex(1);
        Click(&dialog, 1064);  // hide group 2
        for (int id : {1048, 1052, 1065, 1049, 1053, 1050}) QVERIFY(!Control<QWidget>(&dialog, id)->isEnabled());
        QVERIFY(group->isEnabled());
        QVERIFY(Control<QWidget>(&dialog, 1056)->isEnabled());
        group->setCurrentIndex(0);
        QVERIFY(Control<QCheckBox>(&dialog, 1064)->isChecked());
        Click(&dialog, 1065);  // no intervals for group 1
        QVERIFY(!Control<QWidget>(&dialog, 1049)->isEnabled());
        QVERIFY(!Control<QWidget>(&dialog, 1053)->isEnabled());
        QVERIFY(Control<QWidget>(&dialog, 1048)->isEnabled());

        const ModalScript styles({[](QWidget* modal) {
            auto& line = Expect<LineStyleDialog>(modal);
            QCOMPARE(Control<QLineEdit>(&line, 1053)->text(), QStringLiteral("2"));
            Control<QLineEdit>(&line, 1053)->setText(QStringLiteral("3"));
            QCOMPARE(Control<StyleComboBox>(&line, 1055)->lineWidth(), 3);
            Control<QComboBox>(&line, 1055)->setCurrentIndex(kPenDash);
            Click(&line, 1);
        }});
        Click(&dialog, 1048);
        QVERIFY(styles.finished());
        fontsAndColors.chosenColor = QColor(0, 128, 0);
        Click(&dialog, 1052);
        SetChecked(&dialog, 1034);
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
        QVERIFY(!Control<QWidget>(&trendDialog, 1048)->isEnabled());
        QVERIFY(!Control<QWidget>(&trendDialog, 1052)->isEnabled());
        QVERIFY(!Control<QWidget>(&trendDialog, 1056)->isEnabled());
        QVERIFY(Control<QWidget>(&trendDialog, 1050)->isEnabled());
    }

    void DataSeriesDialogNumbersAtRiskSwitch()
    {
        MemoryChartProfile profile;
        LifeTableChart chart = ExampleChart(kProductLimit, 2, profile);
        {
            DataSeriesDialog dialog(chart, profile, services);
            auto* box = Control<QCheckBox>(&dialog, 1090);
            QVERIFY(box->isVisibleTo(&dialog));
            QCOMPARE(box->text(), QStringLiteral("Show &numbers at risk"));
            QVERIFY(!box->isChecked());
            box->setChecked(true);
            Click(&dialog, 2);
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
            Control<QWidget>(&dialog, 1050)->setFocus();
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            QCOMPARE(QApplication::focusWidget()->objectName(), QStringLiteral("id1090"));
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            QCOMPARE(QApplication::focusWidget()->objectName(), QStringLiteral("id1034"));
            QTest::keyClick(&dialog, Qt::Key_N, Qt::AltModifier);
            QTRY_VERIFY(Control<QCheckBox>(&dialog, 1090)->isChecked());
            Ok(dialog);
        }
        QVERIFY(chart.showNumbersAtRisk);
        QCOMPARE(chart.modifiedFlag, 0);  // nothing of the chart file changed
        QVERIFY(profile.empty());
        QVERIFY(!ExampleChart(kProductLimit, 2, profile).showNumbersAtRisk);
        {
            DataSeriesDialog dialog(chart, profile, services);
            QVERIFY(Control<QCheckBox>(&dialog, 1090)->isChecked());
            SetChecked(&dialog, 1034);
            Ok(dialog);
        }
        QCOMPARE(profile.GetInt("Charts\\Kaplan-Meier", "ShowNumbersAtRisk", -1), 1);
        QVERIFY(ExampleChart(kProductLimit, 1, profile).showNumbersAtRisk);
        {
            DataSeriesDialog dialog(chart, profile, services);
            SetChecked(&dialog, 1090, false);
            SetChecked(&dialog, 1034);
            Ok(dialog);
        }
        QCOMPARE(profile.GetInt("Charts\\Kaplan-Meier", "ShowNumbersAtRisk", -1), 0);
        QVERIFY(!ExampleChart(kProductLimit, 1, profile).showNumbersAtRisk);

        // Life tables have no such table.
        LifeTableChart lifeTable = ExampleChart(kLifeTable, 2, profile);
        DataSeriesDialog dialog(lifeTable, profile, services);
        QVERIFY(!Control<QWidget>(&dialog, 1090)->isVisibleTo(&dialog));
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
            SetChecked(&dialog, 1034);
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
            auto* symbol = Control<QComboBox>(&dialog, 1055);
            QCOMPARE(symbol->count(), 7);
            QCOMPARE(symbol->currentIndex(), 1);
            QVERIFY(Control<QWidget>(&dialog, 1060)->isEnabled());
            symbol->setCurrentIndex(kSymbolDiagonalCross);
            QVERIFY(!Control<QWidget>(&dialog, 1060)->isEnabled());
            for (int id : {1057, 1058, 1059}) QVERIFY(Control<QWidget>(&dialog, id)->isEnabled());
            QCOMPARE(Control<MarkerPreview>(&dialog, 1061)->marker().symbol, 4);
            symbol->setCurrentIndex(kSymbolNone);
            for (int id : {1057, 1058, 1059, 1060}) QVERIFY(!Control<QWidget>(&dialog, id)->isEnabled());
            symbol->setCurrentIndex(kSymbolTriangle);
            TypeSpin(dialog, 1057, QStringLiteral("12"));
            QCOMPARE(Control<MarkerPreview>(&dialog, 1061)->marker().markerSize, 12);
            fontsAndColors.chosenColor = QColor(255, 0, 0);
            Click(&dialog, 1060);
            dialog.show();
            for (const QString& bad : {QStringLiteral("0"), QStringLiteral("1000"), QStringLiteral("x")}) {
                TypeSpin(dialog, 1057, bad);
                messages.shown.clear();
                Ok(dialog);
                QCOMPARE(messages.shown, QStringList{QStringLiteral("Please enter a whole number from 1 to 999.")});
                QCOMPARE(marker.symbol, static_cast<int>(kSymbolCircle));
            }
            TypeSpin(dialog, 1057, QStringLiteral("999"));
            Ok(dialog);
        }
        QCOMPARE(marker.symbol, static_cast<int>(kSymbolTriangle));
        QCOMPARE(marker.markerSize, 999);
        QCOMPARE(marker.fillColor, Rgb(255, 0, 0));

        marker.symbol = 7;
        MarkerStyleDialog dialog(marker, services);
        QCOMPARE(Control<QComboBox>(&dialog, 1055)->currentIndex(), -1);
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
        QCOMPARE(Control<QComboBox>(&dialog, 1055)->count(), 5);
        QCOMPARE(Control<QComboBox>(&dialog, 1055)->currentIndex(), 2);
        QCOMPARE(Control<QSpinBox>(&dialog, 1054)->maximum(), 999);
        for (const QString& bad : {QStringLiteral("0"), QStringLiteral("1000"), QStringLiteral("")}) {
            TypeSpin(dialog, 1053, bad);
            messages.shown.clear();
            Ok(dialog);
            QCOMPARE(messages.shown.size(), 1);
            QCOMPARE(dialog.focusWidget(), Control<QWidget>(&dialog, 1054));
            QCOMPARE(line.lineWidth, 2);
        }
        TypeSpin(dialog, 1053, QStringLiteral("1"));
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
                for (int id : {1037, 1038, 1039, 1040}) QVERIFY(!Control<QCheckBox>(&dialog, id)->isChecked());
                SetChecked(&dialog, 1038);
                Click(&dialog, 1);
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
                SetChecked(modal, 1037);
                Click(modal, 2);
            }});
            frame.command(command::kResetDefaults)->trigger();
        }
        QCOMPARE(SettingsChartProfile().GetInt(ChartRegistrySection(kChartLifeTable) + "\\XAxis", "DefaultTitleColor", -1), 5);
        const ModalScript again({[](QWidget* modal) {
            SetChecked(modal, 1038);
            Click(modal, 1);
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
            check(dialog, [&] { SetText(&dialog, 1032, QStringLiteral("other")); }, unchangedChart);
        }
        for (CChartAxis* axis : {&chart.timeAxis, &chart.survivalAxis}) {
            ChartAxisDialog dialog(chart, *axis, profile, services);
            check(dialog, [&] { SetText(&dialog, 1039, QStringLiteral("0,7")); }, unchangedChart);
        }
        {
            LegendDialog dialog(chart, profile, services);
            const auto change = [&] {
                const ModalScript labels({[](QWidget* modal) {
                    Control<LabelListCtrl>(modal, 1067)->item(0, 1)->setText(QStringLiteral("renamed"));
                    Click(modal, 1);
                }});
                Click(&dialog, 1066);
                QVERIFY(labels.finished());
                dialog.activateWindow();  // the offscreen platform does not give the window back by itself
                QVERIFY(QTest::qWaitForWindowActive(&dialog));
                Click(&dialog, 1044);
            };
            check(dialog, change, unchangedChart);
        }
        {
            DataSeriesDialog dialog(chart, profile, services);
            check(dialog, [&] { Click(&dialog, 1065); }, unchangedChart);
        }
        {
            CLineStyle line = chart.seriesStyles[0].ciLine;
            const CLineStyle before = line;
            LineStyleDialog dialog(line, services);
            check(dialog, [&] {
                TypeSpin(dialog, 1053, QStringLiteral("5"));
                Control<QComboBox>(&dialog, 1055)->setCurrentIndex(kPenDashDot);
            }, [&] { QCOMPARE(line, before); });
        }
        {
            CMarkerStyle marker = chart.seriesStyles[0].marker;
            marker.symbol = kSymbolSquare;
            const CMarkerStyle before = marker;
            MarkerStyleDialog dialog(marker, services);
            check(dialog, [&] { Control<QComboBox>(&dialog, 1055)->setCurrentIndex(kSymbolTriangle); },
                  [&] { QCOMPARE(marker, before); });
        }
        {
            std::vector<GroupLabel> labels = {{"1", "one"}, {"2", "two"}};
            GroupLabelsDialog dialog(labels, services);
            check(dialog, [&] { Control<LabelListCtrl>(&dialog, 1067)->item(1, 1)->setText(QStringLiteral("x")); },
                  [&] { QCOMPARE(labels[1].second, std::string("two")); });
        }
        {
            profile.WriteInt(ChartRegistrySection(kChartLifeTable) + "\\XAxis", "DefaultTitleColor", 5);
            ResetChartDefaultsDialog dialog(profile, services);
            check(dialog, [&] { SetChecked(&dialog, 1037); }, [&] {
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
            {command::kEditChartTitle, [](QWidget* m) { SetText(m, 1032, QStringLiteral("Changed title")); Click(m, 1); }},
            {command::kEditTimeAxis, [](QWidget* m) { SetText(m, 1039, QStringLiteral("8")); Click(m, 1); }},
            {command::kEditSurvivalAxis, [](QWidget* m) { SetText(m, 1035, QStringLiteral("0,5")); Click(m, 1); }},
            {command::kEditLegend, [](QWidget* m) { Control<QRadioButton>(m, 1006)->setChecked(true); Click(m, 1); }},
            {command::kEditLegend, [](QWidget* m) {
                 const ModalScript labels({[](QWidget* groups) {
                     Control<LabelListCtrl>(groups, 1067)->item(0, 1)->setText(QStringLiteral("renamed"));
                     Click(groups, 1);
                 }});
                 Click(m, 1066);
                 Click(m, 1);
             }},
            {command::kFormatDataSeries, [](QWidget* m) { Click(m, 1065); Click(m, 1); }},
            {command::kFormatDataSeries, [](QWidget* m) {
                 const ModalScript line({[](QWidget* style) {
                     Expect<LineStyleDialog>(style);
                     TypeSpin(*static_cast<QDialog*>(style), 1053, QStringLiteral("4"));
                     Click(style, 1);
                 }});
                 Click(m, 1048);
                 Click(m, 1);
             }},
            {command::kFormatDataSeries, [](QWidget* m) {
                 const ModalScript marker({[](QWidget* style) {
                     Expect<MarkerStyleDialog>(style);
                     Control<QComboBox>(style, 1055)->setCurrentIndex(kSymbolSquare);
                     TypeSpin(*static_cast<QDialog*>(style), 1057, QStringLiteral("9"));
                     Click(style, 1);
                 }});
                 Click(m, 1050);
                 Click(m, 1);
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
            SetChecked(m, 1090);
            Click(m, 1);
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
