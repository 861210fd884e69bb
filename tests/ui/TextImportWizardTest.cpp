#include <QAbstractButton>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QScrollBar>
#include <cmath>
#include <QTemporaryDir>
#include <QtTest>

#include "import/ui/CFilePreview.h"
#include "import/ui/CSpinButton.h"
#include "import/ui/CTextImportPage1.h"
#include "import/ui/CTextImportPage2A.h"
#include "import/ui/CTextImportPage2B.h"
#include "import/ui/CTextImportPage3A.h"
#include "import/ui/CTextImportSheet.h"
#include "support/GuiTestSupport.h"
#include "support/ScriptedMessages.h"

namespace kalderon::testing {

class TextImportWizardTest : public QObject {
    Q_OBJECT

    QTemporaryDir folder;
    QString path;
    ScriptedMessages messages;

    static bool Shown(CTextImportSheet& sheet, QWizard::WizardButton which)
    {
        return sheet.button(which)->isVisible() && sheet.button(which)->isEnabled();
    }

    // The background colour of a character cell of the preview's lines or,
    // for line -1, of the ruler above the character: a pixel above the glyph
    // and left of the ruler's tick.
    static QColor CellColour(CFilePreview* preview, int line, int column)
    {
        const QImage image = preview->grab().toImage();
        const QPoint origin = preview->CharacterOrigin(line, column);
        return image.pixelColor(origin.x() + 1, origin.y() + (line < 0 ? 2 : 1));
    }

private slots:
    void initTestCase()
    {
        UseTemporarySettings();
        path = folder.filePath(QStringLiteral("cases.txt"));
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("01.01.2000;31.12.2004;1;A;m;05.05.1950\r\n"
                   "02.02.2001;30.06.2003;0;B;f;06.06.1960;and a longer line at the end\n");
    }

    void PageOrderAndButtons()
    {
        CTextImportSheet sheet(path, messages);
        sheet.show();
        QCOMPARE(sheet.windowTitle(), QStringLiteral("Text file import"));
        QCOMPARE(sheet.currentId(), 132);
        QVERIFY(Shown(sheet, QWizard::NextButton));
        QVERIFY(!Shown(sheet, QWizard::BackButton));
        QVERIFY(!Shown(sheet, QWizard::FinishButton));

        Click(&sheet, 0x3024);  // Next
        QCOMPARE(sheet.currentId(), 133);
        QVERIFY(Shown(sheet, QWizard::BackButton) && Shown(sheet, QWizard::NextButton));
        sheet.next();
        QCOMPARE(sheet.currentId(), 137);
        QVERIFY(Shown(sheet, QWizard::BackButton) && Shown(sheet, QWizard::FinishButton));
        QVERIFY(!Shown(sheet, QWizard::NextButton));
        sheet.back();
        QCOMPARE(sheet.currentId(), 133);
        sheet.back();
        QCOMPARE(sheet.currentId(), 132);

        Click(sheet.currentPage(), 1006);  // fixed columns
        sheet.next();
        QCOMPARE(sheet.currentId(), 134);
        QVERIFY(Shown(sheet, QWizard::BackButton) && Shown(sheet, QWizard::FinishButton));
        Click(&sheet, 0x3023);  // Back
        QCOMPARE(sheet.currentId(), 132);
        QCOMPARE(sheet.settings().format, 1);
    }

