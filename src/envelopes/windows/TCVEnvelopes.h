#pragma once
// "Print Envelope": the user's envelope setups (ENVELOPE.DBF, by description) with New, Modify
// (both open the envelope designer), Delete and Clone; a miniature of the chosen setup drawn with
// the current record; what to print; the current record with a navigator; Print, Preview and
// Printer Setup. The window works on the main window's address file lent through the hand-over,
// opens the setup table itself and closes it when it closes.

#include <memory>
#include <optional>

#include <QDialog>

#include "envelopes/EnvelopeRun.h"
#include "envelopes/EnvelopeSettings.h"
#include "envelopes/EnvelopeSetup.h"
#include "envelopes/windows/TEnvelopeForm.h"
#include "platform/xbase/Table.h"
#include "session/ToolWindowView.h"

class QCheckBox;
class QGroupBox;
class QLabel;
class QPushButton;
class QRadioButton;
class QTableWidget;
class QToolButton;

namespace corvane {

class ComponentOwner;
class ElementClassRegistry;
class EnvelopeSetupStore;
class PrintEngine;
class TEnvelopePanel;
class TEnvelopeDesignScreen;

class TCVEnvelopes : public QDialog {
    Q_OBJECT
  public:
    static constexpr int HelpContext = 1060;

    TCVEnvelopes(const ToolWindowView& addresses, PrintEngine& engine, QWidget* parent = nullptr);
    ~TCVEnvelopes() override;

    // First activation: buttons, preferences, the setup table on its first row, the miniature.
    void FormActivate();

    xbase::Table& SetupTable() { return FSetupTable; }
    const EnvelopeSetup& Setup() const { return FSetup; }
    const std::optional<EnvelopePrintOutcome>& LastPrint() const { return FLastPrint; }
    // The miniature as last drawn.
    const QImage& Miniature() const { return FMiniature; }

    // Called with the designer before it is shown (tests drive it here and end it).
    std::function<void(TEnvelopeDesignScreen&)> DesignerShown;

    // ---- handlers ----
    void SetupGridCurrentChanged();
    void ModifyButtonClick();
    void NewButtonClick();
    void DeleteButtonClick();
    void CloneButtonClick();
    void PrintButtonClick();
    void PreviewButtonClick();
    void PrinterSetupButtonClick();
    void OkButtonClick();
    void HelpButtonClick();
    void RecordButtonClick(RecordStep step);
    void SetEnvelopeButtons();
    void ShowDisplayEnvelope();

    QTableWidget* SetupGrid;
    QPushButton* ModifyButton;
    QPushButton* NewButton;
    QPushButton* DeleteButton;
    QPushButton* CloneButton;
    QLabel* MiniatureLabel;
    QRadioButton* AllRecordsRadio;
    QRadioButton* FilterRecordsRadio;
    QRadioButton* CurrentRecordRadio;
    QCheckBox* StartFromCurrentCheck;
    QLabel* FirstValue;
    QLabel* LastValue;
    QLabel* OrgValue;
    QLabel* CityValue;
    QPushButton* OkButton;
    QPushButton* PrintButton;
    QPushButton* PreviewButton;
    QPushButton* PrinterSetupButton;
    QPushButton* HelpButton;

  protected:
    void showEvent(QShowEvent* event) override;

  private:
    void BuildControls();
    bool HasSetup() const;
    void FillGrid();
    void ReadEnvelopeSetup();
    void ShowCurrentRecord();
    void RunPrint(bool preview);
    void Design(bool isNew);

    const ToolWindowView& FAddresses;
    PrintEngine& FEngine;
    ScopeChoices FScope;
    xbase::Table FSetupTable;
    std::unique_ptr<EnvelopeSetupStore> FStore;
    std::unique_ptr<ComponentOwner> FOwner;
    std::unique_ptr<ElementClassRegistry> FRegistry;
    std::unique_ptr<TEnvelopePanel> FPanel;
    EnvelopeSetup FSetup;
    EnvelopeFeed FFeed;
    QImage FMiniature;
    std::optional<EnvelopePrintOutcome> FLastPrint;
    bool FActivated = false;
    bool FFillingGrid = false;
};

} // namespace corvane
