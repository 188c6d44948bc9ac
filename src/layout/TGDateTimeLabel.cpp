#include "layout/TGDateTimeLabel.h"

#include <QLocale>

#include "layout/LayoutQt.h"

namespace corvane {

TGDateTimeLabel::TGDateTimeLabel()
{
    SetCaption({});
}

const PropertyTable& TGDateTimeLabel::PublishedProperties() const
{
    using C = TGDateTimeLabel;
    static const PropertyTable table(
        BaseLabelProperties(),
        {EnumProperty<C, TDateFormat>("DateFormat", std::nullopt, &C::DateFormat, &C::SetDateFormat),
         EnumProperty<C, TTimeFormat>("TimeFormat", std::nullopt, &C::TimeFormat, &C::SetTimeFormat)});
    return table;
}

void TGDateTimeLabel::SetDateFormat(TDateFormat value)
{
    FDateFormat = value;
    Invalidate();
}

void TGDateTimeLabel::SetTimeFormat(TTimeFormat value)
{
    FTimeFormat = value;
    Invalidate();
}

std::string TGDateTimeLabel::CaptionAt(const QDateTime& moment) const
{
    const QLocale locale = QLocale::system();
    QString caption;
    if (FDateFormat == TDateFormat::dtfDateShort)
        caption = locale.toString(moment.date(), QLocale::ShortFormat);
    if (FDateFormat == TDateFormat::dtfDateLong)
        caption = locale.toString(moment.date(), QLocale::LongFormat);
    if (FTimeFormat == TTimeFormat::dtfTimeShort)
        caption += QLatin1Char(' ') + locale.toString(moment.time(), QLocale::ShortFormat);
    if (FTimeFormat == TTimeFormat::dtfTimeLong)
        caption += QLatin1Char(' ') + locale.toString(moment.time(), QLocale::LongFormat);
    return FromQString(caption);
}

void TGDateTimeLabel::PrepareCaptionForScreen()
{
    SetCaption(CaptionAt(QDateTime::currentDateTime()));
}
void TGDateTimeLabel::PrepareCaptionForPrint(PrintSurface&)
{
    SetCaption(CaptionAt(QDateTime::currentDateTime()));
}

void TGDateTimeLabel::BuildMenu()
{
    TGBaseLabel::BuildMenu();
    Menu().push_back(MenuItem("-"));
    ElementMenuItem date;
    date.Caption = "Date Format";
    date.Items = {MenuItem("No Date", ElementCommand::DateFormat, 0),
                  MenuItem("Windows Short Date", ElementCommand::DateFormat, 1),
                  MenuItem("Windows Long Date", ElementCommand::DateFormat, 2)};
    Menu().push_back(date);
    ElementMenuItem time;
    time.Caption = "Time Format";
    time.Items = {MenuItem("No Time", ElementCommand::TimeFormat, 0),
                  MenuItem("Windows Short Time", ElementCommand::TimeFormat, 1),
                  MenuItem("Windows Long Time", ElementCommand::TimeFormat, 2)};
    Menu().push_back(time);
    UpdateMenuChecks();
}

void TGDateTimeLabel::UpdateMenuChecks()
{
    TGBaseLabel::UpdateMenuChecks();
    for (int i = 0; i < 3; ++i) {
        if (ElementMenuItem* item = FindMenuItem(Menu(), ElementCommand::DateFormat, i))
            item->Checked = static_cast<int>(FDateFormat) == i;
        if (ElementMenuItem* item = FindMenuItem(Menu(), ElementCommand::TimeFormat, i))
            item->Checked = static_cast<int>(FTimeFormat) == i;
    }
}

CommandOutcome TGDateTimeLabel::Execute(ElementCommand command, int argument)
{
    if (command == ElementCommand::DateFormat && FindMenuItem(Menu(), command, argument)) {
        SetDateFormat(static_cast<TDateFormat>(argument));
        NotifyChanged();
        UpdateMenuChecks();
        return CommandOutcome::Done;
    }
    if (command == ElementCommand::TimeFormat && FindMenuItem(Menu(), command, argument)) {
        SetTimeFormat(static_cast<TTimeFormat>(argument));
        NotifyChanged();
        UpdateMenuChecks();
        return CommandOutcome::Done;
    }
    return TGBaseLabel::Execute(command, argument);
}

} // namespace corvane
