#include "layout/TGCounterLabel.h"

#include <cstdlib>

namespace corvane {

TGCounterLabel::TGCounterLabel()
{
    SetCaption(CounterText());
}

const PropertyTable& TGCounterLabel::PublishedProperties() const
{
    using C = TGCounterLabel;
    static const PropertyTable table(
        BaseLabelProperties(),
        {StringProperty<C>("TextBefore", &C::TextBefore, &C::SetTextBefore),
         StringProperty<C>("TextAfter", &C::TextAfter, &C::SetTextAfter),
         IntegerProperty<C>("Startingnumber", std::nullopt, &C::Startingnumber, &C::SetStartingnumber),
         IntegerProperty<C>("RepeatEach", std::nullopt, &C::RepeatEach, &C::SetRepeatEach),
         IntegerProperty<C>("LeadingZeros", std::nullopt, &C::LeadingZeros, &C::SetLeadingZeros)});
    return table;
}

void TGCounterLabel::SetTextBefore(const std::string& value)
{
    FTextBefore = value;
    Invalidate();
}

void TGCounterLabel::SetTextAfter(const std::string& value)
{
    FTextAfter = value;
    Invalidate();
}

void TGCounterLabel::SetStartingnumber(int32_t value)
{
    FStartingnumber = value;
    // A read counter starts from its stored number but keeps its stored caption.
    if (Loading()) {
        FCurrentNumber = value;
        FCount = 0;
        return;
    }
    ResetSequence();
}

void TGCounterLabel::SetRepeatEach(int32_t value)
{
    FRepeatEach = value;
    Invalidate();
}

void TGCounterLabel::SetLeadingZeros(int32_t value)
{
    FLeadingZeros = value;
    Invalidate();
}

std::string TGCounterLabel::CounterText() const
{
    const int64_t number = FCurrentNumber;
    std::string digits = std::to_string(number < 0 ? -number : number);
    // More than a line of zeros is no longer a number anyone prints.
    const int32_t width = FLeadingZeros > 64 ? 64 : FLeadingZeros;
    if (width > 0 && static_cast<int32_t>(digits.size()) < width)
        digits.insert(0, static_cast<size_t>(width) - digits.size(), '0');
    return FTextBefore + (number < 0 ? "-" : "") + digits + FTextAfter;
}

void TGCounterLabel::ResetSequence()
{
    FCurrentNumber = FStartingnumber;
    FCount = 0;
    SetCaption(CounterText());
    Invalidate();
}

void TGCounterLabel::AdvanceSequence()
{
    if (FRepeatEach < 1)
        return;
    ++FCount;
    if (FCount == FRepeatEach) {
        // Numbers wrap at the ends of the 32-bit range rather than overflow.
        FCurrentNumber = static_cast<int32_t>(static_cast<uint32_t>(FCurrentNumber) + 1u);
        FCount = 0;
        SetCaption(CounterText());
    }
}

void TGCounterLabel::PrepareCaptionForScreen()
{
    SetCaption(CounterText());
}
void TGCounterLabel::PrepareCaptionForPrint(PrintSurface&)
{
    SetCaption(CounterText());
}

void TGCounterLabel::BuildMenu()
{
    TGBaseLabel::BuildMenu();
    Menu().push_back(MenuItem("-"));
    Menu().push_back(MenuItem("Counter Settings", ElementCommand::CounterSettings));
    AppendRotationItems();
    UpdateMenuChecks();
}

} // namespace corvane
