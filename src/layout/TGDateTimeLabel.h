#pragma once
// The current date and/or time in the locale's short or long formats.

#include <QDateTime>

#include "layout/TGBaseLabel.h"

namespace corvane {

class TGDateTimeLabel : public TGBaseLabel {
  public:
    TGDateTimeLabel();
    std::string_view ClassName() const override { return "TGDateTimeLabel"; }
    const PropertyTable& PublishedProperties() const override;

    TDateFormat DateFormat() const { return FDateFormat; }
    void SetDateFormat(TDateFormat value);
    TTimeFormat TimeFormat() const { return FTimeFormat; }
    void SetTimeFormat(TTimeFormat value);

    // The caption for a moment: the date, then a blank and the time when a time is shown.
    std::string CaptionAt(const QDateTime& moment) const;

    void UpdateMenuChecks() override;
    void BuildMenu() override;
    CommandOutcome Execute(ElementCommand command, int argument = 0) override;

  protected:
    void PrepareCaptionForScreen() override;
    void PrepareCaptionForPrint(PrintSurface& surface) override;

  private:
    TDateFormat FDateFormat = TDateFormat::dtfDateShort;
    TTimeFormat FTimeFormat = TTimeFormat::dtfTimeNone;
};

} // namespace corvane
