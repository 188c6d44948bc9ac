#pragma once
// The open address file as an import writes to it: the production index goes first (appending
// without keys is fast, and the tags are built afresh at the end), each imported record is
// appended with its values cut to the file's widths, and the 26 tags are rebuilt at the end
// whatever happened. A batch import can take out everything it appended (Undo) when it fails.

#include <cstdint>
#include <functional>
#include <map>
#include <string>

#include "core/AddressRecord.h"
#include "platform/Result.h"
#include "platform/xbase/Table.h"

namespace corvane {

class AddressAppender {
  public:
    // `table` is the address file, open exclusively.
    explicit AddressAppender(xbase::Table& table);

    // Drops the production index and notes where the appended records begin.
    Status Begin();
    // Appends the record; text values longer than their field are cut to its width. The
    // engine's reason comes back when a value cannot be stored (a character the code page
    // cannot hold names the field).
    Status Append(const AddressRecord& record);
    // Makes the appended records durable (one commit for the whole import).
    Status Commit();
    // Takes out every record appended since Begin().
    Status Undo();
    // The 26 tags afresh; the gauge runs 0..100 over all of them.
    Status RebuildTags(const std::function<void(int gauge)>& gauge);

    uint32_t Appended() const;
    int Width(const std::string& fieldName) const;

  private:
    xbase::Table& FTable;
    uint32_t FStart = 0;
    std::map<std::string, int> FWidths;
};

} // namespace corvane
