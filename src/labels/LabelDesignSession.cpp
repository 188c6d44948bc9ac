#include "labels/LabelDesignSession.h"

#include <cmath>

#include "labels/LabelArt.h"
#include "layout/TGIntelligentMailBarCode.h"
#include "layout/TGLabelPanel.h"
#include "layout/TGPostNetBarCode.h"
#include "platform/MessageService.h"
#include "platform/Settings.h"
#include "session/ToolWindowView.h"

namespace corvane {

const char* const PostNetToolRefusal =
    "This label is not wide enough for a \rpostnet barcode. At least 2.85 inches are needed";
const char* const IntelligentMailToolRefusal =
    "This label is not wide enough for an \rIntelligent Mail barcode. At least 3.18 inches are needed";
const char* const PostNetRemovalWarning =
    "Warning: This label is not wide enough for a \rpostnet barcode. At least 2.85 inches are needed";
const char* const NewLabelMessage =
    "A new label has been created using the Avery 5160\rformat. To change to another label format, "
    "click on\rthe Change Layout button.\r\rA Database Mailing Address object has already been "
    "\radded to the label.\r\rFor additional assistance, click the Help button";

QString LayoutName(const LabelSetup& setup)
{
    if (setup.Manufacturer.trimmed().compare("USER", Qt::CaseInsensitive) == 0)
        return "User Defined Label Layout";
    return setup.TemplateDescription;
}

TLabelShape PanelShapeOfCode(const QString& code)
{
    if (code == "RR")
        return TLabelShape::lsRoundRect;
    if (code == "SR")
        return TLabelShape::lsRectangle;
    return TLabelShape::lsEllipse;
}

QString CutDescription(const QString& text)
{
    return text.left(DescriptionLength);
}

PixelRect LabelPixelSize(double pixelsPerInch, double heightInches, double widthInches)
{
    return {0, 0, static_cast<int32_t>(std::lround(widthInches * pixelsPerInch)),
            static_cast<int32_t>(std::lround(heightInches * pixelsPerInch))};
}

bool SetLabelSizeFromInches(TGLabelPanel& panel, double heightInches, double widthInches,
                            const QString& shapeCode)
{
    const TLabelShape shape = PanelShapeOfCode(shapeCode);
    const PixelRect size = LabelPixelSize(panel.PixelsPerInch(), heightInches, widthInches);
    if (panel.DesignWidth() == size.Width && panel.DesignHeight() == size.Height && panel.Shape() == shape)
        return false;
    panel.SetShape(shape);
    // Set at zoom 1.0, so that the zoomed size follows from the real one.
    panel.SetDesignSize(size.Width, size.Height);
    return true;
}

LabelDesignSession::LabelDesignSession(TGLabelPanel& panel, const LabelSetup& setup,
                                       const ToolWindowView* addresses)
    : FPanel(panel), FSetup(setup), FAddresses(addresses)
{
    LoadRecord();
    FPanel.SetRecordSource(&FRecordSource);
}

LabelDesignSession::~LabelDesignSession()
{
    if (FPanel.RecordSource() == &FRecordSource)
        FPanel.SetRecordSource(nullptr);
}

void LabelDesignSession::PanelChanged()
{
    if (!FActivating)
        MarkChanged();
}

void LabelDesignSession::DescriptionEdited(const QString& text)
{
    FSetup.Description = CutDescription(text);
    MarkChanged();
}

bool LabelDesignSession::ApplyLabelSize()
{
    if (!ApplySize)
        return SetLabelSizeFromInches(FPanel, FSetup.LabelHeight, FSetup.LabelWidth, FSetup.Shape);
    const PixelRect size = LabelPixelSize(FPanel.PixelsPerInch(), FSetup.LabelHeight, FSetup.LabelWidth);
    const TLabelShape shape = PanelShapeOfCode(FSetup.Shape);
    if (FPanel.DesignWidth() == size.Width && FPanel.DesignHeight() == size.Height && FPanel.Shape() == shape)
        return false;
    ApplySize(size.Width, size.Height, shape);
    return true;
}

TGGraphicControl* LabelDesignSession::PlaceNewLabelAddress()
{
    FPanel.SetPanelState(TPanelState::psAddressLabel);
    // The rectangle from (5, 5) to (width - 10, height - 10): 10 pixels clear of the far edges.
    TGGraphicControl* element = FPanel.CreateElement({5, 5, FPanel.Width() - 15, FPanel.Height() - 15});
    // An address block shows the record and fits its lines, as one the user draws does.
    if (element)
        FPanel.FinishNewElement(*element);
    FPanel.SetPanelState(TPanelState::psPointing);
    return element;
}

bool LabelDesignSession::IntelligentMailToolAllowed() const
{
    // The label width is stored to three decimals; the element is 3.179 inches wide.
    return FSetup.LabelWidth + 0.0005f >= static_cast<float>(IntelligentMailElementWidthInches());
}

bool LabelDesignSession::PostNetToolAllowed() const
{
    // Compared in the setup's single precision, so that a stored 2.85 counts as 2.85.
    return FSetup.LabelWidth >= static_cast<float>(MinimumPostNetWidth);
}

bool LabelDesignSession::RemoveNarrowPostNet()
{
    if (PostNetToolAllowed())
        return false;
    bool removed = false;
    for (size_t i = FPanel.ElementCount(); i-- > 0;) {
        TGGraphicControl& element = FPanel.ElementAt(i);
        if (dynamic_cast<TGPostNetBarCode*>(&element)) {
            FPanel.DestroyElement(element);
            removed = true;
        }
    }
    if (removed)
        ShowInfo(PostNetRemovalWarning);
    return removed;
}

void LabelDesignSession::PrepareSave(const QString& descriptionText)
{
    FPanel.PurgeElements();
    FSetup.Description = CutDescription(descriptionText);
}

bool LabelDesignSession::ZoomIn()
{
    if (FZoomPercent > MaximumZoomPercent - ZoomStepPercent)
        return false;
    return SetZoomPercent(FZoomPercent + ZoomStepPercent);
}

bool LabelDesignSession::ZoomOut()
{
    if (FZoomPercent < MinimumZoomPercent + ZoomStepPercent)
        return false;
    return SetZoomPercent(FZoomPercent - ZoomStepPercent);
}

bool LabelDesignSession::SetZoomPercent(int percent)
{
    if (percent < MinimumZoomPercent || percent > MaximumZoomPercent || percent == FZoomPercent)
        return false;
    ActivatingScope quiet(*this);
    FZoomPercent = percent;
    if (ApplyZoom)
        ApplyZoom(percent);
    else
        FPanel.SetZoom(ZoomFactorOf(percent));
    return true;
}

QString LabelDesignSession::ZoomCaption() const
{
    return QString::number(FZoomPercent) + "%";
}

bool LabelDesignSession::HasRecords() const
{
    return FAddresses && FAddresses->IsOpen();
}

void LabelDesignSession::LoadRecord()
{
    if (HasRecords()) {
        FRecordSource =
            AddressRecordSource(FAddresses->Catalogue(), FAddresses->CurrentRecord(), FAddresses->TagId());
    } else {
        FRecordSource = AddressRecordSource();
        FRecordSource.SetOpen(false);
    }
}

void LabelDesignSession::MoveRecord(RecordButton button)
{
    ActivatingScope quiet(*this);
    if (HasRecords()) {
        switch (button) {
        case RecordButton::First:
            (void)FAddresses->Step(RecordStep::First);
            break;
        case RecordButton::Previous:
            (void)FAddresses->Step(RecordStep::Previous);
            break;
        case RecordButton::Next:
            (void)FAddresses->Step(RecordStep::Next);
            break;
        case RecordButton::Last:
            (void)FAddresses->Step(RecordStep::Last);
            break;
        }
    }
    LoadRecord();
    FPanel.RefreshData();
    if (button == RecordButton::First)
        FPanel.ResetSequences();
    else
        FPanel.AdvanceSequences();
}

void LabelDesignSession::ShowRecordValues()
{
    ActivatingScope quiet(*this);
    LoadRecord();
    FPanel.ShowAllDataValues();
}

void LabelDesignSession::ShowArt(bool show)
{
    if (!show || !ArtAvailable()) {
        FPanel.SetPicture({});
        return;
    }
    const double ppi = FPanel.PixelsPerInch();
    const QSize labelPixels(static_cast<int>(std::lround(FSetup.LabelWidth * ppi)),
                            static_cast<int>(std::lround(FSetup.LabelHeight * ppi)));
    FPanel.SetPicture(ArtBackground(FSetup.Art, labelPixels));
}

} // namespace corvane
