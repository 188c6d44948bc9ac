#pragma once
// The texts the built-in reports and the current-record printout print for a record, as pure
// functions of its fields, and the memo's word wrap.

#include <string_view>

#include <QDate>
#include <QFont>
#include <QString>
#include <QStringList>

#include "core/AddressRecord.h"

namespace corvane {

// "Smith, John Q.": LNAME + ", ", FNAME + " " and MIDDLE (with "." when it has one), each
// without leading blanks; an empty LNAME leaves the name beginning with ", ".
QString ReportNameValue(const AddressRecord& record);
// Report 1: "City, " when there is a city, "ST  " when there is a state, "ZIP " when there is a ZIP.
QString ReportCityText(const AddressRecord& record);
// Report 4: last name, ", " when there is a last or first name, the prefix and a blank when
// there is a prefix or first name, the first name and a blank, the middle initial with ".".
QString ReportNameText4(const AddressRecord& record);
// Report 4: "Title, Organization"; either alone when the other is empty.
QString ReportTitleText(const AddressRecord& record);
// Report 4: "City, ST, ZIP", leaving out what is empty.
QString ReportCityText4(const AddressRecord& record);
// Report 4: "Ph: 555-1234  Fax: 555-9876  ", leaving out what is empty.
QString ReportPhoneText(const AddressRecord& record);
// Today's date as reports print it: "MM/dd/yyyy".
QString ReportDateText(const QDate& date);

// The lines of a memo word-wrapped at `widthPixels` in `font` on a screen of `ppi` pixels per
// inch (line breaks of the memo kept). A memo that is blank after trimming has no lines.
QStringList WrapReportMemo(const QString& memo, const QFont& font, int widthPixels, double ppi);

} // namespace corvane
