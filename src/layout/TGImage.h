#pragma once
// A picture (bitmap or metafile) drawn stretched to the element, optionally mirrored.

#include <optional>

#include <QImage>
#include <QPicture>

#include "layout/TGGraphicControl.h"

namespace corvane {

class TGImage : public TGGraphicControl {
  public:
    TGImage();
    std::string_view ClassName() const override { return "TGImage"; }
    const PropertyTable& PublishedProperties() const override;

    bool AutoSize() const { return FAutoSize; }
    // AutoSize and Stretch exclude each other: setting one sets the other to its negation.
    void SetAutoSize(bool value);
    TBorderStyle BorderStyle() const { return FBorderStyle; }
    void SetBorderStyle(TBorderStyle value);
    const TGPicture& Picture() const { return FPicture; }
    void SetPicture(const TGPicture& value);
    bool Stretch() const { return FStretch; }
    void SetStretch(bool value);
    bool Reverse() const { return FReverse; }
    void SetReverse(bool value);
    bool Flip() const { return FFlip; }
    void SetFlip(bool value);

    // The picture's size in pixels (0 x 0 without one or when it does not decode).
    PixelRect PictureSize() const;

    void BoundsChanged() override;
    void UpdateMenuChecks() override;
    void BuildMenu() override;
    CommandOutcome Execute(ElementCommand command, int argument = 0) override;
    void Paint(ElementPainter& painter) override;
    void PrintOn(PrintSurface& surface, double xInches, double yInches) override;

  private:
    // The bitmap decoded once per picture (null for metafiles and bytes that do not decode).
    const QImage& Bitmap() const;
    // The metafile played once per picture; nullptr when it cannot be drawn (a crossed frame).
    const QPicture* Metafile() const;

    bool FAutoSize = false;
    TBorderStyle FBorderStyle = TBorderStyle::bsNone;
    TGPicture FPicture;
    bool FStretch = true;
    bool FReverse = false;
    bool FFlip = false;
    mutable QImage FBitmap;
    mutable bool FBitmapDecoded = false;
    mutable std::optional<QPicture> FMetafile;
    mutable bool FMetafilePlayed = false;
};

} // namespace corvane
