// "Dial Phone &1" and "Dial Phone &2": on offer on a shown record, each opening the dialing window
// with that record's number.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include <QLineEdit>
#include <QPushButton>

#include "app/FindingHarness.h"
#include "dialer/windows/TCVDialer.h"

namespace corvane {
namespace {

using testing::AnswerModal;
using testing::Person;

class DialWiringTest : public testing::FindingTest {};

TEST_F(DialWiringTest, EachButtonOpensTheDialingWindowWithItsNumber)
{
    TAddressMain& window = Start({{{"LNAME", "adams"}, {"PHONE", "555-0100"}, {"PHONE2", "555-0200"}}});
    const auto& later = TAddressMain::LaterCommands();
    for (const auto& [name, number] : {std::pair{"DialPhone1Button", "555-0100"}, {"DialPhone2Button", "555-0200"}}) {
        EXPECT_EQ(std::count(later.begin(), later.end(), std::string(name)), 0) << name;
        auto* button = window.findChild<QPushButton*>(name);
        ASSERT_TRUE(button->isEnabled()) << name;
        QString shown;
        EXPECT_TRUE(AnswerModal(
            [&](QWidget* modal) {
                auto* dialer = qobject_cast<TCVDialer*>(modal);
                ASSERT_NE(dialer, nullptr);
                shown = dialer->NumberEdit->text();
                dialer->CancelButton->click();
            },
            [&] { button->click(); }))
            << name;
        EXPECT_EQ(shown.toStdString(), number);
    }
}

} // namespace
} // namespace corvane
