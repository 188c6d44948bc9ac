#pragma once
// The label designer without its widgets: the setup's values while the designer is open, the
// tools' width rule for POSTNET bar codes, the stock's art, and what "Save" and a geometry change
// do to the layout. Change marking, the zoom (40 to 160 %), the record buttons (which step
// counters here) and the default font of section "Label" are the designers' shared DesignSession.
// The window wires its controls to these.

#include <functional>
#include <string>

#include <QSize>
#include <QString>

#include "designing/DesignSession.h"
#include "labels/LabelSetup.h"
#include "layout/DesignDefaultFont.h"
#include "layout/DesignGeometry.h"
#include "layout/LayoutTypes.h"
#include "layout/TGBasePanel.h"

namespace corvane {

class ToolWindowView;
class Settings;
class TGGraphicControl;
class TGLabelPanel;

// A POSTNET bar code needs this much label width, inches.
inline constexpr double MinimumPostNetWidth = 2.85;
// The zoom buttons' step, percent (the limits are the design panel's, 40 and 160).
inline constexpr int ZoomStepPercent = 10;
// The working copy keeps this many characters of the description (the edit accepts 60).
inline constexpr int DescriptionLength = 50;
inline constexpr int DescriptionEditLength = 60;

extern const char* const PostNetToolRefusal;
// An Intelligent Mail barcode needs the symbol and its quiet zones across the label.
extern const char* const IntelligentMailToolRefusal;
extern const char* const PostNetRemovalWarning;
extern const char* const NewLabelMessage;

// The font new elements get, as section "Label" of the settings file keeps it.
using LabelDefaultFont = DesignDefaultFont;
inline constexpr const char* LabelSection = "Label";
inline LabelDefaultFont ReadLabelDefaultFont(const Settings& settings)
{
    return ReadDesignDefaultFont(settings, LabelSection);
}
inline bool WriteLabelDefaultFont(const Settings& settings, const LabelDefaultFont& font)
{
    return WriteDesignDefaultFont(settings, LabelSection, font);
}

// The designer's layout line: the template description, or "User Defined Label Layout".
QString LayoutName(const LabelSetup& setup);
// The panel outline of a shape code: "RR" rounded, "SR" rectangle, anything else round.
TLabelShape PanelShapeOfCode(const QString& code);
// The cut a description takes on entering the working copy.
QString CutDescription(const QString& text);

// The label's size in pixels at zoom 1.0 (width and height of the rectangle), rounded.
PixelRect LabelPixelSize(double pixelsPerInch, double heightInches, double widthInches);
// Sizes the panel to the label at the display's pixels per inch (zoom 1.0 figures, rounded) with
// the outline of the shape code; the zoom is kept. False when size and shape were already so.
bool SetLabelSizeFromInches(TGLabelPanel& panel, double heightInches, double widthInches,
                            const QString& shapeCode);

class LabelDesignSession : public DesignSession {
  public:
    // `panel` shows the layout; `addresses` is the view lent of the open address file for data values
    // and record buttons (nullptr: no records). Both must outlive the session.
    LabelDesignSession(TGLabelPanel& panel, const LabelSetup& setup, const ToolWindowView* addresses);
    ~LabelDesignSession() override;

    TGLabelPanel& Panel() const { return FPanel; }
    const LabelSetup& Setup() const { return FSetup; }
    LabelSetup& MutableSetup() { return FSetup; }

    // The description edit changed: the description takes the text cut to 50 characters.
    void DescriptionEdited(const QString& text);

    // ---- the label panel ----
    // Sizes the panel from the setup's geometry and shape.
    bool ApplyLabelSize();
    // The new label's mailing-address block from (5, 5) to 10 pixels short of the panel's far
    // edges; the tool is the selection tool again afterwards.
    TGGraphicControl* PlaceNewLabelAddress();
    // The tool may become the POSTNET tool only on a label at least 2.85 inches wide.
    bool PostNetToolAllowed() const;
    bool IntelligentMailToolAllowed() const;
    // After a geometry change: on a label too narrow for a bar code every POSTNET element is
    // deleted, with one warning. True when any was deleted.
    bool RemoveNarrowPostNet();
    // "Save": elements outside the panel or of no size go; the description takes the edit's text.
    void PrepareSave(const QString& descriptionText);

    // Where the label size reaches the screen. Left empty, the session sets the panel model
    // itself; a window with a design panel widget routes it through the widget instead.
    std::function<void(int32_t width, int32_t height, TLabelShape shape)> ApplySize;

    // ---- art ----
    bool ArtAvailable() const { return !FSetup.Art.trimmed().isEmpty(); }
    // The panel's background picture: the recoloured art when `show` and the setup names art,
    // else none.
    void ShowArt(bool show);

  private:
    TGLabelPanel& FPanel;
    LabelSetup FSetup;
};

} // namespace corvane
