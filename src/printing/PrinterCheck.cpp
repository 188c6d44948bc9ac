#include "printing/PrinterCheck.h"

#include "platform/MessageService.h"

namespace corvane {

bool PrinterCheck(const PrinterSource& source)
{
    if (source.PrinterNames().isEmpty()) {
        ShowInfo("There are no installed printers.\r\nUnable to perform printer related operations");
        return false;
    }
    if (source.DefaultPrinterName().isEmpty() && source.DefaultPrinterName().isEmpty()) {
        ShowInfo("There is no default printer selected.\r\nUnable to perform printer related operations");
        return false;
    }
    return true;
}

bool PrinterCheck()
{
    return PrinterCheck(SystemPrinterSource());
}

} // namespace corvane
