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
#include "import/ui/WizardControls.h"
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
        QCOMPARE(sheet.currentId(), CTextImportPage1::kId);
        QVERIFY(Shown(sheet, QWizard::NextButton));
        QVERIFY(!Shown(sheet, QWizard::BackButton));
        QVERIFY(!Shown(sheet, QWizard::FinishButton));

        Click(&sheet, CTextImportSheet::kNextButton);
        QCOMPARE(sheet.currentId(), CTextImportPage2A::kId);
        QVERIFY(Shown(sheet, QWizard::BackButton) && Shown(sheet, QWizard::NextButton));
        sheet.next();
        QCOMPARE(sheet.currentId(), CTextImportPage3A::kId);
        QVERIFY(Shown(sheet, QWizard::BackButton) && Shown(sheet, QWizard::FinishButton));
        QVERIFY(!Shown(sheet, QWizard::NextButton));
        sheet.back();
        QCOMPARE(sheet.currentId(), CTextImportPage2A::kId);
        sheet.back();
        QCOMPARE(sheet.currentId(), CTextImportPage1::kId);

        Click(sheet.currentPage(), CTextImportPage1::kFixedColumnsRadio);
        sheet.next();
        QCOMPARE(sheet.currentId(), CTextImportPage2B::kId);
        QVERIFY(Shown(sheet, QWizard::BackButton) && Shown(sheet, QWizard::FinishButton));
        Click(&sheet, CTextImportSheet::kBackButton);
        QCOMPARE(sheet.currentId(), CTextImportPage1::kId);
        QCOMPARE(sheet.settings().format, 1);
    }

    void SeparatorChoices()
    {
        CTextImportSheet sheet(path, messages);
        sheet.show();
        sheet.next();
        QWidget* page = sheet.currentPage();
        CTextImportPage2A* page2A = sheet.page2A();
        auto* other = Control<QLineEdit>(page, CTextImportPage2A::kOtherSeparator);
        QVERIFY(Control<QRadioButton>(page, CTextImportPage2A::kSemicolonRadio)->isChecked());
        QVERIFY(!other->isEnabled());
        QCOMPARE(other->text(), QStringLiteral(";"));
        QCOMPARE(Control<QRadioButton>(page, CTextImportPage2A::kSemicolonRadio)->text(), QStringLiteral("\";\""));
        QCOMPARE(Control<QRadioButton>(page, CTextImportPage2A::kCommaRadio)->text(), QStringLiteral("\",\""));
        QCOMPARE(Control<QRadioButton>(page, CTextImportPage2A::kSpaceRadio)->text(), QStringLiteral("\" \""));
        QCOMPARE(Control<QRadioButton>(page, CTextImportPage2A::kTabRadio)->text(), QStringLiteral("tab"));
        QCOMPARE(Control<QRadioButton>(page, CTextImportPage2A::kOtherRadio)->text(), QStringLiteral("other:"));

        const struct {
            int radio;
            std::string separator;
        } choices[] = {{CTextImportPage2A::kCommaRadio, ","},
                       {CTextImportPage2A::kSpaceRadio, " "},
                       {CTextImportPage2A::kTabRadio, "\t"},
                       {CTextImportPage2A::kSemicolonRadio, ";"}};
        for (const auto& choice : choices) {
            Click(page, choice.radio);
            QCOMPARE(page2A->separator, choice.separator);
            QCOMPARE(other->text().toStdString(), choice.separator);
            QVERIFY(!other->isEnabled());
            QCOMPARE(Control<CFilePreview>(page, wizard_page::kPreview)->separator(), choice.separator.front());
        }

        Click(page, CTextImportPage2A::kOtherRadio);
        QVERIFY(other->isEnabled());
        QCOMPARE(page2A->separator, std::string());
        QCOMPARE(page2A->separatorChoice, 4);
        QCOMPARE(Control<CFilePreview>(page, wizard_page::kPreview)->separator(), '\0');
        SetText(page, CTextImportPage2A::kOtherSeparator, QStringLiteral("|"));
        QCOMPARE(page2A->separator, std::string("|"));
        QCOMPARE(Control<CFilePreview>(page, wizard_page::kPreview)->separator(), '|');
        QCOMPARE(other->maxLength(), 1);

        // The next page's preview cuts at the separator chosen here.
        sheet.next();
        QCOMPARE(Control<CFilePreview>(sheet.currentPage(), wizard_page::kPreview)->separator(), '|');
        QCOMPARE(sheet.settings().separator, std::string("|"));
    }

    void SeparatorPageChecksByKeyboard()
    {
        CTextImportSheet sheet(path, messages);
        sheet.show();
        QVERIFY(QTest::qWaitForWindowActive(&sheet));
        sheet.next();
        QWidget* page = sheet.currentPage();
        auto* names = Control<QCheckBox>(page, CTextImportPage2A::kFirstLineNames);
        auto* quotes = Control<QCheckBox>(page, CTextImportPage2A::kQuotedFields);
        // The first line of this file is a case: nothing is proposed.
        QVERIFY(!names->isChecked() && !quotes->isChecked());
        Control<QRadioButton>(page, CTextImportPage2A::kSemicolonRadio)->setFocus();
        QStringList order;
        for (int i = 0; i < 3; ++i) {
            QTest::keyClick(sheet.focusWidget(), Qt::Key_Tab);
            order << sheet.focusWidget()->objectName();
        }
        QCOMPARE(order, ControlNames({CTextImportPage2A::kFirstLineNames, CTextImportPage2A::kQuotedFields,
                                      wizard_page::kPreview}));
        QTest::keyClick(&sheet, Qt::Key_L, Qt::AltModifier);
        QTRY_VERIFY(names->isChecked());
        QVERIFY(quotes->isChecked());
        QTest::keyClick(&sheet, Qt::Key_Q, Qt::AltModifier);
        QTRY_VERIFY(!quotes->isChecked());
        const TextImportSettings settings = sheet.settings();
        QVERIFY(settings.firstLineNames && !settings.quotedFields);
        QTest::keyClick(sheet.focusWidget(), Qt::Key_Escape);
        QVERIFY(!sheet.isVisible());
        QCOMPARE(sheet.result(), int(QDialog::Rejected));
    }

    void FreeFormatColumnsAndMarks()
    {
        CTextImportSheet sheet(path, messages);
        sheet.show();
        sheet.next();
        sheet.next();
        QWidget* page = sheet.currentPage();
        auto* preview = Control<CFilePreview>(page, wizard_page::kPreview);
        QCOMPARE(preview->maxLineLength(), 67);

        const int edits[] = {CTextImportPage3A::kBeginColumn, CTextImportPage3A::kEndColumn,
                             CTextImportPage3A::kStatusColumn, CTextImportPage3A::kGroupColumn,
                             CTextImportPage3A::kSexColumn, CTextImportPage3A::kBirthColumn};
        const int spins[] = {CTextImportPage3A::kBeginColumnSpin, CTextImportPage3A::kEndColumnSpin,
                             CTextImportPage3A::kStatusColumnSpin, CTextImportPage3A::kGroupColumnSpin,
                             CTextImportPage3A::kSexColumnSpin, CTextImportPage3A::kBirthColumnSpin};
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
        for (int check : {RoleAssignmentPage::kUseGroup, RoleAssignmentPage::kUseSex, RoleAssignmentPage::kUseBirth})
            QVERIFY(!Control<QCheckBox>(page, check)->isChecked());
        for (int combo : {RoleAssignmentPage::kBeginPattern, RoleAssignmentPage::kEndPattern,
                          RoleAssignmentPage::kBirthPattern}) {
            auto* patterns = Control<QComboBox>(page, combo);
            QVERIFY(patterns->isEditable());
            QCOMPARE(patterns->currentText(), QStringLiteral("DD.MM.YYYY"));
            QCOMPARE(patterns->count(), 5);
            QCOMPARE(patterns->itemText(4), QStringLiteral("YYYYMMDD"));
        }
        QVERIFY(!Control<QComboBox>(page, RoleAssignmentPage::kBirthPattern)->isEnabled());

        // Field colours: begin green, end red, status yellow, an unused field grey.
        QCOMPARE(CellColour(preview, 0, 0), QColor(0, 255, 0));
        QCOMPARE(CellColour(preview, 0, 11), QColor(255, 102, 102));  // red lightened behind text
        QCOMPARE(CellColour(preview, 0, 22), QColor(255, 255, 0));
        QCOMPARE(CellColour(preview, 0, 24), QColor(192, 192, 192));

        SetChecked(page, RoleAssignmentPage::kUseGroup);
        QVERIFY(Control<QLineEdit>(page, CTextImportPage3A::kGroupColumn)->isEnabled());
        QVERIFY(Control<CSpinButton>(page, CTextImportPage3A::kGroupColumnSpin)->isEnabled());
        QCOMPARE(preview->fieldMark(kRoleGroup), 4);
        QCOMPARE(CellColour(preview, 0, 24), QColor(128, 192, 255));
        SetText(page, CTextImportPage3A::kGroupColumn, QStringLiteral("6"));
        QCOMPARE(preview->fieldMark(kRoleGroup), 6);
        QCOMPARE(CellColour(preview, 1, 34), QColor(128, 192, 255));  // field 6 of the second line
        QCOMPARE(CellColour(preview, 0, 24), QColor(192, 192, 192));
        Control<CSpinButton>(page, CTextImportPage3A::kStatusColumnSpin)->StepBy(1);  // status to field 4
        QCOMPARE(preview->fieldMark(kRoleStatus), 4);
        QCOMPARE(sheet.page3A()->statusColumn, 4);
        SetChecked(page, RoleAssignmentPage::kUseGroup, false);
        QCOMPARE(preview->fieldMark(kRoleGroup), 0);
        QVERIFY(!Control<QLineEdit>(page, CTextImportPage3A::kGroupColumn)->isEnabled());

        SetChecked(page, RoleAssignmentPage::kUseBirth);
        SetChecked(page, RoleAssignmentPage::kUseSex);
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
        Control<QLineEdit>(page, CTextImportPage3A::kBeginColumn)->setFocus();
        // Each check box comes before the numbers it enables; the disabled
        // ones are passed over.
        QCOMPARE(tabs(7), ControlNames({RoleAssignmentPage::kBeginPattern, CTextImportPage3A::kEndColumn,
                                        RoleAssignmentPage::kEndPattern, CTextImportPage3A::kStatusColumn,
                                        RoleAssignmentPage::kUseGroup, RoleAssignmentPage::kUseSex,
                                        RoleAssignmentPage::kUseBirth}));
        // Tab then Space from the status column switches the grouping variable on ...
        Control<QLineEdit>(page, CTextImportPage3A::kStatusColumn)->setFocus();
        QCOMPARE(tabs(1), ControlNames({RoleAssignmentPage::kUseGroup}));
        QTest::keyClick(sheet.focusWidget(), Qt::Key_Space);
        QVERIFY(Control<QCheckBox>(page, RoleAssignmentPage::kUseGroup)->isChecked());
        QVERIFY(sheet.isVisible());
        // ... and the next Tab goes into its column number.
        QCOMPARE(tabs(2), ControlNames({CTextImportPage3A::kGroupColumn, RoleAssignmentPage::kUseSex}));

        // Labels carry mnemonics that go to their numbers or check boxes.
        QStringList labels;
        for (int role = 0; role < kRoleCount; ++role) {
            auto* label = page->findChild<QLabel*>(QStringLiteral("roleLabel%1").arg(role));
            labels << label->text() + QLatin1Char(' ') + label->buddy()->objectName();
        }
        QCOMPARE(labels, QStringList({"&Date of beginning of follow-up " + ControlName(CTextImportPage3A::kBeginColumn),
                                      "Date of &end of follow-up " + ControlName(CTextImportPage3A::kEndColumn),
                                      "&Status at end of follow-up " + ControlName(CTextImportPage3A::kStatusColumn),
                                      "&Grouping variable " + ControlName(RoleAssignmentPage::kUseGroup),
                                      "Gender &variable * " + ControlName(RoleAssignmentPage::kUseSex),
                                      "Date of bi&rth * " + ControlName(RoleAssignmentPage::kUseBirth)}));
        QTest::keyClick(&sheet, Qt::Key_S, Qt::AltModifier);
        QCOMPARE(sheet.focusWidget()->objectName(), ControlName(CTextImportPage3A::kStatusColumn));
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
        auto* preview = Control<CFilePreview>(sheet.currentPage(), wizard_page::kPreview);
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

        Control<QComboBox>(page, RoleAssignmentPage::kEndPattern)->setEditText(QStringLiteral("DD-MM-YY"));
        // The date of birth is tested even though it is not used.
        Control<QComboBox>(page, RoleAssignmentPage::kBirthPattern)->setEditText(QStringLiteral("YYYY"));
        Click(&sheet, CTextImportSheet::kFinishButton);
        QCOMPARE(messages.shown, QStringList({QStringLiteral("Date format must contain at least MM and YYYY! ")}));
        QCOMPARE(sheet.currentId(), CTextImportPage3A::kId);
        QVERIFY(sheet.isVisible());
        QCOMPARE(QApplication::focusWidget(), Control<QComboBox>(page, RoleAssignmentPage::kEndPattern));

        Control<QComboBox>(page, RoleAssignmentPage::kEndPattern)->setCurrentIndex(4);
        Click(&sheet, CTextImportSheet::kFinishButton);
        QCOMPARE(messages.shown.size(), 2);
        QVERIFY(sheet.isVisible());

        Control<QComboBox>(page, RoleAssignmentPage::kBirthPattern)->setEditText(QStringLiteral("MM.YYYY"));
        Click(&sheet, CTextImportSheet::kFinishButton);
        QCOMPARE(messages.shown.size(), 2);
        QCOMPARE(sheet.result(), int(QDialog::Accepted));
        QCOMPARE(sheet.settings().endFormat, std::string("YYYYMMDD"));
        QCOMPARE(sheet.settings().birthFormat, std::string("MM.YYYY"));
    }

    void FixedColumnsRangesAndMarks()
    {
        CTextImportSheet sheet(path, messages);
        sheet.show();
        Click(sheet.currentPage(), CTextImportPage1::kFixedColumnsRadio);
        sheet.next();
        QWidget* page = sheet.currentPage();
        auto* preview = Control<CFilePreview>(page, wizard_page::kPreview);
        QCOMPARE(preview->mode(), CFilePreview::kCharacterRanges);

        const int firstEdits[] = {CTextImportPage2B::kBeginFrom, CTextImportPage2B::kEndFrom,
                                  CTextImportPage2B::kStatusFrom, CTextImportPage2B::kGroupFrom,
                                  CTextImportPage2B::kSexFrom, CTextImportPage2B::kBirthFrom};
        const int lastEdits[] = {CTextImportPage2B::kBeginTo, CTextImportPage2B::kEndTo, CTextImportPage2B::kStatusTo,
                                 CTextImportPage2B::kGroupTo, CTextImportPage2B::kSexTo, CTextImportPage2B::kBirthTo};
        const int spins[] = {CTextImportPage2B::kBeginFromSpin, CTextImportPage2B::kEndFromSpin,
                             CTextImportPage2B::kStatusFromSpin, CTextImportPage2B::kGroupFromSpin,
                             CTextImportPage2B::kSexFromSpin, CTextImportPage2B::kBirthFromSpin,
                             CTextImportPage2B::kBeginToSpin, CTextImportPage2B::kEndToSpin,
                             CTextImportPage2B::kStatusToSpin, CTextImportPage2B::kGroupToSpin,
                             CTextImportPage2B::kSexToSpin, CTextImportPage2B::kBirthToSpin};
        for (int role = 0; role < kRoleCount; ++role) {
            const QString start = role < kRoleGroup ? QStringLiteral("1") : QStringLiteral("0");
            QCOMPARE(Control<QLineEdit>(page, firstEdits[role])->text(), start);
            QCOMPARE(Control<QLineEdit>(page, lastEdits[role])->text(), start);
        }
        for (int spin : spins) QCOMPARE(Control<CSpinButton>(page, spin)->upper(), 67);

        SetText(page, CTextImportPage2B::kBeginTo, QStringLiteral("10"));
        QCOMPARE(preview->firstMark(kRoleBegin), 1);
        QCOMPARE(preview->lastMark(kRoleBegin), 10);
        QCOMPARE(CellColour(preview, -1, 4), QColor(0, 255, 0));
        QCOMPARE(CellColour(preview, -1, 12), QColor(192, 192, 192));

        // A first position above the last raises the last; a last below the
        // first lowers the first.
        SetText(page, CTextImportPage2B::kEndFrom, QStringLiteral("11"));
        QCOMPARE(Control<QLineEdit>(page, CTextImportPage2B::kEndTo)->text(), QStringLiteral("11"));
        SetText(page, CTextImportPage2B::kEndTo, QStringLiteral("20"));
        QCOMPARE(CellColour(preview, -1, 12), QColor(255, 0, 0));
        SetText(page, CTextImportPage2B::kStatusTo, QStringLiteral("0"));
        QCOMPARE(Control<QLineEdit>(page, CTextImportPage2B::kStatusFrom)->text(), QStringLiteral("0"));
        QCOMPARE(preview->firstMark(kRoleStatus), 0);
        Control<CSpinButton>(page, CTextImportPage2B::kStatusFromSpin)->StepBy(21);
        QCOMPARE(Control<QLineEdit>(page, CTextImportPage2B::kStatusTo)->text(), QStringLiteral("21"));
        QCOMPARE(preview->firstMark(kRoleStatus), 21);

        // An optional role's check box enables its controls and shows its mark.
        QVERIFY(!Control<QLineEdit>(page, CTextImportPage2B::kSexFrom)->isEnabled());
        SetChecked(page, RoleAssignmentPage::kUseSex);
        QVERIFY(Control<QLineEdit>(page, CTextImportPage2B::kSexFrom)->isEnabled() &&
                Control<CSpinButton>(page, CTextImportPage2B::kSexToSpin)->isEnabled());
        SetText(page, CTextImportPage2B::kSexTo, QStringLiteral("24"));
        SetText(page, CTextImportPage2B::kSexFrom, QStringLiteral("24"));
        QCOMPARE(preview->firstMark(kRoleSex), 24);
        QCOMPARE(CellColour(preview, -1, 23), QColor(247, 162, 68));
        SetChecked(page, RoleAssignmentPage::kUseSex, false);
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
        auto* preview = Control<CFilePreview>(sheet.currentPage(), wizard_page::kPreview);
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
