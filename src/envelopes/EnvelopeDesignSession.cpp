#include "envelopes/EnvelopeDesignSession.h"

#include <cmath>

#include "envelopes/EnvelopeSettings.h"
#include "envelopes/EnvelopeSizes.h"
#include "envelopes/TEnvelopePanel.h"
#include "platform/Utf8Text.h"

namespace corvane {

namespace {

QString Cut(const QString& text)
{
    return QString::fromStdString(CutToCharacters(text.toStdString(), EnvelopeDescriptionLength));
}

} // namespace

EnvelopeDesignSession::EnvelopeDesignSession(TEnvelopePanel& panel, const EnvelopeSetup& setup,
                                             const ToolWindowView* addresses)
    : DesignSession(panel, addresses, EnvelopeDesignZoom, EnvelopeFontSection, false), FPanel(panel),
      FSetup(setup)
{
}

void EnvelopeDesignSession::SetDescription(const QString& text)
{
    FSetup.Description = Cut(text);
}

void EnvelopeDesignSession::DescriptionEdited(const QString& text)
{
    FSetup.Description = Cut(text);
    MarkChanged();
}

bool EnvelopeDesignSession::ApplyEnvelopeSize()
{
    const EnvelopeSize* size = FindEnvelopeSize(FSetup.Code);
    if (!size)
        return false;
    const double ppi = FPanel.PixelsPerInch();
    const auto width = static_cast<int32_t>(std::lround(size->Width * ppi));
    const auto height = static_cast<int32_t>(std::lround(size->Height * ppi));
    if (FPanel.DesignWidth() == width && FPanel.DesignHeight() == height)
        return false;
    ActivatingScope quiet(*this);
    if (ApplySize)
        ApplySize(width, height);
    else
        FPanel.SetDesignSize(width, height);
    return true;
}

bool EnvelopeDesignSession::ChangeSize(int code)
{
    if (!FindEnvelopeSize(code))
        return false;
    FSetup.Code = code;
    ApplyEnvelopeSize();
    FPanel.ClampElements();
    MarkChanged();
    return true;
}

void EnvelopeDesignSession::PrepareSave(const QString& descriptionText)
{
    FPanel.PurgeElements();
    FSetup.Description = Cut(descriptionText);
}

} // namespace corvane
