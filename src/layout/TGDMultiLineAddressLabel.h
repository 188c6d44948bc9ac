#pragma once
// The address block: the lines of a postal address from the current record, leaving out what is
// switched off or empty, so that empty lines close up.

#include <vector>

#include "core/AddressRecord.h"
#include "layout/TGMultiLineBaseLabel.h"

namespace corvane {

class TGDMultiLineAddressLabel : public TGMultiLineBaseLabel {
  public:
    TGDMultiLineAddressLabel() = default;
    std::string_view ClassName() const override { return "TGDMultiLineAddressLabel"; }
    const PropertyTable& PublishedProperties() const override;

    bool UseName() const { return FUseName; }
    void SetUseName(bool value) { FUseName = value; }
    bool UseTitle() const { return FUseTitle; }
    void SetUseTitle(bool value) { FUseTitle = value; }
    bool UseCompany() const { return FUseCompany; }
    void SetUseCompany(bool value) { FUseCompany = value; }
    bool UseStreet() const { return FUseStreet; }
    void SetUseStreet(bool value) { FUseStreet = value; }
    bool UseStreet2() const { return FUseStreet2; }
    void SetUseStreet2(bool value) { FUseStreet2 = value; }
    bool UseCityState() const { return FUseCityState; }
    void SetUseCityState(bool value) { FUseCityState = value; }
    bool UseZip() const { return FUseZip; }
    void SetUseZip(bool value) { FUseZip = value; }
    bool UsePhone() const { return FUsePhone; }
    void SetUsePhone(bool value) { FUsePhone = value; }
    bool UseCountry() const { return FUseCountry; }
    void SetUseCountry(bool value) { FUseCountry = value; }
    TZipOptions ZipOptions() const { return FZipOptions; }
    void SetZipOptions(TZipOptions value) { FZipOptions = value; }
    bool UpperCase() const { return FUpperCase; }
    void SetUpperCase(bool value) { FUpperCase = value; }

    // The lines of an address by the element's switches (values without trailing blanks).
    std::vector<std::string> AddressLines(const AddressRecord& record) const;

    void ShowDataValue() override;
    void ClearDataValue() override;
    void BuildMenu() override;

  private:
    bool FUseName = true;
    bool FUseTitle = true;
    bool FUseCompany = true;
    bool FUseStreet = true;
    bool FUseStreet2 = true;
    bool FUseCityState = true;
    bool FUseZip = true;
    bool FUsePhone = false;
    bool FUseCountry = true;
    TZipOptions FZipOptions = TZipOptions::zoAfterState;
    bool FUpperCase = false;
};

} // namespace corvane
