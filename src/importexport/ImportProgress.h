#pragma once
// What a window (or the batch tool) gives an import or export loop: where the gauge goes and
// how a Cancel reaches it. The loop reports after every record and then asks whether to stop;
// a window lets the user interface process input in the report, so Cancel takes effect after
// the current record.

#include <cstdint>
#include <functional>
#include <string>

namespace corvane {

struct JobControl {
    std::function<void(int gauge)> Progress;        // 0..100
    std::function<bool()> CancelRequested;          // true: stop after this record
    std::function<void(const std::string&)> Status; // the status label's text

    void Report(int gauge) const
    {
        if (Progress)
            Progress(gauge);
    }
    bool Cancelled() const { return CancelRequested && CancelRequested(); }
    void Say(const std::string& text) const
    {
        if (Status)
            Status(text);
    }
};

// The gauge value trunc(done / total × 100), 0 for an empty total.
inline int GaugeOf(uint64_t done, uint64_t total)
{
    return total == 0 ? 0 : static_cast<int>(done * 100 / total);
}

// How an import ended. Message is the closing message shown to the user; Detail names the line
// or record and field where a failure happened (empty otherwise).
struct ImportResult {
    uint32_t Imported = 0;
    bool Cancelled = false;
    bool Failed = false;
    std::string Message;
    std::string Detail;

    // Message, with Detail on a line of its own when there is one.
    std::string FullMessage() const { return Detail.empty() ? Message : Message + "\n" + Detail; }
};

inline constexpr const char* ImportingStatus = "Importing records";
inline constexpr const char* RebuildingIndexesImportStatus = "Rebuilding Indexes ";
inline constexpr const char* NoOpenFileMessage = "You need to have a database file open first";

// The closing messages every import shares.
std::string ImportCompleteMessage(uint32_t count);
std::string ImportCancelledMessage(uint32_t count);

} // namespace corvane
