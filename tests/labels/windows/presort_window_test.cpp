// The presort window over a small address file: it writes the list and closes by itself,
// "Cancel" asks and stops the reading, and a list it cannot write is reported.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include "bulkmail/Presort.h"
#include "bulkmail/windows/TSortBulkMail.h"
#include "platform/MessageService.h"
#include "support/AddressTableFixture.h"
#include "support/ScratchHome.h"

namespace corvane {
namespace {

using testing::Person;

std::string FileBytes(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

class PresortWindowTest : public ::testing::Test {
  protected:
    void SetUp() override
    {
        std::vector<Person> people;
        for (int i = 0; i < 10; ++i)
            people.push_back({{"LNAME", "Ten"}, {"ZIP", "12345"}});
        for (int i = 0; i < 9; ++i)
            people.push_back({{"LNAME", "Nine"}, {"ZIP", "12346"}});
        people.push_back({{"LNAME", "Letters"}, {"ZIP", "ABCDE"}});
        FPath = FHome.File("mail.dbf");
        testing::MakeAddressFile(FPath, people);
        ASSERT_TRUE(FTable.Open(FPath));
        ASSERT_TRUE(FTable.SetOrder(FTable.OrderNumber("LNAME")));
    }

    testing::ScratchHome FHome;
    RecordingMessageService FMessages;
    ScopedMessageService FInstalled{FMessages};
    std::string FPath;
    xbase::Table FTable;
};

TEST_F(PresortWindowTest, ShownModallyItWritesTheListAndClosesByItself)
{
    TSortBulkMail window(FTable);
    EXPECT_EQ(window.windowTitle(), "Bulk Mail Presorting");
    EXPECT_TRUE(window.StatusLabel->font().bold());
    // exec() returns only because the window closes itself once the list is written.
    EXPECT_EQ(window.exec(), QDialog::Accepted);
    EXPECT_EQ(window.Result(), PresortResult::Completed);
    EXPECT_EQ(window.StatusLabel->text(), "Sorting Zip Codes...");
    EXPECT_EQ(FileBytes(PresortListPath()), "** 5-digit 12345\r\n12345\r\n** ADC ALBANY NY 120\r\n12346\r\n");
    EXPECT_EQ(FTable.Order(), 0) << "the reading runs in record order";
    EXPECT_TRUE(FMessages.Messages.empty());
}

TEST_F(PresortWindowTest, CancelAnsweredYesStopsTheReadingAndKeepsTheEarlierList)
{
    {
        std::ofstream earlier(PresortListPath(), std::ios::binary);
        earlier << "12345\r\n";
    }
    FMessages.Answers = {true};
    TSortBulkMail window(FTable);
    QTimer::singleShot(0, window.CancelButton,
                       [&] { QTest::mouseClick(window.CancelButton, Qt::LeftButton); });
    EXPECT_EQ(window.Run(), PresortResult::Cancelled);
    ASSERT_EQ(FMessages.Messages.size(), 1u);
    EXPECT_EQ(FMessages.Messages[0].Text, "Cancel PRESORT?");
    EXPECT_EQ(FileBytes(PresortListPath()), "12345\r\n");
}

TEST_F(PresortWindowTest, CancelAnsweredNoGoesOn)
{
    FMessages.Answers = {false};
    TSortBulkMail window(FTable);
    QTimer::singleShot(0, window.CancelButton,
                       [&] { QTest::mouseClick(window.CancelButton, Qt::LeftButton); });
    EXPECT_EQ(window.Run(), PresortResult::Completed);
    EXPECT_EQ(FMessages.Texts(), std::vector<std::string>{"Cancel PRESORT?"});
}

TEST_F(PresortWindowTest, AListThatCannotBeWrittenIsReported)
{
    // A folder in the list's place cannot be replaced by a file.
    std::filesystem::create_directory(PresortListPath());
    std::ofstream(PresortListPath() + "/keep") << "x";
    TSortBulkMail window(FTable);
    EXPECT_EQ(window.exec(), QDialog::Rejected);
    EXPECT_EQ(window.Result(), PresortResult::Failed);
    ASSERT_EQ(FMessages.Messages.size(), 1u);
    EXPECT_NE(FMessages.Messages[0].Text.find("Cannot write the presort list"), std::string::npos);
}

} // namespace
} // namespace corvane
