#include <gtest/gtest.h>

#include <QPrinter>

#include "platform/MessageService.h"
#include "printing/PrinterCheck.h"

namespace corvane {
namespace {

// Answers the default-printer question from a queue, so a test can say what the first and the
// second query report.
class FakePrinterSource : public PrinterSource {
  public:
    FakePrinterSource(QStringList names, QStringList defaults)
        : FNames(std::move(names)), FDefaults(std::move(defaults))
    {
    }
    QStringList PrinterNames() const override { return FNames; }
    QString DefaultPrinterName() const override
    {
        ++DefaultQueries;
        return FDefaults.isEmpty() ? QString() : FDefaults.takeFirst();
    }
    mutable int DefaultQueries = 0;

  private:
    QStringList FNames;
    mutable QStringList FDefaults;
};

struct PrinterCheckCase {
    const char* Name;
    QStringList Printers;
    QStringList DefaultAnswers; // what successive default queries report
    bool Passes;
    std::string Message; // empty: none
};

class PrinterCheckTest : public ::testing::TestWithParam<PrinterCheckCase> {};

TEST_P(PrinterCheckTest, PassesOrSaysWhy)
{
    const PrinterCheckCase& row = GetParam();
    RecordingMessageService messages;
    ScopedMessageService installed(messages);
    FakePrinterSource source(row.Printers, row.DefaultAnswers);

    EXPECT_EQ(PrinterCheck(source), row.Passes);
    if (row.Message.empty()) {
        EXPECT_TRUE(messages.Messages.empty());
    } else {
        ASSERT_EQ(messages.Messages.size(), 1u);
        EXPECT_EQ(messages.Messages[0].MessageKind, RecordingMessageService::Message::Kind::Info);
        EXPECT_EQ(messages.Messages[0].Text, row.Message);
    }
    EXPECT_LE(source.DefaultQueries, 2);
}

const std::string NoPrinters =
    "There are no installed printers.\r\nUnable to perform printer related operations";
const std::string NoDefault =
    "There is no default printer selected.\r\nUnable to perform printer related operations";

INSTANTIATE_TEST_SUITE_P(
    Sources, PrinterCheckTest,
    ::testing::Values(PrinterCheckCase{"PrinterAndDefault", {"Office", "Corvane PDF"}, {"Office"}, true, ""},
                      PrinterCheckCase{"NoPrinters", {}, {"Office"}, false, NoPrinters},
                      PrinterCheckCase{"NoDefault", {"Office"}, {}, false, NoDefault},
                      PrinterCheckCase{"DefaultOnSecondQuery", {"Office"}, {"", "Office"}, true, ""},
                      PrinterCheckCase{
                          "DefaultOnlyOnThirdQuery", {"Office"}, {"", "", "Office"}, false, NoDefault}),
    [](const auto& info) { return std::string(info.param.Name); });

TEST(SystemPrinterSource, AlwaysOffersThePdfPrinterAndADefault)
{
    SystemPrinterSource source;
    const QStringList names = source.PrinterNames();
    EXPECT_EQ(names.count(BuiltInPdfPrinterName()), 1);
    EXPECT_EQ(names.back(), BuiltInPdfPrinterName());
    EXPECT_TRUE(names.contains(source.DefaultPrinterName()));

    RecordingMessageService messages;
    ScopedMessageService installed(messages);
    EXPECT_TRUE(PrinterCheck());
    EXPECT_TRUE(messages.Messages.empty());
}

TEST(SelectPrinter, ThePdfPrinterWritesPdfAndUnknownNamesChangeNothing)
{
    QPrinter printer;
    ASSERT_TRUE(SelectPrinter(printer, BuiltInPdfPrinterName()));
    EXPECT_EQ(printer.outputFormat(), QPrinter::PdfFormat);

    const QString before = printer.printerName();
    EXPECT_FALSE(SelectPrinter(printer, "No such printer 4711"));
    EXPECT_EQ(printer.outputFormat(), QPrinter::PdfFormat);
    EXPECT_EQ(printer.printerName(), before);
}

} // namespace
} // namespace corvane
