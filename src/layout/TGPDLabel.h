#pragma once
// One field of the current record, found by its display label (DataFieldDescript).

#include "layout/TGBaseLabel.h"

namespace corvane {

class TGPDLabel : public TGBaseLabel {
  public:
    TGPDLabel();
    std::string_view ClassName() const override { return "TGPDLabel"; }
    const PropertyTable& PublishedProperties() const override;

    const std::string& DataFieldName() const { return FDataFieldName; }
    void SetDataFieldName(const std::string& value) { FDataFieldName = value; }
    const std::string& DataFieldDescript() const { return FDataFieldDescript; }
    void SetDataFieldDescript(const std::string& value) { FDataFieldDescript = value; }
    int32_t LengthOfText() const { return FLengthOfText; }
    void SetLengthOfText(int32_t value) { FLengthOfText = value; }

    void ShowDataValue() override;
    void ClearDataValue() override;
    void BuildMenu() override;

  private:
    std::string FDataFieldName;
    std::string FDataFieldDescript;
    int32_t FLengthOfText = 0;
};

} // namespace corvane
