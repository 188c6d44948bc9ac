#include <gtest/gtest.h>

#include <functional>

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>

#include "platform/windows/QtMessageService.h"

namespace corvane {
namespace {

struct SeenBox {
    QString Caption;
    QString Text;
    QMessageBox::StandardButtons Buttons;
    QMessageBox::StandardButton Default = QMessageBox::NoButton;
};

// Waits for the next modal message box, notes what it shows, and presses `answer`.
void AnswerNextBox(SeenBox& seen, QMessageBox::StandardButton answer)
{
    auto* poll = new QTimer;
    poll->setInterval(10);
    QObject::connect(poll, &QTimer::timeout, [poll, &seen, answer] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (!box)
            return;
        poll->stop();
        poll->deleteLater();
        seen.Caption = box->windowTitle();
        seen.Text = box->text();
        seen.Buttons = box->standardButtons();
        if (box->defaultButton())
            seen.Default = box->standardButton(box->defaultButton());
        box->button(answer)->click();
    });
    poll->start();
}

TEST(QtMessageService, InformationBoxHasItsCaptionAndAnOkButton)
{
    QtMessageService service;
    SeenBox seen;
    AnswerNextBox(seen, QMessageBox::Ok);
    service.ShowInfo("Clone completed.\r\nCurrent record is an exact copy");
    EXPECT_EQ(seen.Caption, "Information");
    EXPECT_EQ(seen.Text, "Clone completed.\nCurrent record is an exact copy");
    EXPECT_EQ(seen.Buttons, QMessageBox::StandardButtons(QMessageBox::Ok));
}

struct QuestionCase {
    const char* Name;
    bool DefaultNo;
    QMessageBox::StandardButton Press;
    QMessageBox::StandardButton ExpectedDefault;
    bool ExpectedAnswer;
};

class QuestionTest : public ::testing::TestWithParam<QuestionCase> {};

TEST_P(QuestionTest, DefaultButtonAndAnswer)
{
    const QuestionCase& row = GetParam();
    QtMessageService service;
    SeenBox seen;
    AnswerNextBox(seen, row.Press);
    const bool answer = row.DefaultNo ? service.AskYesNoDefaultNo("Continue adding?", "Possible Duplicate")
                                      : service.AskYesNo("Delete this record?", "DELETE");
    EXPECT_EQ(answer, row.ExpectedAnswer);
    EXPECT_EQ(seen.Caption, row.DefaultNo ? "Possible Duplicate" : "DELETE");
    EXPECT_EQ(seen.Buttons, QMessageBox::Yes | QMessageBox::No);
    EXPECT_EQ(seen.Default, row.ExpectedDefault);
}

INSTANTIATE_TEST_SUITE_P(
    Questions, QuestionTest,
    ::testing::Values(QuestionCase{"YesDefaultAnsweredYes", false, QMessageBox::Yes, QMessageBox::Yes, true},
                      QuestionCase{"YesDefaultAnsweredNo", false, QMessageBox::No, QMessageBox::Yes, false},
                      QuestionCase{"NoDefaultAnsweredYes", true, QMessageBox::Yes, QMessageBox::No, true},
                      QuestionCase{"NoDefaultAnsweredNo", true, QMessageBox::No, QMessageBox::No, false}),
    [](const auto& info) { return std::string(info.param.Name); });

} // namespace
} // namespace corvane
