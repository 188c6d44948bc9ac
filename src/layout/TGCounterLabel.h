#pragma once
// A running number between two texts that advances as items are printed.

#include "layout/TGBaseLabel.h"

namespace corvane {

class TGCounterLabel : public TGBaseLabel {
  public:
    TGCounterLabel();
    std::string_view ClassName() const override { return "TGCounterLabel"; }
    const PropertyTable& PublishedProperties() const override;

    const std::string& TextBefore() const { return FTextBefore; }
    void SetTextBefore(const std::string& value);
    const std::string& TextAfter() const { return FTextAfter; }
    void SetTextAfter(const std::string& value);
    int32_t Startingnumber() const { return FStartingnumber; }
    // Stores the value and resets the counter to it.
    void SetStartingnumber(int32_t value);
    int32_t RepeatEach() const { return FRepeatEach; }
    void SetRepeatEach(int32_t value);
    int32_t LeadingZeros() const { return FLeadingZeros; }
    void SetLeadingZeros(int32_t value);

    int32_t CurrentNumber() const { return FCurrentNumber; }
    // TextBefore + the number (at least LeadingZeros digits, zeros after a minus sign) + TextAfter.
    std::string CounterText() const;

    void AdvanceSequence() override;
    void ResetSequence() override;
    void BuildMenu() override;

  protected:
    void PrepareCaptionForScreen() override;
    void PrepareCaptionForPrint(PrintSurface& surface) override;

  private:
    std::string FTextBefore;
    std::string FTextAfter;
    int32_t FStartingnumber = 1;
    int32_t FRepeatEach = 1;
    int32_t FLeadingZeros = 0;
    int32_t FCurrentNumber = 1;
    int32_t FCount = 0;
};

} // namespace corvane
