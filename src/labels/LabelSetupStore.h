#pragma once
// The user's label setups: rows of LABEL.DBF, each owning one layout file BIN#####.L in sysdata.
// Reading and writing a row, choosing a layout file name, and the New / Modify / Clone / Delete
// operations as table-and-file work without windows: the "Print Labels" window asks the
// questions (their texts are here) and calls these.

#include <set>
#include <string>
#include <string_view>

#include "core/LayoutBinaryNames.h"
#include "core/LayoutFiles.h"
#include "labels/LabelSetup.h"
#include "platform/Result.h"
#include "platform/xbase/Table.h"

namespace corvane {

class TGBasePanel;

// The query that shows the setups not marked deleted.
inline constexpr std::string_view LabelSetupListQuery = "not DELETED()";
// Told when a setup's layout file is gone (Clone and printing refuse).
inline constexpr std::string_view LabelDefinitionRemovedMessage =
    "Label definition file has been removed from the sysdata directory";
// The sheet name shown for a setup without a template.
inline constexpr std::string_view UserDefinedSheetName = "[User Defined]";
inline constexpr std::string_view CloneDescriptionPrefix = "Clone of :";

// The template description, or "[User Defined]" when it is empty.
QString SheetName(const LabelSetup& setup);

// Cuts the strings of a setup to what the working copy holds: description 50 characters,
// printer code 2, paper code 5, template description 60.
void CutLabelSetupStrings(LabelSetup& setup);

// The current row of the setup table (strings cut as above).
Result<LabelSetup> ReadLabelSetup(const xbase::Table& table);
// A sheet has at most 300 positions (10 across by 30 down); a setup edited beyond that in
// LABEL.DBF is refused by name rather than printed with its later positions left empty.
Status CheckLabelPositions(const LabelSetup& setup);
// Writes the setup into the current row. The eight lengths go through 3-decimal fixed-point text
// first, so stored values are rounded to 3 decimals; the middle extras go in unrounded (the column
// itself keeps 3 decimals). The row is written to disk (committed).
Status WriteLabelSetup(xbase::Table& table, const LabelSetup& setup);

// The first free "BIN#####.L" (see NextLayoutBinaryName).
inline Result<std::string> NextLabelBinaryName(xbase::Table& table, const std::string& sysdataFolder)
{
    return NextLayoutBinaryName(table, sysdataFolder, LayoutKind::Label);
}
inline Result<std::string> FirstFreeLabelBinaryName(const std::set<std::string>& taken)
{
    return FirstFreeLayoutBinaryName(taken, LayoutKind::Label);
}

// The layout of a setup made without the designer: one address block filling the label (inside a
// small margin so no line touches the label's edge), the panel sized to the label.
void AddAddressBlockFillingLabel(TGBasePanel& panel, const LabelSetup& setup);

// The setup operations on one open setup table and the sysdata folder its layout files live in.
class LabelSetupStore {
  public:
    // `sysdataFolder` ends in "/"; SystemDataDirectory() when empty.
    explicit LabelSetupStore(xbase::Table& table, std::string sysdataFolder = {});

    xbase::Table& Table() const { return FTable; }
    const std::string& SysdataFolder() const { return FSysdata; }
    // The full path of the setup's layout file; empty when it has no name.
    std::string LayoutFilePath(const LabelSetup& setup) const;
    bool LayoutFileExists(const LabelSetup& setup) const;

    // Reads the current setup row for designing, cloning or printing: a setup of more positions
    // than a sheet may have is refused (CheckLabelPositions).
    Result<LabelSetup> Current() const;
    Result<std::string> NextBinaryName() { return NextLabelBinaryName(FTable, FSysdata); }

    // Modify without the new-setup flag: the layout file name to edit under. When the setup's file
    // is missing it gets a fresh name (it then starts with an empty layout); `fileExists` says
    // which case it was.
    Status PrepareModify(LabelSetup& setup, bool& fileExists);

    // Save of the designer: for a new setup a row is appended, for a modified one the current row
    // is rewritten; the layout (record-derived text cleared) is written to the setup's layout file,
    // which must be named. A new setup whose file cannot be written adds no row; one whose row
    // cannot be written leaves no file and at most a deletion-marked row, never a listed one.
    Status SaveSetup(LabelSetup setup, TGBasePanel& layout, bool isNew);

    // Clone of the current row: its layout is loaded into `scratch` (cleared first), a row
    // "Clone of :<description>" (cut to 50) is appended under a fresh layout file name, and the
    // layout saved there; the new row is current afterwards. A missing layout file gives the
    // error LabelDefinitionRemovedMessage and changes nothing.
    Result<LabelSetup> CloneCurrent(TGBasePanel& scratch);

    // Delete of the current row: the row gets the deletion mark and its layout file, when it
    // exists, is removed.
    Status DeleteCurrent();

  private:
    xbase::Table& FTable;
    std::string FSysdata;
};

} // namespace corvane
