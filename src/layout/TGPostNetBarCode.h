#pragma once
// The POSTNET bar code of the current record's ZIP code (with the delivery-point digits from the
// street address for the 11-digit type).

#include <string>

#include "layout/TGGraphicControl.h"

namespace corvane {

class TGPostNetBarCode : public TGGraphicControl {
  public:
    TGPostNetBarCode();
    std::string_view ClassName() const override { return "TGPostNetBarCode"; }
    const PropertyTable& PublishedProperties() const override;

    const std::string& ZipCodeField() const { return FZipCodeField; }
    void SetZipCodeField(const std::string& value) { FZipCodeField = value; }
    const std::string& AddressField() const { return FAddressField; }
    void SetAddressField(const std::string& value) { FAddressField = value; }
    TPostNetBarCodeType BarCodeType() const { return FBarCodeType; }
    void SetBarCodeType(TPostNetBarCodeType value) { FBarCodeType = value; }

    // The texts of the current record (empty until ShowDataValue runs).
    const std::string& ZipText() const { return FZipText; }
    const std::string& AddressText() const { return FAddressText; }
    void SetRecordTexts(std::string zip, std::string address);

    void ShowDataValue() override;
    void Paint(ElementPainter& painter) override;
    void PrintOn(PrintSurface& surface, double xInches, double yInches) override;

  private:
    std::string FZipCodeField;
    std::string FAddressField;
    TPostNetBarCodeType FBarCodeType = TPostNetBarCodeType::pnbc11Digit;
    std::string FZipText;
    std::string FAddressText;
};

} // namespace corvane
