#pragma once
// What every designer window (labels, envelopes) keeps without its widgets: whether anything was
// changed (the "Save" button), the zoom in whole percent between the designer's own limits, the
// record buttons over the lent address file, and the default font of the designer's settings
// section. Each designer derives its own session for what only it has (label geometry and art,
// envelope sizes). It sits above the layout engine and the session, as the designers do.

#include <functional>
#include <string>

#include <QString>

#include "layout/DesignDefaultFont.h"
#include "layout/LayoutRecordSource.h"

namespace corvane {

class Settings;
class TGDataPanel;
class ToolWindowView;

enum class RecordButton { First, Previous, Next, Last };

// Zoom limits and step, in whole percent (a designer's zoom never drifts off its steps).
struct DesignZoom {
    int Minimum = 40;
    int Maximum = 160;
    int Step = 10;
};

class DesignSession {
  public:
    // `panel` shows the layout; `addresses` is the view lent of the open address file for data
    // values and record buttons (nullptr: no records). Both must outlive the session. `fontSection` names the
    // settings section of the default font ("Label", "Envelope"). With `stepCounters` the record buttons
    // reset ("first") or advance counters; without, they leave them alone.
    DesignSession(TGDataPanel& panel, const ToolWindowView* addresses, DesignZoom zoom,
                  std::string fontSection, bool stepCounters);
    virtual ~DesignSession();
    DesignSession(const DesignSession&) = delete;
    DesignSession& operator=(const DesignSession&) = delete;

    TGDataPanel& DataPanel() const { return FDataPanel; }

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

    // ---- zoom ----
    int ZoomPercent() const { return FZoomPercent; }
    const DesignZoom& ZoomLimits() const { return FZoom; }
    // One step up (down); false at the limit. The panel's zoom follows without counting as a change.
    bool ZoomIn();
    bool ZoomOut();
    bool SetZoomPercent(int percent);
    QString ZoomCaption() const;
    // Where zoom reaches the screen; left empty, the session sets the panel model itself.
    std::function<void(int percent)> ApplyZoom;

    // ---- records ----
    bool HasRecords() const;
    // Moves the address file and shows the record's values; none of it counts as a change.
    void MoveRecord(RecordButton button);
    // The current address record's values on every element (ShowAllDataValues).
    void ShowRecordValues();
    const LayoutRecordSource& RecordSource() const { return FRecordSource; }

    // ---- default font ----
    const std::string& FontSection() const { return FFontSection; }
    DesignDefaultFont ReadDefaultFont(const Settings& settings) const;
    bool WriteDefaultFont(const Settings& settings, const DesignDefaultFont& font) const;

  private:
    void LoadRecord();

    TGDataPanel& FDataPanel;
    const ToolWindowView* FAddresses;
    DesignZoom FZoom;
    std::string FFontSection;
    bool FStepCounters;
    AddressRecordSource FRecordSource;
    bool FActivating = true;
    bool FChanged = false;
    int FZoomPercent = 100;
};

// Sets the session's activating flag for a scope and puts the previous state back.
class ActivatingScope {
  public:
    explicit ActivatingScope(DesignSession& session) : FSession(session), FWas(session.Activating())
    {
        session.SetActivating(true);
    }
    ~ActivatingScope() { FSession.SetActivating(FWas); }
    ActivatingScope(const ActivatingScope&) = delete;
    ActivatingScope& operator=(const ActivatingScope&) = delete;

  private:
    DesignSession& FSession;
    bool FWas;
};

} // namespace corvane
