#pragma once
// The label designer ("Label Design Screen"): one label of a setup's stock at real size (100 %)
// as a design panel with the current address record's values, a tool bar to add elements, zoom,
// grid, the stock's art, record buttons, the setup's description and "Change Layout". New and
// Modify of "Print Labels" open it modally:
//
//     TLabelDesignScreen designer(setup, &session, this);  // setup: the working copy
//     designer.BeginNewLabel();                            // New, or for Modify:
//     designer.LoadLayout(layoutPath);                     // (clears, loads, shows record values)
//     if (designer.exec() == QDialog::Accepted) {          // "Save"
//         setup = designer.Setup();                        // every value back, description cut
//         ... write the row ...
//         designer.SaveLayout(layoutPath);                 // ClearDataValues + SaveToFile
//     }
//
// The window keeps the setup's values while it is open; "Save" shows only after a change (an
// element or the description edited, or a confirmed "Change Layout"), never for record moves or
// zooming. "Save" purges elements outside the label before it ends the window.

#include <memory>
#include <string>

#include <QDialog>

#include "labels/LabelSetup.h"
#include "platform/Result.h"

class QAbstractButton;
class QButtonGroup;
class QLabel;
class QLineEdit;
class QPushButton;
class QScrollArea;
class QToolButton;

namespace corvane {

class ToolWindowView;
class ComponentOwner;
class LabelDesignSession;
class TGDesignPanel;
class TGLabelPanel;
enum class RecordButton;
enum class TPanelState;

class TLabelDesignScreen : public QDialog {
    Q_OBJECT

  public:
    // `setup`: the setup's values (description, printer code, the ten geometry numbers, paper and
    // shape codes, template description, manufacturer, product type, middle extras, art, layout
    // file name). `addresses`: the view lent of the open address file, whose current record the
    // elements show and whose records the record buttons move through (nullptr: none). It must
    // outlive the window.
    TLabelDesignScreen(const LabelSetup& setup, const ToolWindowView* addresses, QWidget* parent = nullptr);
    ~TLabelDesignScreen() override;

    // New: an empty layout and the description "<New Label>"; the first showing places a
    // mailing-address block filling the label, selects it and explains it to the user.
    void BeginNewLabel();
    // Modify: the layout is cleared, then the file's elements are loaded (a missing file loads
    // nothing and is no error; a damaged one loads nothing and the error is returned for the
    // caller to report) and show the current record's values.
    Status LoadLayout(const std::string& path);

    // After the window ended with "Save" (exec() == Accepted): the values to store, description
    // cut to 50 characters.
    const LabelSetup& Setup() const;
    bool NewLabel() const { return FNewLabel; }
    // Writes the layout with record values cleared (ClearDataValues, SaveToFile).
    Status SaveLayout(const std::string& path);

    // The layout model and the widget showing it (for the caller and tests).
    TGLabelPanel& Panel() const { return *FPanel; }
    TGDesignPanel& DesignPanel() const { return *FDesignPanel; }
    LabelDesignSession& Session() const { return *FSession; }

    // The first activation's work (done by the first showing; tests may call it without showing).
    void Activate();
    // Whether "Save" is offered.
    bool SaveOffered() const;

    // The commands of the window's buttons (the buttons call them; tests may too).
    void SelectTool(TPanelState tool);
    void ZoomIn();
    void ZoomOut();
    void MoveRecord(RecordButton button);
    void SetShowArt(bool down);
    void ChangeLayout();
    void ChooseDefaultFont();
    void SaveClicked();

  protected:
    void showEvent(QShowEvent* event) override;
    void done(int result) override;
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void BuildControls();
    QToolButton* AddTool(TPanelState tool, const QString& objectName, const QString& hint);
    void PanelChanged();
    void ObjectDropped();
    void ShowSaveButton();
    void UpdateLayoutName();
    void UpdateDefaultFontCaption();
    void UpdateZoomCaption();
    void AfterGeometryDialog(bool confirmed, bool fromTemplate, bool artWasDown);
    bool HandleWindowKey(QKeyEvent* event, bool release);

    std::unique_ptr<ComponentOwner> FOwner;
    std::unique_ptr<TGLabelPanel> FPanel;
    std::unique_ptr<LabelDesignSession> FSession;
    TGDesignPanel* FDesignPanel = nullptr;
    bool FNewLabel = false;
    bool FActivated = false;

    QLabel* FLayoutName = nullptr;
    QPushButton* FDefaultFontButton = nullptr;
    QLineEdit* FDescription = nullptr;
    QButtonGroup* FTools = nullptr;
    QLabel* FZoomCaption = nullptr;
    QToolButton* FShowGrid = nullptr;
    QToolButton* FSnapToGrid = nullptr;
    QToolButton* FShowArt = nullptr;
    QToolButton* FFieldNames = nullptr;
    QScrollArea* FScroll = nullptr;
    QPushButton* FSave = nullptr;
    QPushButton* FCancel = nullptr;
    QPushButton* FChangeLayout = nullptr;
    QPushButton* FHelp = nullptr;
};

} // namespace corvane
