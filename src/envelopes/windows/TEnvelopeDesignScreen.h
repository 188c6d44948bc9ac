#pragma once
// The envelope designer ("Envelope Design Screen"): one envelope at real size (100 %) as a design
// panel with the current address record's values, a tool bar of twelve tools, zoom from 50 to
// 150 %, grid, field names, the printer's printable area and the postal automation template as
// overlays, record buttons, the setup's description and "Change Size". New and Modify of "Print
// Envelope" open it modally and take back the description, the size code and the layout on "Save".

#include <memory>
#include <string>

#include <QDialog>

#include "envelopes/EnvelopeOverlays.h"
#include "envelopes/EnvelopeSetup.h"
#include "platform/Result.h"

class QButtonGroup;
class QLabel;
class QLineEdit;
class QPushButton;
class QScrollArea;
class QToolButton;

namespace corvane {

class ComponentOwner;
class EnvelopeDesignSession;
class TEnvelopePanel;
class TGDesignPanel;
class ToolWindowView;
enum class RecordButton;

class TEnvelopeDesignScreen : public QDialog {
    Q_OBJECT
  public:
    // `setup`: description, size code and layout file name. `addresses`: the view lent of the
    // open address file (nullptr: none); it must outlive the window.
    TEnvelopeDesignScreen(const EnvelopeSetup& setup, const ToolWindowView* addresses,
                          QWidget* parent = nullptr);
    ~TEnvelopeDesignScreen() override;

    // New: an empty layout and the description "<New envelope>".
    void BeginNewEnvelope();
    // Modify: the layout is cleared, then the file's elements are loaded and show the record
    // (a missing file loads nothing; a damaged one loads nothing and says why).
    Status LoadLayout(const std::string& path);
    // The printer's margins and page in screen pixels, for the printable-area overlay.
    void SetPrinterPage(const PrinterPagePixels& page);

    // After "Save": the description (cut to 50 characters) and the size code.
    const EnvelopeSetup& Setup() const;
    TEnvelopePanel& Panel() const { return *FPanel; }
    TGDesignPanel& DesignPanel() const { return *FDesignPanel; }
    EnvelopeDesignSession& Session() const { return *FSession; }

    // The first activation's work (done by the first showing; tests may call it directly).
    void Activate();
    bool SaveOffered() const;

    // ---- the buttons' commands ----
    void SelectTool(int tool);
    void ZoomIn();
    void ZoomOut();
    void MoveRecord(RecordButton button);
    // "Change Size": the "Envelope Size" list on the current code; Ok resizes.
    void ChangeSizeButtonClick();
    void ChangeSizeTo(int code);
    void SetShowPrinterMargins(bool down);
    void SetShowPostalTemplate(bool down);
    void ChooseDefaultFont();
    void SaveButtonClick();

    QLineEdit* DescriptionEdit;
    QLabel* ZoomCaption;
    QPushButton* SaveButton;
    QPushButton* ChangeSizeButton;
    QToolButton* PrinterMarginsButton;
    QToolButton* PostalTemplateButton;

  protected:
    void showEvent(QShowEvent* event) override;
    void done(int result) override;
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void BuildControls();
    QToolButton* AddTool(int tool, const QString& objectName, const QString& hint);
    void PanelChanged();
    void ObjectDropped();
    void ShowSaveButton();
    void UpdateDefaultFontCaption();
    bool HandleWindowKey(QKeyEvent* event, bool release);

    std::unique_ptr<ComponentOwner> FOwner;
    std::unique_ptr<TEnvelopePanel> FPanel;
    std::unique_ptr<EnvelopeDesignSession> FSession;
    TGDesignPanel* FDesignPanel = nullptr;
    bool FActivated = false;

    QPushButton* FDefaultFontButton = nullptr;
    QButtonGroup* FTools = nullptr;
    QScrollArea* FScroll = nullptr;
};

} // namespace corvane
