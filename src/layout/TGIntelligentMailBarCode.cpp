#include "layout/TGIntelligentMailBarCode.h"

#include <algorithm>
#include <cmath>

#include <QFont>

#include "layout/ElementPainter.h"
#include "layout/LayoutRecordSource.h"
#include "layout/PrintSurface.h"
#include "layout/TGBasePanel.h"
#include "layout/TGDataPanel.h"

namespace corvane {

namespace {

// The human-readable line: its height and the gap above it, inches.
constexpr double kTextHeight = 0.125;
constexpr double kTextGap = 0.02;
// What the screen shows before a record gives the real code.
const std::string kSampleTracking = "00040123456200800001";

int32_t Pixels(double inches)
{
    return static_cast<int32_t>(std::lround(inches * TGGraphicControl::DefaultPixelsPerInch));
}

std::string Trimmed(const std::string& text)
{
    return QString::fromStdString(text).trimmed().toStdString();
}

} // namespace

double IntelligentMailElementWidthInches()
{
    return IntelligentMailSymbolLength + 2 * IntelligentMailQuietZoneX;
}

double IntelligentMailElementHeightInches(bool humanReadable)
{
    return IntelligentMailFullHeight + 2 * IntelligentMailQuietZoneY +
           (humanReadable ? kTextGap + kTextHeight : 0.0);
}

TGIntelligentMailBarCode::TGIntelligentMailBarCode()
    : TGGraphicControl(Pixels(IntelligentMailElementWidthInches()),
                       Pixels(IntelligentMailElementHeightInches(true)))
{
}

const PropertyTable& TGIntelligentMailBarCode::PublishedProperties() const
{
    using C = TGIntelligentMailBarCode;
    static const PropertyTable table(
        CommonProperties(),
        {StringProperty<C>("BarcodeId", &C::BarcodeId, &C::SetBarcodeId),
         StringProperty<C>("ServiceType", &C::ServiceType, &C::SetServiceType),
         StringProperty<C>("MailerId", &C::MailerId, &C::SetMailerId),
         BooleanProperty<C>("SerialFromField", false, &C::SerialFromField, &C::SetSerialFromField),
         StringProperty<C>("SerialField", &C::SerialField, &C::SetSerialField),
         StringProperty<C>("ZipCodeField", &C::ZipCodeField, &C::SetZipCodeField),
         BooleanProperty<C>("HumanReadable", true, &C::HumanReadable, &C::SetHumanReadable)});
    return table;
}

void TGIntelligentMailBarCode::SetHumanReadable(bool value)
{
    FHumanReadable = value;
    Invalidate();
}

void TGIntelligentMailBarCode::StartRun(const std::string& programMailerId, unsigned long long firstSerial)
{
    FProgramMailerId = programMailerId;
    FFirstSerial = firstSerial;
    FNextSerial = firstSerial;
}

void TGIntelligentMailBarCode::SetRecordTexts(std::string zip, std::string serial)
{
    FZipText = std::move(zip);
    FSerialText = std::move(serial);
}

Result<IntelligentMailFields> TGIntelligentMailBarCode::PieceFields() const
{
    IntelligentMailFields fields;
    fields.BarcodeId = Trimmed(FBarcodeId);
    fields.ServiceType = Trimmed(FServiceType);
    fields.MailerId = Trimmed(FMailerId.empty() ? FProgramMailerId : FMailerId);
    if (fields.MailerId.empty())
        return Status::Error("No Mailer ID is set for the Intelligent Mail barcode");
    if (FSerialFromField) {
        fields.SerialNumber = Trimmed(FSerialText);
    } else {
        Result<std::string> serial = IntelligentMailSerialText(fields.MailerId, FNextSerial);
        if (!serial)
            return serial.ToStatus();
        fields.SerialNumber = *serial;
    }
    fields.RoutingZip = IntelligentMailRoutingOfZip(QString::fromStdString(FZipText));
    if (Result<std::string> tracking = IntelligentMailTrackingCode(fields); !tracking)
        return tracking.ToStatus();
    return fields;
}

void TGIntelligentMailBarCode::ShowDataValue()
{
    const auto* panel = dynamic_cast<const TGDataPanel*>(Parent());
    if (!panel)
        return;
    const LayoutRecordSource* source = panel->RecordSource();
    const auto text = [source](const std::string& name) {
        if (!source || name.empty())
            return std::string();
        Result<std::string> value = source->FieldText(name);
        return value ? value.Take() : std::string();
    };
    SetRecordTexts(text(FZipCodeField), FSerialFromField ? text(FSerialField) : std::string());
    if (!panel->Printing())
        Invalidate();
}

void TGIntelligentMailBarCode::Paint(ElementPainter& painter)
{
    const double scale = TGGraphicControl::DefaultPixelsPerInch * Zoom();
    const int32_t w = static_cast<int32_t>(std::lround(IntelligentMailElementWidthInches() * scale));
    const int32_t h =
        static_cast<int32_t>(std::lround(IntelligentMailElementHeightInches(FHumanReadable) * scale));
    AdjustSize(w, h);
    painter.FillRect(QRectF(0, 0, w, h), Qt::white);

    std::string tracking = kSampleTracking;
    std::string routing;
    if (Result<IntelligentMailFields> fields = PieceFields()) {
        tracking = *IntelligentMailTrackingCode(*fields);
        routing = fields->RoutingZip;
    }
    Result<std::vector<IntelligentMailBar>> bars = EncodeIntelligentMail(tracking, routing);
    if (!bars)
        return;
    const QPointF origin(IntelligentMailQuietZoneX * scale, IntelligentMailQuietZoneY * scale);
    for (const QRectF& bar : IntelligentMailBarRects(*bars, QPointF(0, 0))) {
        // At screen resolution a bar is at least one pixel wide, so every bar stays visible.
        const QRectF pixels(origin.x() + bar.left() * scale, origin.y() + bar.top() * scale,
                            std::max(1.0, bar.width() * scale), bar.height() * scale);
        painter.FillRect(pixels, Qt::black);
    }
    if (FHumanReadable) {
        QFont font(QStringLiteral("Arial"));
        font.setPixelSize(std::max(1, static_cast<int>(std::lround(0.1 * scale))));
        painter.SetFont(font);
        painter.SetTextColor(Qt::black);
        const double top = (IntelligentMailFullHeight + 2 * IntelligentMailQuietZoneY + kTextGap) * scale;
        painter.Text(QPointF(origin.x(), top),
                     QString::fromStdString(IntelligentMailHumanReadable(tracking, routing)),
                     QRectF(0, 0, w, h));
    }
}

void TGIntelligentMailBarCode::PrintOn(PrintSurface& surface, double xInches, double yInches)
{
    Result<IntelligentMailFields> fields = PieceFields();
    if (!fields)
        return; // a piece without a valid code gets no barcode rather than a wrong one
    const std::string tracking = *IntelligentMailTrackingCode(*fields);
    Result<std::vector<IntelligentMailBar>> bars = EncodeIntelligentMail(tracking, fields->RoutingZip);
    if (!bars)
        return;
    const double ppi = PixelsPerInch();
    const QPointF corner(xInches + Left() / ppi, yInches + Top() / ppi);
    const double width = IntelligentMailElementWidthInches();
    const double height = IntelligentMailElementHeightInches(FHumanReadable);

    // Black on white whatever lies under the element: the quiet zones are cleared first.
    surface.FillRectangles({QRectF(corner, QSizeF(width, height))}, Qt::white);
    const QPointF origin(corner.x() + IntelligentMailQuietZoneX, corner.y() + IntelligentMailQuietZoneY);
    surface.FillRectangles(IntelligentMailBarRects(*bars, origin), Qt::black);

    if (FHumanReadable) {
        const QString text =
            QString::fromStdString(IntelligentMailHumanReadable(tracking, fields->RoutingZip));
        const QRectF line(origin.x(),
                          corner.y() + IntelligentMailFullHeight + 2 * IntelligentMailQuietZoneY + kTextGap,
                          IntelligentMailSymbolLength, kTextHeight);
        const double textPpi = TGGraphicControl::DefaultPixelsPerInch;
        const QSizeF pixels(line.width() * textPpi, line.height() * textPpi);
        static const QFont font = [textPpi] {
            QFont lineFont(QStringLiteral("Arial"));
            lineFont.setPixelSize(static_cast<int>(std::lround(0.1 * textPpi)));
            return lineFont;
        }();
        surface.StretchDrawing(line, pixels, textPpi, [&](ElementPainter& painter) {
            painter.SetFont(font);
            painter.SetTextColor(Qt::black);
            painter.Text(QPointF(0, 0), text, QRectF(QPointF(0, 0), pixels));
        });
    }
}

void TGIntelligentMailBarCode::AdvanceSequence()
{
    if (!FSerialFromField)
        ++FNextSerial;
}

void TGIntelligentMailBarCode::ResetSequence()
{
    FNextSerial = FFirstSerial;
}

void TGIntelligentMailBarCode::BuildMenu()
{
    TGGraphicControl::BuildMenu();
    Menu().push_back(MenuItem("-"));
    Menu().push_back(MenuItem("Intelligent Mail Settings", ElementCommand::IntelligentMailSettings));
}

IntelligentMailElementSettings ReadIntelligentMailSettings(const TGIntelligentMailBarCode& code)
{
    return {code.BarcodeId(),   code.ServiceType(),  code.MailerId(),     code.SerialFromField(),
            code.SerialField(), code.ZipCodeField(), code.HumanReadable()};
}

void ApplyIntelligentMailSettings(TGIntelligentMailBarCode& code,
                                  const IntelligentMailElementSettings& settings)
{
    code.SetBarcodeId(settings.BarcodeId);
    code.SetServiceType(settings.ServiceType);
    code.SetMailerId(settings.MailerId);
    code.SetSerialFromField(settings.SerialFromField);
    code.SetSerialField(settings.SerialField);
    code.SetZipCodeField(settings.ZipCodeField);
    code.SetHumanReadable(settings.HumanReadable);
}

std::string IntelligentMailSettingsProblem(const IntelligentMailElementSettings& settings)
{
    IntelligentMailFields fields;
    fields.BarcodeId = settings.BarcodeId;
    fields.ServiceType = settings.ServiceType;
    // The program's Mailer ID is checked where it is set; a sample stands in for it here.
    fields.MailerId = settings.MailerId.empty() ? "123456" : settings.MailerId;
    fields.SerialNumber = std::string(15 - std::min<size_t>(fields.MailerId.size(), 9), '0');
    if (Result<std::string> tracking = IntelligentMailTrackingCode(fields); !tracking)
        return tracking.Message();
    if (settings.SerialFromField && Trimmed(settings.SerialField).empty())
        return "Name the field that holds the serial number";
    return {};
}

void StartIntelligentMailRun(TGBasePanel& panel, const std::string& programMailerId,
                             unsigned long long firstSerial)
{
    for (size_t i = 0; i < panel.ElementCount(); ++i) {
        if (auto* code = dynamic_cast<TGIntelligentMailBarCode*>(&panel.ElementAt(i)))
            code->StartRun(programMailerId, firstSerial);
    }
}

std::string IntelligentMailRunProblem(const TGBasePanel& panel)
{
    for (size_t i = 0; i < panel.ElementCount(); ++i) {
        const auto* code = dynamic_cast<const TGIntelligentMailBarCode*>(&panel.ElementAt(i));
        if (!code)
            continue;
        IntelligentMailElementSettings settings = ReadIntelligentMailSettings(*code);
        if (settings.MailerId.empty())
            settings.MailerId = code->ProgramMailerId();
        if (settings.MailerId.empty())
            return "The layout has an Intelligent Mail barcode but no Mailer ID is set. Set your Mailer "
                   "ID in Preferences.";
        if (std::string problem = IntelligentMailSettingsProblem(settings); !problem.empty())
            return "The Intelligent Mail barcode cannot be printed: " + problem;
    }
    return {};
}

std::optional<unsigned long long> NextIntelligentMailSerial(const TGBasePanel& panel)
{
    std::optional<unsigned long long> next;
    for (size_t i = 0; i < panel.ElementCount(); ++i) {
        const auto* code = dynamic_cast<const TGIntelligentMailBarCode*>(&panel.ElementAt(i));
        if (code && !code->SerialFromField())
            next = std::max(next.value_or(0), code->NextSerial());
    }
    return next;
}

} // namespace corvane