    void SeparatorChoices()
    {
        CTextImportSheet sheet(path, messages);
        sheet.show();
        sheet.next();
        QWidget* page = sheet.currentPage();
        CTextImportPage2A* page2A = sheet.page2A();
        auto* other = Control<QLineEdit>(page, 1010);
        QVERIFY(Control<QRadioButton>(page, 1005)->isChecked());
        QVERIFY(!other->isEnabled());
        QCOMPARE(other->text(), QStringLiteral(";"));
        QCOMPARE(Control<QRadioButton>(page, 1005)->text(), QStringLiteral("\";\""));
        QCOMPARE(Control<QRadioButton>(page, 1006)->text(), QStringLiteral("\",\""));
        QCOMPARE(Control<QRadioButton>(page, 1008)->text(), QStringLiteral("\" \""));
        QCOMPARE(Control<QRadioButton>(page, 1011)->text(), QStringLiteral("tab"));
        QCOMPARE(Control<QRadioButton>(page, 1009)->text(), QStringLiteral("other:"));

        const struct {
            int radio;
            std::string separator;
        } choices[] = {{1006, ","}, {1008, " "}, {1011, "\t"}, {1005, ";"}};
        for (const auto& choice : choices) {
            Click(page, choice.radio);
            QCOMPARE(page2A->separator, choice.separator);
            QCOMPARE(other->text().toStdString(), choice.separator);
            QVERIFY(!other->isEnabled());
            QCOMPARE(Control<CFilePreview>(page, 1007)->separator(), choice.separator.front());
        }

        Click(page, 1009);
        QVERIFY(other->isEnabled());
        QCOMPARE(page2A->separator, std::string());
        QCOMPARE(page2A->separatorChoice, 4);
        QCOMPARE(Control<CFilePreview>(page, 1007)->separator(), '\0');
        SetText(page, 1010, QStringLiteral("|"));
        QCOMPARE(page2A->separator, std::string("|"));
        QCOMPARE(Control<CFilePreview>(page, 1007)->separator(), '|');
        QCOMPARE(other->maxLength(), 1);

        // The next page's preview cuts at the separator chosen here.
        sheet.next();
        QCOMPARE(Control<CFilePreview>(sheet.currentPage(), 1007)->separator(), '|');
        QCOMPARE(sheet.settings().separator, std::string("|"));
    }

    void FreeFormatColumnsAndMarks()
    {
        CTextImportSheet sheet(path, messages);
        sheet.show();
        sheet.next();
        sheet.next();
        QWidget* page = sheet.currentPage();
        auto* preview = Control<CFilePreview>(page, 1007);
        QCOMPARE(preview->maxLineLength(), 67);

        const int edits[] = {1011, 1012, 1013, 1025, 1077, 1079};
        const int spins[] = {1019, 1020, 1021, 1026, 1078, 1080};
        for (int role = 0; role < kRoleCount; ++role) {
            QCOMPARE(Control<QLineEdit>(page, edits[role])->text(), QString::number(role + 1));
            auto* spin = Control<CSpinButton>(page, spins[role]);
            QCOMPARE(spin->lower(), 1);
            QCOMPARE(spin->upper(), 67);
            const bool optional = role >= kRoleGroup;
            QCOMPARE(Control<QLineEdit>(page, edits[role])->isEnabled(), !optional);
            QCOMPARE(page->findChild<QLabel*>(QStringLiteral("roleLabel%1").arg(role))->isEnabled(), !optional);
            QCOMPARE(preview->fieldMark(role), optional ? 0 : role + 1);
        }
        for (int check : {1062, 1063, 1064}) QVERIFY(!Control<QCheckBox>(page, check)->isChecked());
        for (int combo : {1017, 1018, 1038}) {
            auto* patterns = Control<QComboBox>(page, combo);
            QVERIFY(patterns->isEditable());
            QCOMPARE(patterns->currentText(), QStringLiteral("DD.MM.YYYY"));
            QCOMPARE(patterns->count(), 5);
            QCOMPARE(patterns->itemText(4), QStringLiteral("YYYYMMDD"));
        }
        QVERIFY(!Control<QComboBox>(page, 1038)->isEnabled());

        // Field colours: begin green, end red, status yellow, an unused field grey.
        QCOMPARE(CellColour(preview, 0, 0), QColor(0, 255, 0));
        QCOMPARE(CellColour(preview, 0, 11), QColor(255, 102, 102));  // red lightened behind text
        QCOMPARE(CellColour(preview, 0, 22), QColor(255, 255, 0));
        QCOMPARE(CellColour(preview, 0, 24), QColor(192, 192, 192));

        SetChecked(page, 1062);
        QVERIFY(Control<QLineEdit>(page, 1025)->isEnabled());
        QVERIFY(Control<CSpinButton>(page, 1026)->isEnabled());
        QCOMPARE(preview->fieldMark(kRoleGroup), 4);
        QCOMPARE(CellColour(preview, 0, 24), QColor(128, 192, 255));
        SetText(page, 1025, QStringLiteral("6"));
        QCOMPARE(preview->fieldMark(kRoleGroup), 6);
        QCOMPARE(CellColour(preview, 1, 34), QColor(128, 192, 255));  // field 6 of the second line
        QCOMPARE(CellColour(preview, 0, 24), QColor(192, 192, 192));
        Control<CSpinButton>(page, 1021)->StepBy(1);  // status to field 4
        QCOMPARE(preview->fieldMark(kRoleStatus), 4);
        QCOMPARE(sheet.page3A()->statusColumn, 4);
        SetChecked(page, 1062, false);
        QCOMPARE(preview->fieldMark(kRoleGroup), 0);
        QVERIFY(!Control<QLineEdit>(page, 1025)->isEnabled());

        SetChecked(page, 1064);
        SetChecked(page, 1063);
        const TextImportSettings settings = sheet.settings();
        QCOMPARE(settings.format, 0);
        QCOMPARE(settings.statusColumn, 4);
        QCOMPARE(settings.groupColumn, 6);
        QVERIFY(!settings.useGroup && settings.useSex && settings.useBirth);
    }

