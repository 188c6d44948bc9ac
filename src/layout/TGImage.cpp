#include "layout/TGImage.h"

#include <cmath>

#include <QByteArray>

#include "layout/ElementPainter.h"
#include "layout/MetafilePlayer.h"
#include "layout/PictureLoader.h"
#include "layout/PrintSurface.h"

namespace corvane {

namespace {

int32_t RoundEven(double value)
{
    return static_cast<int32_t>(std::nearbyint(value));
}

} // namespace

TGImage::TGImage() : TGGraphicControl(105, 105) {}

const PropertyTable& TGImage::PublishedProperties() const
{
    using C = TGImage;
    static const PropertyTable table(
        CommonProperties(),
        {BooleanProperty<C>("AutoSize", false, &C::AutoSize, &C::SetAutoSize),
         EnumProperty<C, TBorderStyle>("BorderStyle", std::nullopt, &C::BorderStyle, &C::SetBorderStyle),
         PictureProperty<C>("Picture.Data", &C::Picture, &C::SetPicture),
         BooleanProperty<C>("Stretch", true, &C::Stretch, &C::SetStretch),
         BooleanProperty<C>("Reverse", std::nullopt, &C::Reverse, &C::SetReverse),
         BooleanProperty<C>("Flip", std::nullopt, &C::Flip, &C::SetFlip)});
    return table;
}

void TGImage::SetAutoSize(bool value)
{
    FAutoSize = value;
    if (Loading())
        return;
    FStretch = !value;
    BoundsChanged();
    Invalidate();
}

void TGImage::SetStretch(bool value)
{
    FStretch = value;
    if (Loading())
        return;
    FAutoSize = !value;
    Invalidate();
}

void TGImage::SetBorderStyle(TBorderStyle value)
{
    FBorderStyle = value;
    Invalidate();
}

void TGImage::SetReverse(bool value)
{
    FReverse = value;
    Invalidate();
}

void TGImage::SetFlip(bool value)
{
    FFlip = value;
    Invalidate();
}

void TGImage::SetPicture(const TGPicture& value)
{
    FPicture = value;
    FBitmap = QImage();
    FBitmapDecoded = false;
    FMetafile.reset();
    FMetafilePlayed = false;
    if (Loading())
        return;
    BoundsChanged();
    Invalidate();
}

const QImage& TGImage::Bitmap() const
{
    if (!FBitmapDecoded) {
        FBitmapDecoded = true;
        FBitmap = QImage();
        if (FPicture.IsBitmap() && !FPicture.Bytes.empty()) {
            Result<QImage> image = DecodeImageBytes(
                QByteArray(FPicture.Bytes.data(), static_cast<qsizetype>(FPicture.Bytes.size())), "BMP");
            if (image)
                FBitmap = image.Take();
        }
    }
    return FBitmap;
}

const QPicture* TGImage::Metafile() const
{
    if (!FMetafilePlayed) {
        FMetafilePlayed = true;
        if (FPicture.IsMetafile()) {
            Result<QPicture> played = PlayMetafile(
                QByteArray(FPicture.Bytes.data(), static_cast<qsizetype>(FPicture.Bytes.size())));
            if (played)
                FMetafile = played.Take();
        }
    }
    return FMetafile ? &*FMetafile : nullptr;
}

PixelRect TGImage::PictureSize() const
{
    const QImage& bitmap = Bitmap();
    if (bitmap.isNull())
        return {};
    return {0, 0, bitmap.width(), bitmap.height()};
}

void TGImage::BoundsChanged()
{
    TGGraphicControl::BoundsChanged();
    if (Loading() || !FAutoSize)
        return;
    const PixelRect size = PictureSize();
    if (size.Width <= 0 || size.Height <= 0)
        return;
    const int32_t w = RoundEven(size.Width * Zoom()), h = RoundEven(size.Height * Zoom());
    AdjustSize(w, h);
}

void TGImage::Paint(ElementPainter& painter)
{
    const QRectF rect(0, 0, Width(), Height());
    if (FPicture.IsBitmap() && !Bitmap().isNull()) {
        painter.StretchBitmap(rect, Bitmap(), FFlip, FReverse);
    } else if (const QPicture* metafile = Metafile()) {
        painter.StretchPicture(rect, *metafile);
    } else if (FPicture.IsMetafile()) {
        DrawMetafilePlaceholder(painter, rect);
    } else {
        painter.SetPen(SurfacePen{});
        painter.SetBrush(SurfaceBrush{});
        painter.Rectangle(rect);
    }
    if (FBorderStyle == TBorderStyle::bsSingle) {
        painter.SetPen(SurfacePen{});
        painter.SetBrush(SurfaceBrush{QColor(Qt::white), BrushStyle::Clear});
        painter.Rectangle(rect);
    }
}

void TGImage::PrintOn(PrintSurface& surface, double xInches, double yInches)
{
    const double ppi = PixelsPerInch();
    const QRectF inches(xInches + Left() / ppi, yInches + Top() / ppi, Width() / ppi, Height() / ppi);
    if (FPicture.IsBitmap() && !Bitmap().isNull()) {
        const QImage& bitmap = Bitmap();
        surface.StretchBitmap(inches, (FFlip || FReverse) ? bitmap.mirrored(FReverse, FFlip) : bitmap);
    } else if (FPicture.IsMetafile()) {
        // A metafile that cannot be drawn prints as the frame it shows on screen.
        const QPicture* metafile = Metafile();
        surface.StretchDrawing(inches, QSizeF(Width(), Height()), ppi, [this, metafile](ElementPainter& p) {
            if (metafile)
                p.StretchPicture(QRectF(0, 0, Width(), Height()), *metafile);
            else
                DrawMetafilePlaceholder(p, QRectF(0, 0, Width(), Height()));
        });
    }
    if (FBorderStyle == TBorderStyle::bsSingle) {
        surface.SetPen(SurfacePen{QColor(Qt::black), PenStyle::Solid, PenMode::Copy, 1});
        surface.SetBrush(SurfaceBrush{QColor(Qt::white), BrushStyle::Clear});
        surface.Rectangle(inches);
    }
}

void TGImage::BuildMenu()
{
    TGGraphicControl::BuildMenu();
    ElementMenu& menu = Menu();
    menu.push_back(MenuItem("-"));
    menu.push_back(MenuItem("Load Image From Disk", ElementCommand::LoadImage));
    menu.push_back(MenuItem("-"));
    menu.push_back(MenuItem("Border", ElementCommand::PictureBorder));
    menu.push_back(MenuItem("Stretch to Fit", ElementCommand::StretchToFit));
    menu.push_back(MenuItem("AutoSize", ElementCommand::AutoSize));
    menu.push_back(MenuItem("Flip", ElementCommand::Flip));
    menu.push_back(MenuItem("Reverse", ElementCommand::Reverse));
    UpdateMenuChecks();
}

void TGImage::UpdateMenuChecks()
{
    TGGraphicControl::UpdateMenuChecks();
    const auto set = [this](ElementCommand command, bool checked, bool enabled) {
        if (ElementMenuItem* item = FindMenuItem(Menu(), command)) {
            item->Checked = checked;
            item->Enabled = enabled;
        }
    };
    set(ElementCommand::PictureBorder, FBorderStyle == TBorderStyle::bsSingle, true);
    set(ElementCommand::StretchToFit, FStretch, true);
    set(ElementCommand::AutoSize, FAutoSize, true);
    set(ElementCommand::Flip, FFlip, FPicture.IsBitmap());
    set(ElementCommand::Reverse, FReverse, FPicture.IsBitmap());
}

CommandOutcome TGImage::Execute(ElementCommand command, int argument)
{
    if (!FindMenuItem(Menu(), command, argument))
        return CommandOutcome::NotInMenu;
    switch (command) {
    case ElementCommand::PictureBorder:
        SetBorderStyle(FBorderStyle == TBorderStyle::bsSingle ? TBorderStyle::bsNone
                                                              : TBorderStyle::bsSingle);
        break;
    case ElementCommand::StretchToFit:
        SetStretch(!FStretch);
        break;
    case ElementCommand::AutoSize:
        SetAutoSize(!FAutoSize);
        break;
    case ElementCommand::Flip:
        if (!FPicture.IsBitmap())
            return CommandOutcome::Done;
        SetFlip(!FFlip);
        break;
    case ElementCommand::Reverse:
        if (!FPicture.IsBitmap())
            return CommandOutcome::Done;
        SetReverse(!FReverse);
        break;
    default:
        return TGGraphicControl::Execute(command, argument);
    }
    NotifyChanged();
    UpdateMenuChecks();
    return CommandOutcome::Done;
}

} // namespace corvane
