#pragma once
// The records a printed product goes through, one after another: the scope's query, the start
// record and, for a presorted run, groups of records each led by a separator. Labels walk it
// today; envelopes and reports walk the same stream.
//
//     RecordStream stream(table);
//     if (Status opened = stream.Open(scope, startFromCurrent, PrintingWindow::Labels); !opened) ...
//     // presorted: order the table by the key, then stream.UseGroups(groups, keyOf)
//     while (stream.Current() != RecordStream::Item::End) {
//         if (stream.Current() == RecordStream::Item::Separator) ... stream.SeparatorText() ...
//         else ... stream.Record() ...
//         if (Status next = stream.Next(); !next) ...
//     }
//     stream.Restore(); // or leave it to the destructor
//
// The stream lives in the session layer because scopes are the session's. Presort groups come
// from the bulk-mail reader, a subsystem above the session that the session must not link: the
// caller reads the presort list and hands its groups in as plain RecordGroups, with the function
// that gives a record's key (for presorting, the ZIP key), so no bulk-mail type crosses down.

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "core/AddressRecord.h"
#include "core/TableCursorState.h"
#include "platform/Result.h"
#include "platform/xbase/Table.h"
#include "session/RecordScope.h"

namespace corvane {

inline constexpr std::string_view StartOutOfRangeMessage =
    "Current record is out of range. Starting with first record";

// A heading (printed as a separator) and the keys of its records, in the order they print. Each
// key is sought in the table's current order.
struct RecordGroup {
    std::string Heading;
    std::vector<std::string> Keys;
};

// The key of the table's current record, compared with the key sought.
using RecordKeyOf = std::function<Result<std::string>(xbase::Table& table)>;

class RecordStream {
  public:
    enum class Item { Record, Separator, End };

    // The table is borrowed and outlives the stream.
    explicit RecordStream(xbase::Table& table);
    ~RecordStream();
    RecordStream(const RecordStream&) = delete;
    RecordStream& operator=(const RecordStream&) = delete;

    // Remembers the table's query, order and record, sets the scope's query and moves to the
    // start record: with startFromCurrent the remembered record when the scope lets it through
    // (otherwise StartOutOfRangeMessage is shown and the walk starts at the first record).
    Status Open(RecordScope scope, bool startFromCurrent, PrintingWindow window);
    bool IsOpen() const { return FOpen; }
    // The table as it was before Open.
    const TableCursorState& Remembered() const { return FRemembered; }

    // From here on the walk goes group by group: each group's separator, then the records of
    // each of its keys in turn (the table must be ordered by the key; records whose key is in no
    // group are left out). A key without records is passed over; the walk ends after the last
    // group.
    Status UseGroups(std::vector<RecordGroup> groups, RecordKeyOf keyOf);

    Item Current() const;
    // The current separator's heading.
    const std::string& SeparatorText() const { return FGroupText; }
    // The current record, read from the table.
    Result<AddressRecord> Record() const;
    // Goes past the current item. A failure ends the walk.
    Status Next();

    // Puts the table's query, order and record back. Runs once; the destructor calls it.
    Status Restore();

  private:
    Status NextGroup();
    Status Ended(Status failure);

    xbase::Table& FTable;
    TableCursorState FRemembered;
    bool FOpen = false;
    bool FGrouped = false;
    // The group lines still to use (headings flagged) and the current line's text.
    struct Line {
        std::string Text;
        bool Heading = false;
    };
    std::vector<Line> FLines;
    size_t FNextLine = 0;
    std::string FGroupText;
    bool FSeparatorPending = false;
    RecordKeyOf FKeyOf;
};

} // namespace corvane