    void TabOrderAndMnemonicsOfTheColumnPage()
    {
        CTextImportSheet sheet(path, messages);
        sheet.show();
        QVERIFY(QTest::qWaitForWindowActive(&sheet));
        sheet.next();
        sheet.next();
        QWidget* page = sheet.currentPage();
        const auto tabs = [&sheet](int count) {
            QStringList names;
            for (int i = 0; i < count; ++i) {
                QTest::keyClick(sheet.focusWidget(), Qt::Key_Tab);
                names << sheet.focusWidget()->objectName();
            }
            return names;
        };
        Control<QLineEdit>(page, 1011)->setFocus();
        // Each check box comes before the numbers it enables; the disabled
        // ones are passed over.
        QCOMPARE(tabs(7), QStringList({"id1017", "id1012", "id1018", "id1013", "id1062", "id1063", "id1064"}));
        // Tab then Space from the status column switches the grouping variable on ...
        Control<QLineEdit>(page, 1013)->setFocus();
        QCOMPARE(tabs(1), QStringList({"id1062"}));
        QTest::keyClick(sheet.focusWidget(), Qt::Key_Space);
        QVERIFY(Control<QCheckBox>(page, 1062)->isChecked());
        QVERIFY(sheet.isVisible());
        // ... and the next Tab goes into its column number.
        QCOMPARE(tabs(2), QStringList({"id1025", "id1063"}));

        // Labels carry mnemonics that go to their numbers or check boxes.
        QStringList labels;
        for (int role = 0; role < kRoleCount; ++role) {
            auto* label = page->findChild<QLabel*>(QStringLiteral("roleLabel%1").arg(role));
            labels << label->text() + QLatin1Char(' ') + label->buddy()->objectName();
        }
        QCOMPARE(labels, QStringList({"&Date of beginning of follow-up id1011", "Date of &end of follow-up id1012",
                                      "&Status at end of follow-up id1013", "&Grouping variable id1062",
                                      "Gender &variable * id1063", "Date of bi&rth * id1064"}));
        QTest::keyClick(&sheet, Qt::Key_S, Qt::AltModifier);
        QCOMPARE(sheet.focusWidget()->objectName(), QStringLiteral("id1013"));
        QCOMPARE(sheet.button(QWizard::CancelButton)->text(), QStringLiteral("&Cancel"));
        QCOMPARE(sheet.button(QWizard::FinishButton)->text(), QStringLiteral("&Finish"));
    }

    void PreviewScrollsAndNumbersItsRuler()
    {
        const QString longPath = folder.filePath(QStringLiteral("long.txt"));
        QFile file(longPath);
        QVERIFY(file.open(QIODevice::WriteOnly));
        for (int line = 1; line <= 100; ++line) file.write(QByteArray::number(line).rightJustified(3, '0') + "\n");
        file.close();
        CTextImportSheet sheet(longPath, messages);
        sheet.show();
        auto* preview = Control<CFilePreview>(sheet.currentPage(), 1007);
        QCOMPARE(preview->firstShownLine(), 0);
        QVERIFY(preview->verticalScrollBar()->maximum() > 0);
        preview->ScrollTo(60, 0);
        QCOMPARE(preview->firstShownLine(), 60);
        // Line 61 of the file now stands right under the ruler.
        QCOMPARE(preview->CharacterOrigin(60, 0).y(), preview->CharacterOrigin(-1, 0).y() + preview->rulerHeight());

        // The number 10 stands right of the tenth tick, in the upper part of the ruler.
        const QImage image = preview->grab().toImage();
        const QPoint tenth = preview->CharacterOrigin(-1, 10);
        int dark = 0;
        for (int x = tenth.x(); x < tenth.x() + 2 * preview->cellWidth(); ++x)
            for (int y = tenth.y(); y < tenth.y() + preview->rulerHeight() / 2; ++y)
                dark += image.pixelColor(x, y).lightness() < 100 ? 1 : 0;
        QVERIFY(dark > 3);
    }

