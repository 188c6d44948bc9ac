#pragma once
// The label designer without its widgets: the setup's values while the designer is open, whether
// anything was changed (the "Save" button), the zoom in whole percent, the tools' width rule for
// POSTNET bar codes, the record buttons, the stock's art, the default font of section "Label",
// and what "Save" and a geometry change do to the layout. The window wires its controls to these.

#include <functional>
#include <string>

#include <QSize>
#include <QString>

#include "labels/LabelSetup.h"
#include "layout/DesignDefaultFont.h"
#include "layout/DesignGeometry.h"
#include "layout/LayoutRecordSource.h"
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

enum class RecordButton { First, Previous, Next, Last };

class LabelDesignSession {
  public:
    // `panel` shows the layout; `addresses` is the view lent of the open address file for data values
    // and record buttons (nullptr: no records). Both must outlive the session.
    LabelDesignSession(TGLabelPanel& panel, const LabelSetup& setup, const ToolWindowView* addresses);
    ~LabelDesignSession();
    LabelDesignSession(const LabelDesignSession&) = delete;
    LabelDesignSession& operator=(const LabelDesignSession&) = delete;

    TGLabelPanel& Panel() const { return FPanel; }
    const LabelSetup& Setup() const { return FSetup; }
    LabelSetup& MutableSetup() { return FSetup; }

    // ---- change marking ----
    // Set from creation until the first activation has finished, and while the program itself
    // changes the panel (zoom, record moves): panel changes then do not count.
    bool Activating() const { return FActivating; }
    void SetActivating(bool on) { FActivating = on; }
    // Whether "Save" shows; once shown it stays.
    bool Changed() const { return FChanged; }
    void MarkChanged() { FChanged = true; }
    // The panel's change event.
    void PanelChanged();
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

    // ---- zoom (whole percent, 40..160 in steps of 10) ----
    int ZoomPercent() const { return FZoomPercent; }
    // One step up (down); false at the limit. The panel's zoom follows without counting as a change.
    bool ZoomIn();
    bool ZoomOut();
    bool SetZoomPercent(int percent);
    QString ZoomCaption() const;

    // ---- records ----
    bool HasRecords() const;
    // Moves the address file, shows the record's values; "first" resets counters, the other
    // buttons advance them one step. None of it counts as a change.
    void MoveRecord(RecordButton button);
    // The current address record's values on every element (ShowAllDataValues).
    void ShowRecordValues();
    const LayoutRecordSource& RecordSource() const { return FRecordSource; }

    // Where zoom and label size reach the screen. Left empty, the session sets the panel model
    // itself; a window with a design panel widget routes them through the widget instead.
    std::function<void(int percent)> ApplyZoom;
    std::function<void(int32_t width, int32_t height, TLabelShape shape)> ApplySize;

    // ---- art ----
    bool ArtAvailable() const { return !FSetup.Art.trimmed().isEmpty(); }
    // The panel's background picture: the recoloured art when `show` and the setup names art,
    // else none.
    void ShowArt(bool show);

  private:
    void LoadRecord();

    TGLabelPanel& FPanel;
    LabelSetup FSetup;
    const ToolWindowView* FAddresses;
    AddressRecordSource FRecordSource;
    bool FActivating = true;
    bool FChanged = false;
    int FZoomPercent = 100;
};

// Sets the session's activating flag for a scope and puts the previous state back.
class ActivatingScope {
  public:
    explicit ActivatingScope(LabelDesignSession& session) : FSession(session), FWas(session.Activating())
    {
        session.SetActivating(true);
    }
    ~ActivatingScope() { FSession.SetActivating(FWas); }
    ActivatingScope(const ActivatingScope&) = delete;
    ActivatingScope& operator=(const ActivatingScope&) = delete;

  private:
    LabelDesignSession& FSession;
    bool FWas;
};

} // namespace corvane
