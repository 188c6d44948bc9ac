#pragma once
// The four built-in list reports and the current-record printout, drawn on a report page.
//
//     BuiltInReportPrinter printer(page, options);
//     printer.Begin();                  // margins, columns, the first page's header
//     for (each record) if (!printer.PrintRecord(record)) break;

#include <array>
#include <bitset>
#include <string_view>
#include <vector>

#include <QDate>
#include <QFont>
#include <QString>

#include "core/AddressRecord.h"
#include "printing/pages/ReportPage.h"

namespace corvane {

// The list texts of the four reports, in the order of the "Select Report:" list.
inline constexpr std::array<std::string_view, 4> BuiltInReportNames = {
    "1. Name,Address,City,State,Zip,Phone", "2. Name,Organization,Phone,Fax",
    "3. Organization,Name,Phone,Fax ", "4. All major fields (takes several lines)"};
// "Report 1" ... "Report 4".
QString DefaultReportTitle(int report);

struct BuiltInReportOptions {
    int Report = 1; // 1 to 4
    QString Title = QStringLiteral("Report 1");
    bool PrintMemo = false;
    bool PrintCodes = false;
    double ScreenPpi = 96; // the memo wraps as on this screen
    QDate Today = QDate::currentDate();
};

// The report's column widths in inches, left to right.
std::vector<double> BuiltInReportColumnWidths(int report);

class BuiltInReportPrinter {
  public:
    // The page is borrowed and outlives the printer.
    BuiltInReportPrinter(ReportPage& page, BuiltInReportOptions options);

    // Margins, body font, section, memo width and columns; prints the page header.
    void Begin();
    // The record's lines, codes and memo (new pages as needed). False when the page could not
    // go on (the job was aborted or the device failed).
    bool PrintRecord(const AddressRecord& record);
    void PrintHeader();

    // The memo wrap width in screen pixels.
    int MemoWidthPixels() const;
    QFont BodyFont() const;

  private:
    bool EnsureLines(int lines);
    void SetBodySection();
    void UseReportColumns();
    void UseFullWidthColumn(double innerMargin);
    bool PrintCodesAndMemo(const AddressRecord& record);

    ReportPage& FPage;
    BuiltInReportOptions FOptions;
};

// The 21 field switches of "Print Current Record", in order.
inline constexpr std::array<std::string_view, 21> CurrentRecordSwitchCaptions = {
    "Prefix",    "Last",   "First",          "Middle",          "Title",   "Organization", "Address 1",
    "Address 2", "City",   "State/Province", "Zip/Postal Code", "Country", "Phone 1",      "Phone 2",
    "Fax",       "E-mail", "Comment 1",      "Comment 2",       "Codes",   "Date",         "Memo"};
inline constexpr int CurrentRecordMemoSwitch = 20;
using CurrentRecordFields = std::bitset<21>;
inline CurrentRecordFields AllCurrentRecordFields()
{
    return CurrentRecordFields().set();
}

// The labels printed before the 20 values, and the value of switch `index` (0 to 19).
inline constexpr std::array<std::string_view, 20> CurrentRecordLabels = {
    "Prefix",    "Last",   "First",     "Middle",     "Title",   "Organization", "Address 1",
    "Address 2", "City",   "State",     "Zip/Postal", "Country", "Phone 1",      "Phone 2",
    "Fax",       "E-Mail", "Comment 1", "Comment 2",  "Codes",   "Date"};
QString CurrentRecordValue(const AddressRecord& record, int index);

struct CurrentRecordOptions {
    CurrentRecordFields Fields = AllCurrentRecordFields();
    double ScreenPpi = 96;
    QDate Today = QDate::currentDate();
};

// The current record's printout: header, the chosen fields, the memo (going on over pages).
// False when the page could not go on.
bool PrintCurrentRecord(ReportPage& page, const AddressRecord& record, const CurrentRecordOptions& options);

} // namespace corvane
