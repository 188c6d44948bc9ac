#pragma once
// The user's envelope setups: rows of ENVELOPE.DBF, each owning one layout file BIN#####.E in
// sysdata. Reading and writing a row, choosing a layout file name, and New / Modify / Clone /
// Delete as table-and-file work without windows: the "Print Envelope" window asks the questions
// (their texts are in core/LayoutFiles.h, shared with labels) and calls these.

#include <string>
#include <string_view>

#include "core/LayoutBinaryNames.h"
#include "core/LayoutFiles.h"
#include "envelopes/EnvelopeSetup.h"
#include "platform/Result.h"
#include "platform/xbase/Table.h"

namespace corvane {

class TGBasePanel;

// The query that shows the setups not marked deleted.
inline constexpr std::string_view EnvelopeSetupListQuery = "not DELETED()";
// Told when a setup's layout file is gone (printing refuses).
inline constexpr std::string_view EnvelopeDefinitionRemovedMessage =
    "Envelope definition file has been removed from the sysdata directory";
inline constexpr std::string_view EnvelopeClonePrefix = "Clone of ";

// The current row (description cut to 50 characters). An error at the end of the table.
Result<EnvelopeSetup> ReadEnvelopeSetup(const xbase::Table& table);
// The working copy when no row is current: "Envelope #10", code 20, no layout file.
EnvelopeSetup NoEnvelopeSetup();
// Writes DESCRIPT, NUMBER and BINARY into the current row and commits it.
Status WriteEnvelopeSetup(xbase::Table& table, const EnvelopeSetup& setup);

// The first free "BIN#####.E" (see NextLayoutBinaryName).
inline Result<std::string> NextEnvelopeBinaryName(xbase::Table& table, const std::string& sysdataFolder)
{
    return NextLayoutBinaryName(table, sysdataFolder, LayoutKind::Envelope);
}

// The layout of a setup made without the designer: one address block in the postal address area
// (from half an inch past the left edge, or 9.75 inches left of the right edge on wide envelopes,
// to half an inch from the right; from 2.75 inches above the bottom to 0.625 above it), the panel
// sized to the envelope.
void AddAddressBlockInAddressArea(TGBasePanel& panel, int code);

class EnvelopeSetupStore {
  public:
    // `sysdataFolder` ends in "/"; SystemDataDirectory() when empty.
    explicit EnvelopeSetupStore(xbase::Table& table, std::string sysdataFolder = {});

    xbase::Table& Table() const { return FTable; }
    const std::string& SysdataFolder() const { return FSysdata; }
    // The full path of the setup's layout file; empty when it has no name.
    std::string LayoutFilePath(const EnvelopeSetup& setup) const;
    bool LayoutFileExists(const EnvelopeSetup& setup) const;

    // The current row, or NoEnvelopeSetup() when none is current.
    EnvelopeSetup Current() const;
    Result<std::string> NextBinaryName() { return NextEnvelopeBinaryName(FTable, FSysdata); }

    // New: the working copy of a new setup of that size ("<New envelope>", a fresh file name).
    Result<EnvelopeSetup> PrepareNew(int code);
    // Modify: the current setup; when its file is missing it gets a fresh name (and starts with an
    // empty layout). `fileExists` says which case it was.
    Result<EnvelopeSetup> PrepareModify(bool& fileExists);

    // Save of the designer: the layout (record-derived text cleared) goes to the setup's file
    // first, then a new row is appended or the current one rewritten. A new setup whose file
    // cannot be written adds no row; one whose row cannot be written leaves no new file and at
    // most a deletion-marked row.
    Status SaveSetup(EnvelopeSetup setup, TGBasePanel& layout, bool isNew);

    // Clone of the current row: its layout file is copied whole under a fresh name (nothing is
    // copied when it is missing), then a row "Clone of <description>" of the same size is
    // appended and is current afterwards. A failure says why and leaves neither file nor row.
    Result<EnvelopeSetup> CloneCurrent();

    // Delete of the current row: the row gets the deletion mark and its layout file, when it
    // exists, is removed.
    Status DeleteCurrent();

  private:
    Status AppendSetup(const EnvelopeSetup& setup, const std::string& newFile);

    xbase::Table& FTable;
    std::string FSysdata;
};

} // namespace corvane