    void RoleColoursAreReadableBehindText()
    {
        // WCAG contrast of black text on each role's colour in the lines.
        const auto luminance = [](const QColor& c) {
            const auto channel = [](double v) { return v <= 0.03928 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4); };
            return 0.2126 * channel(c.redF()) + 0.7152 * channel(c.greenF()) + 0.0722 * channel(c.blueF());
        };
        QList<QColor> shown;
        for (const QColor& colour : RoleColours()) {
            const QColor behind = ReadableBehindText(colour);
            QVERIFY((luminance(behind) + 0.05) / 0.05 >= 4.5);
            shown << behind;
        }
        shown << QColor(192, 192, 192);  // fields of no role
        // Still told apart: no two closer than 60 in some channel.
        for (qsizetype i = 0; i < shown.size(); ++i)
            for (qsizetype j = i + 1; j < shown.size(); ++j)
                QVERIFY(std::max({qAbs(shown[i].red() - shown[j].red()), qAbs(shown[i].green() - shown[j].green()),
                                  qAbs(shown[i].blue() - shown[j].blue())}) >= 60);
        // Colours light enough stay as they are.
        QCOMPARE(ReadableBehindText(QColor(0, 255, 0)), QColor(0, 255, 0));
        QCOMPARE(ReadableBehindText(QColor(255, 0, 0)), QColor(255, 102, 102));
    }

