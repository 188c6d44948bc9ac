#pragma once
// A panel whose data elements show the current record of a record source, or, with
// DisplayDataValues off, each field's display label in square brackets.

#include "layout/TGBasePanel.h"

namespace corvane {

class LayoutRecordSource;

class TGDataPanel : public TGBasePanel {
  public:
    explicit TGDataPanel(ComponentOwner& owner);

    bool DisplayDataValues() const { return FDisplayDataValues; }
    // Stores the value and refreshes the elements (even when unchanged).
    void SetDisplayDataValues(bool value);

    // The record source (not owned; nullptr: none).
    const LayoutRecordSource* RecordSource() const { return FRecordSource; }
    void SetRecordSource(const LayoutRecordSource* source) { FRecordSource = source; }

    // With an open record source, every element shows the current record; otherwise nothing
    // happens and elements keep their text.
    void RefreshData() override;
    // ShowDataValue on every element, without looking at the record source.
    void ShowAllDataValues();

  private:
    bool FDisplayDataValues = true;
    const LayoutRecordSource* FRecordSource = nullptr;
};

} // namespace corvane
