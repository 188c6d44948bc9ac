#pragma once
// What a tool window gets of the open address file while the main window lends it: the table,
// its catalogue, the tag id, the record on show, the "Records matching filter" choice, and a
// stepper that moves the main window's record. Never the session itself: what a tool does with
// the table is the hand-over's to undo, and the session's edit buffer, filter and files stay out
// of a tool's reach.

#include <functional>
#include <string>

#include "core/AddressRecord.h"
#include "core/FieldCatalogue.h"
#include "platform/xbase/Table.h"

namespace corvane {

// How the "Records matching filter" choice of the tool window is offered.
struct ScopeChoices {
    bool FilterChoiceEnabled = true;
    bool SelectAllRecords = false; // "All records" selected in place of the window's default
};

enum class RecordStep { First, Previous, Next, Last };

class ToolWindowView {
  public:
    // Moves the record on show; false when the move was not possible.
    using Stepper = std::function<bool(RecordStep)>;
    using CurrentRecordReader = std::function<const AddressRecord&()>;

    ToolWindowView(xbase::Table& table, const FieldCatalogue& catalogue, std::string tagId,
                   CurrentRecordReader current, Stepper stepper, ScopeChoices scope = {});

    bool IsOpen() const { return FTable.IsOpen(); }
    xbase::Table& Table() const { return FTable; }
    const FieldCatalogue& Catalogue() const { return FCatalogue; }
    const std::string& TagId() const { return FTagId; }
    const AddressRecord& CurrentRecord() const { return FCurrent(); }
    const ScopeChoices& Scope() const { return FScope; }
    bool Step(RecordStep step) const { return FStepper(step); }

  private:
    xbase::Table& FTable;
    const FieldCatalogue& FCatalogue;
    std::string FTagId;
    CurrentRecordReader FCurrent;
    Stepper FStepper;
    ScopeChoices FScope;
};

} // namespace corvane