    void PatternTestOnFinish()
    {
        CTextImportSheet sheet(path, messages);
        sheet.show();
        sheet.next();
        sheet.next();
        QWidget* page = sheet.currentPage();
        messages.shown.clear();
        sheet.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&sheet));

        Control<QComboBox>(page, 1018)->setEditText(QStringLiteral("DD-MM-YY"));
        // The date of birth is tested even though it is not used.
        Control<QComboBox>(page, 1038)->setEditText(QStringLiteral("YYYY"));
        Click(&sheet, 0x3025);  // Finish
        QCOMPARE(messages.shown, QStringList({QStringLiteral("Date format must contain at least MM and YYYY! ")}));
        QCOMPARE(sheet.currentId(), 137);
        QVERIFY(sheet.isVisible());
        QCOMPARE(QApplication::focusWidget(), Control<QComboBox>(page, 1018));

        Control<QComboBox>(page, 1018)->setCurrentIndex(4);
        Click(&sheet, 0x3025);
        QCOMPARE(messages.shown.size(), 2);
        QVERIFY(sheet.isVisible());

        Control<QComboBox>(page, 1038)->setEditText(QStringLiteral("MM.YYYY"));
        Click(&sheet, 0x3025);
        QCOMPARE(messages.shown.size(), 2);
        QCOMPARE(sheet.result(), int(QDialog::Accepted));
        QCOMPARE(sheet.settings().endFormat, std::string("YYYYMMDD"));
        QCOMPARE(sheet.settings().birthFormat, std::string("MM.YYYY"));
    }

    void FixedColumnsRangesAndMarks()
    {
        CTextImportSheet sheet(path, messages);
        sheet.show();
        Click(sheet.currentPage(), 1006);
        sheet.next();
        QWidget* page = sheet.currentPage();
        auto* preview = Control<CFilePreview>(page, 1007);
        QCOMPARE(preview->mode(), CFilePreview::kCharacterRanges);

        const int firstEdits[] = {1011, 1012, 1013, 1025, 1030, 1034};
        const int lastEdits[] = {1014, 1015, 1016, 1027, 1032, 1036};
        const int spins[] = {1019, 1020, 1021, 1026, 1031, 1035, 1022, 1023, 1024, 1028, 1033, 1037};
        for (int role = 0; role < kRoleCount; ++role) {
            const QString start = role < kRoleGroup ? QStringLiteral("1") : QStringLiteral("0");
            QCOMPARE(Control<QLineEdit>(page, firstEdits[role])->text(), start);
            QCOMPARE(Control<QLineEdit>(page, lastEdits[role])->text(), start);
        }
        for (int spin : spins) QCOMPARE(Control<CSpinButton>(page, spin)->upper(), 67);

        SetText(page, 1014, QStringLiteral("10"));
        QCOMPARE(preview->firstMark(kRoleBegin), 1);
        QCOMPARE(preview->lastMark(kRoleBegin), 10);
        QCOMPARE(CellColour(preview, -1, 4), QColor(0, 255, 0));
        QCOMPARE(CellColour(preview, -1, 12), QColor(192, 192, 192));

        // A first position above the last raises the last; a last below the
        // first lowers the first.
        SetText(page, 1012, QStringLiteral("11"));
        QCOMPARE(Control<QLineEdit>(page, 1015)->text(), QStringLiteral("11"));
        SetText(page, 1015, QStringLiteral("20"));
        QCOMPARE(CellColour(preview, -1, 12), QColor(255, 0, 0));
        SetText(page, 1016, QStringLiteral("0"));
        QCOMPARE(Control<QLineEdit>(page, 1013)->text(), QStringLiteral("0"));
        QCOMPARE(preview->firstMark(kRoleStatus), 0);
        Control<CSpinButton>(page, 1021)->StepBy(21);
        QCOMPARE(Control<QLineEdit>(page, 1016)->text(), QStringLiteral("21"));
        QCOMPARE(preview->firstMark(kRoleStatus), 21);

        // An optional role's check box enables its controls and shows its mark.
        QVERIFY(!Control<QLineEdit>(page, 1030)->isEnabled());
        SetChecked(page, 1063);
        QVERIFY(Control<QLineEdit>(page, 1030)->isEnabled() && Control<CSpinButton>(page, 1033)->isEnabled());
        SetText(page, 1032, QStringLiteral("24"));
        SetText(page, 1030, QStringLiteral("24"));
        QCOMPARE(preview->firstMark(kRoleSex), 24);
        QCOMPARE(CellColour(preview, -1, 23), QColor(247, 162, 68));
        SetChecked(page, 1063, false);
        QCOMPARE(preview->firstMark(kRoleSex), 0);
        QCOMPARE(CellColour(preview, -1, 23), QColor(192, 192, 192));

        const TextImportSettings settings = sheet.settings();
        QCOMPARE(settings.format, 1);
        QCOMPARE(settings.beginTo, 10);
        QCOMPARE(settings.endFrom, 11);
        QCOMPARE(settings.endTo, 20);
        QCOMPARE(settings.statusFrom, 21);
        QCOMPARE(settings.sexFrom, 24);
        QVERIFY(!settings.useSex);
    }

    void PreviewOfPlainText()
    {
        CTextImportSheet sheet(path, messages);
        sheet.show();
        auto* preview = Control<CFilePreview>(sheet.currentPage(), 1007);
        QCOMPARE(preview->mode(), CFilePreview::kPlainText);
        QCOMPARE(preview->markCount(), 0);
        QCOMPARE(CellColour(preview, 0, 50), QColor(Qt::white));
        QCOMPARE(CellColour(preview, -1, 0), QColor(192, 192, 192));
        // Ticks: full height at every tenth position, shorter elsewhere.
        const QImage image = preview->grab().toImage();
        const auto tickTop = [&](int position) {
            const int x = preview->CharacterOrigin(0, position - 1).x() + preview->cellWidth() / 2;
            int y = preview->CharacterOrigin(0, 0).y() - 1;
            while (y > 0 && image.pixelColor(x, y - 1) == QColor(Qt::black)) --y;
            return preview->CharacterOrigin(0, 0).y() - y;
        };
        QCOMPARE(tickTop(10), preview->rulerHeight());
        QCOMPARE(tickTop(5), preview->rulerHeight() / 2);
        QCOMPARE(tickTop(3), preview->rulerHeight() / 3);
    }
};

}  // namespace kalderon::testing

QTEST_MAIN(kalderon::testing::TextImportWizardTest)
#include "TextImportWizardTest.moc"
