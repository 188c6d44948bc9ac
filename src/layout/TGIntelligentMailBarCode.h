#pragma once
// The Intelligent Mail barcode of the current record: barcode ID, service type and Mailer ID as
// set on the element (an empty Mailer ID takes the program's), a serial number from the run's
// counter or from a record field, and the routing code from the record's ZIP. Printed at the
// symbology's nominal size inside its quiet zones, black on white, with the human-readable line
// under it when asked for.

#include <optional>
#include <string>
#include <vector>

#include "layout/IntelligentMailCode.h"
#include "layout/TGGraphicControl.h"

namespace corvane {

class TGBasePanel;

class TGIntelligentMailBarCode : public TGGraphicControl {
  public:
    TGIntelligentMailBarCode();
    std::string_view ClassName() const override { return "TGIntelligentMailBarCode"; }
    const PropertyTable& PublishedProperties() const override;

    const std::string& BarcodeId() const { return FBarcodeId; }
    void SetBarcodeId(const std::string& value) { FBarcodeId = value; }
    const std::string& ServiceType() const { return FServiceType; }
    void SetServiceType(const std::string& value) { FServiceType = value; }
    // Empty: the program's Mailer ID (set by the run).
    const std::string& MailerId() const { return FMailerId; }
    void SetMailerId(const std::string& value) { FMailerId = value; }
    bool SerialFromField() const { return FSerialFromField; }
    void SetSerialFromField(bool value) { FSerialFromField = value; }
    const std::string& SerialField() const { return FSerialField; }
    void SetSerialField(const std::string& value) { FSerialField = value; }
    const std::string& ZipCodeField() const { return FZipCodeField; }
    void SetZipCodeField(const std::string& value) { FZipCodeField = value; }
    bool HumanReadable() const { return FHumanReadable; }
    void SetHumanReadable(bool value);

    // What a run hands every element: the program's Mailer ID and the first serial number.
    void StartRun(const std::string& programMailerId, unsigned long long firstSerial);
    unsigned long long NextSerial() const { return FNextSerial; }
    const std::string& ProgramMailerId() const { return FProgramMailerId; }

    // The record texts (empty until ShowDataValue runs).
    void SetRecordTexts(std::string zip, std::string serial);
    // The fields of the current piece; an error says what is missing or wrong.
    Result<IntelligentMailFields> PieceFields() const;

    void ShowDataValue() override;
    void Paint(ElementPainter& painter) override;
    void PrintOn(PrintSurface& surface, double xInches, double yInches) override;
    // One serial number per printed piece when the counter gives them.
    void AdvanceSequence() override;
    void ResetSequence() override;
    void BuildMenu() override;

  private:
    std::string FBarcodeId = "00";
    std::string FServiceType = "040";
    std::string FMailerId;
    bool FSerialFromField = false;
    std::string FSerialField;
    std::string FZipCodeField = "ZIP";
    bool FHumanReadable = true;

    std::string FProgramMailerId;
    unsigned long long FFirstSerial = 1;
    unsigned long long FNextSerial = 1;
    std::string FZipText;
    std::string FSerialText;
};

// What the element's dialog edits, and its check as the user types: "" when the values can make
// a code, else what is wrong (an empty Mailer ID stands for the program's and passes).
struct IntelligentMailElementSettings {
    std::string BarcodeId = "00";
    std::string ServiceType = "040";
    std::string MailerId;
    bool SerialFromField = false;
    std::string SerialField;
    std::string ZipCodeField = "ZIP";
    bool HumanReadable = true;
};
IntelligentMailElementSettings ReadIntelligentMailSettings(const TGIntelligentMailBarCode& code);
void ApplyIntelligentMailSettings(TGIntelligentMailBarCode& code,
                                  const IntelligentMailElementSettings& settings);
std::string IntelligentMailSettingsProblem(const IntelligentMailElementSettings& settings);

// The element's size in inches: the symbol with its quiet zones, and the human-readable line.
double IntelligentMailElementWidthInches();
double IntelligentMailElementHeightInches(bool humanReadable);

// Hands every Intelligent Mail element of the panel the program's Mailer ID and the first serial.
void StartIntelligentMailRun(TGBasePanel& panel, const std::string& programMailerId,
                             unsigned long long firstSerial);
// "" when every Intelligent Mail element of the panel can print (after StartIntelligentMailRun),
// else what stops the first that cannot (no Mailer ID anywhere, values that make no code).
std::string IntelligentMailRunProblem(const TGBasePanel& panel);
// What a run does around its pieces, with the program's settings: before, hand every barcode the
// Mailer ID and the first serial (the problem text when one cannot print, else ""); between
// pieces where counters do not step, step the barcodes alone; after a print that drew pieces,
// store the first unused serial ("" or why it could not be stored).
class Settings;
std::string PrepareIntelligentMailRun(TGBasePanel& panel, const Settings& settings);
void AdvanceIntelligentMailSerials(TGBasePanel& panel);
std::string FinishIntelligentMailRun(const TGBasePanel& panel, const Settings& settings);
// The first serial number no piece of the run used (the highest of the panel's counters); empty
// when the panel has no element that counts.
std::optional<unsigned long long> NextIntelligentMailSerial(const TGBasePanel& panel);

} // namespace corvane
