#pragma once
// "Report Designer": the description, the paper, the default font, the element tools and the page
// area, a ruler over a stack of bands (header, detail, memo, footer) each under a caption bar
// with its use box and over a sizer that sets its height. Save checks and trims the bands and
// stores their heights in the settings; the caller writes the row and the file.

#include <array>

#include <QDialog>
#include <QWidget>

#include "layout/ComponentOwner.h"
#include "layout/LayoutRecordSource.h"
#include "platform/xbase/Table.h"
#include "reports/ReportSettings.h"
#include "reports/TReportPanel.h"

class QButtonGroup;
class QCheckBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QScrollArea;
class QToolButton;

namespace corvane {

class TGDesignPanel;

// The inch ruler over the bands: sixteenths a quarter of its height, half inches half, inches
// full with their number in 7-point grey; zero at the left margin.
class THRuler : public QWidget {
    Q_OBJECT
  public:
    THRuler(double pixelsPerInch, QWidget* parent = nullptr);
    void SetLeftMargin(int pixels);
    int LeftMargin() const { return FLeftMargin; }
    // The tick of a sixteenth `index` from zero: its height in pixels (0: no tick).
    int TickHeight(int index) const;

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    double FPpi;
    int FLeftMargin = 0;
};

// The bar under a band; dragging it changes the band's height.
class BandSizer : public QWidget {
    Q_OBJECT
  public:
    explicit BandSizer(QWidget* parent = nullptr);
  signals:
    void pressed();
    void dragged(int dy);
    void released();

  protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

  private:
    int FStartY = 0;
    bool FDragging = false;
};

class TReportDesigner : public QDialog {
    Q_OBJECT
  public:
    static constexpr int HelpContext = 1079;
    static constexpr int MemoBandHeight = 60;

    TReportDesigner(const ReportSettings& settings, const QString& description, double pixelsPerInch,
                    QWidget* parent = nullptr);
    ~TReportDesigner() override;

    ReportSettings& Settings() { return FSettings; }
    QString Description() const;
    TReportPanel& Band(int band) { return *FPanels[static_cast<size_t>(band)]; }
    TGDesignPanel& BandWidget(int band) { return *FDesignPanels[static_cast<size_t>(band)]; }
    BandSizer& Sizer(int band) { return *FSizers[static_cast<size_t>(band)]; }

    // The page area laid out again from the settings.
    void LayoutPage();
    // Chooses a tool on all three bands.
    void ChooseTool(int tool);
    // Save: false (the window stays) when no band is used.
    bool SaveClick();
    void ChangeLayoutClick();
    // A drag of band 0..2's sizer by dy pixels from its height when the drag began.
    void SizerDrag(int band, int dy);
    void SizerRelease(int band);
    void SetMemoAlignment(int alignment);
    // The address table the record navigator moves (borrowed; nullptr: no navigator).
    void SetRecordTable(xbase::Table* table, const FieldCatalogue& catalogue);
    // First (0), previous (1), next (2) or last (3) record; the detail band shows it.
    void Navigate(int step);
    const AddressRecordSource* RecordSource() const { return FSource.get(); }

    QLineEdit* DescriptionEdit;
    QLabel* LayoutLabel;
    QPushButton* DefaultFontButton;
    QButtonGroup* Tools;
    QToolButton* ShowGridButton;
    QToolButton* SnapToGridButton;
    QToolButton* FieldNamesButton;
    THRuler* Ruler;
    std::array<QCheckBox*, 4> UseBoxes{};
    QPlainTextEdit* MemoBand;
    QToolButton* MemoPropertiesButton;
    QPushButton* SaveButton;
    QPushButton* CancelButton;
    QPushButton* ChangeLayoutButton;
    QPushButton* HelpButton;
    std::array<QToolButton*, 4> RecordButtons{};

  protected:
    void showEvent(QShowEvent* event) override;
    void done(int result) override;

  private:
    void UpdateDefaultFontCaption();
    void ChooseDefaultFont();

    ReportSettings FSettings;
    double FPpi;
    ComponentOwner FOwner;
    std::array<std::unique_ptr<TReportPanel>, 3> FPanels;
    std::array<TGDesignPanel*, 3> FDesignPanels{};
    std::array<BandSizer*, 3> FSizers{};
    std::array<QWidget*, 4> FCaptions{};
    QScrollArea* FArea;
    QWidget* FPage;
    int FDragStart = -1;
    xbase::Table* FTable = nullptr;
    std::unique_ptr<AddressRecordSource> FSource;
};

} // namespace corvane
