#include "designing/DesignSession.h"

#include "layout/DesignGeometry.h"
#include "layout/TGDataPanel.h"
#include "session/ToolWindowView.h"

namespace corvane {

DesignSession::DesignSession(TGDataPanel& panel, const ToolWindowView* addresses, DesignZoom zoom,
                             std::string fontSection, bool stepCounters)
    : FDataPanel(panel), FAddresses(addresses), FZoom(zoom), FFontSection(std::move(fontSection)),
      FStepCounters(stepCounters)
{
    LoadRecord();
    FDataPanel.SetRecordSource(&FRecordSource);
}

DesignSession::~DesignSession()
{
    if (FDataPanel.RecordSource() == &FRecordSource)
        FDataPanel.SetRecordSource(nullptr);
}

void DesignSession::PanelChanged()
{
    if (!FActivating)
        MarkChanged();
}

bool DesignSession::ZoomIn()
{
    if (FZoomPercent > FZoom.Maximum - FZoom.Step)
        return false;
    return SetZoomPercent(FZoomPercent + FZoom.Step);
}

bool DesignSession::ZoomOut()
{
    if (FZoomPercent < FZoom.Minimum + FZoom.Step)
        return false;
    return SetZoomPercent(FZoomPercent - FZoom.Step);
}

bool DesignSession::SetZoomPercent(int percent)
{
    if (percent < FZoom.Minimum || percent > FZoom.Maximum || percent == FZoomPercent)
        return false;
    ActivatingScope quiet(*this);
    FZoomPercent = percent;
    if (ApplyZoom)
        ApplyZoom(percent);
    else
        FDataPanel.SetZoom(ZoomFactorOf(percent));
    return true;
}

QString DesignSession::ZoomCaption() const
{
    return QString::number(FZoomPercent) + "%";
}

bool DesignSession::HasRecords() const
{
    return FAddresses && FAddresses->IsOpen();
}

void DesignSession::LoadRecord()
{
    if (HasRecords()) {
        FRecordSource =
            AddressRecordSource(FAddresses->Catalogue(), FAddresses->CurrentRecord(), FAddresses->TagId());
    } else {
        FRecordSource = AddressRecordSource();
        FRecordSource.SetOpen(false);
    }
}

void DesignSession::MoveRecord(RecordButton button)
{
    ActivatingScope quiet(*this);
    if (HasRecords()) {
        static constexpr RecordStep Steps[] = {RecordStep::First, RecordStep::Previous, RecordStep::Next,
                                               RecordStep::Last};
        (void)FAddresses->Step(Steps[static_cast<int>(button)]);
    }
    LoadRecord();
    FDataPanel.RefreshData();
    if (!FStepCounters)
        return;
    if (button == RecordButton::First)
        FDataPanel.ResetSequences();
    else
        FDataPanel.AdvanceSequences();
}

void DesignSession::ShowRecordValues()
{
    ActivatingScope quiet(*this);
    LoadRecord();
    FDataPanel.ShowAllDataValues();
}

DesignDefaultFont DesignSession::ReadDefaultFont(const Settings& settings) const
{
    return ReadDesignDefaultFont(settings, FFontSection.c_str());
}

bool DesignSession::WriteDefaultFont(const Settings& settings, const DesignDefaultFont& font) const
{
    return WriteDesignDefaultFont(settings, FFontSection.c_str(), font);
}

} // namespace corvane
