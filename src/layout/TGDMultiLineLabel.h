#pragma once
// The text of a memo field of the current record, laid out in lines.

#include "layout/TGMultiLineBaseLabel.h"

namespace corvane {

class TGDMultiLineLabel : public TGMultiLineBaseLabel {
  public:
    TGDMultiLineLabel() = default;
    std::string_view ClassName() const override { return "TGDMultiLineLabel"; }
    const PropertyTable& PublishedProperties() const override;

    const std::string& DataFieldName() const { return FDataFieldName; }
    void SetDataFieldName(const std::string& value) { FDataFieldName = value; }
    const std::string& DataFieldDescript() const { return FDataFieldDescript; }
    void SetDataFieldDescript(const std::string& value) { FDataFieldDescript = value; }

    std::string_view Placeholder() const override { return "<blank memo>"; }
    void ShowDataValue() override;
    void ClearDataValue() override;
    // The memo is laid out again from the record.
    void Rewrap() override;
    void BuildMenu() override;

  private:
    std::string FDataFieldName;
    std::string FDataFieldDescript;
};

} // namespace corvane
