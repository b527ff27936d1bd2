// The unit labels of the setup dialog: as it opens, after a unit switch, and after each box is
// left, for the eye and for assistive technology.
#include "tests/Environment.h"
#include "tests/WorkDirectory.h"
#include "ui/setup/SetupDialogTemplate.h"
#include "ui/setup/SetupDlg.h"

#include <QAbstractButton>
#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QTest>
#include <gtest/gtest.h>
#include <memory>
#include <string>

namespace {

// Ten fields: the unit code first, then the values; the millimetre values differ from the
// tenths, so a box shows which unit it was filled from.
std::string FileInUnit(const char* unit) {
    return std::string(unit) + "004000010000000200000000010000030005";
}

TEST(SetupDlgUnits, EveryLabelFollowsTheUnitAndLeavingABoxKeepsIt) {
    const struct {
        const char* file; // empty: no settings file
        int click;        // the unit button clicked after opening, or 0
        const char* label;
        const char* length;
    } rows[] = {
        {"", 0, "mm", "0"},
        {"", IDC_UNIT_INCH, "0.1inch", "0"},
        {"0000", 0, "0.1inch", "40"},
        {"0000", IDC_UNIT_MM, "mm", "100"},
        {"0001", IDC_UNIT_INCH, "0.1inch", "40"},
    };
    const int boxes[] = {IDC_LENGTH, IDC_GAP, IDC_CUT_OFFSET, IDC_TEAR, IDC_LENGTH};
    for (const auto& row : rows) {
        SCOPED_TRACE(std::string(row.file) + " then " + std::to_string(row.click));
        const WorkDirectory dir;
        ScopedEnvironment environment;
        environment.UnsetPorts();
        if (*row.file != '\0') {
            WriteFile("Trovanel.ini", FileInUnit(row.file));
        }
        const auto dialog = std::make_unique<CSetupDlg>();
        int messages = 0;
        dialog->SetMessagePresenter([&messages](QWidget*, const DialogMessage&) { ++messages; });
        dialog->Create();
        ASSERT_TRUE(QTest::qWaitForWindowActive(dialog.get()));
        const auto edit = [&](int id) { return qobject_cast<QLineEdit*>(dialog->GetDlgItem(id)); };
        if (row.click != 0) {
            QTest::mouseClick(dialog->GetDlgItem(row.click), Qt::LeftButton);
        }
        const int checked = std::string(row.label) == "mm" ? IDC_UNIT_MM : IDC_UNIT_INCH;
        EXPECT_TRUE(qobject_cast<QAbstractButton*>(dialog->GetDlgItem(checked))->isChecked());
        EXPECT_EQ(edit(IDC_LENGTH)->text(), row.length);
        for (const int left : boxes) {
            QTest::mouseClick(edit(left), Qt::LeftButton);
            QTest::keyClick(edit(left), Qt::Key_Tab);
            for (const auto& [box, unit] : {std::pair{IDC_LENGTH, IDC_LENGTH_UNIT},
                                            {IDC_GAP, IDC_GAP_UNIT},
                                            {IDC_TEAR, IDC_TEAR_UNIT}}) {
                SCOPED_TRACE(left);
                EXPECT_EQ(qobject_cast<QLabel*>(dialog->GetDlgItem(unit))->text(), row.label);
                EXPECT_EQ(edit(box)->accessibleDescription(), row.label);
            }
            EXPECT_EQ(edit(IDC_CUT_OFFSET)->accessibleDescription(), "pixel");
        }
        EXPECT_EQ(edit(IDC_LENGTH)->text(), row.length);
        EXPECT_EQ(messages, 0);
    }
}

} // namespace
