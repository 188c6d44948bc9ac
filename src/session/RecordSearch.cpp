#include "session/RecordSearch.h"

#include "platform/xbase/Table.h"

namespace corvane {

std::string SearchLabelText(std::string_view orderText)
{
    return "Search " + std::string(orderText) + " starting with...";
}

bool SeekStartingWith(xbase::Table& table, std::string_view text)
{
    if (!table.IsOpen() || text.empty())
        return false;
    // The keys are upper-cased by the table's own rule (UPPER in its code page), so the text is
    // too; a text the code page cannot hold is sought as typed and simply finds its neighbour.
    std::string key(text);
    if (auto bytes = table.TableCodePage().FromUtf8(text, "search text")) {
        std::string upper = bytes.Take();
        table.TableCodePage().UpperInPlace(upper);
        key = table.TableCodePage().ToUtf8(upper);
    }
    table.SetExact(false);
    table.SetSoftSeek(true);
    const uint32_t remembered = table.RecNo();
    auto found = table.Seek(key);
    bool moved = found.Ok() && !table.Eof();
    if (found.Ok() && table.Eof() && remembered > 0)
        (void)table.GoTo(remembered);
    table.SetSoftSeek(false);
    return moved;
}

} // namespace corvane
