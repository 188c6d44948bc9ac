#pragma once
// "Report Layout": the paper, orientation and margins ("Page") and each band's borders, line
// width and shade ("Header", "Detail", "Memo", "Footer") of a copy of the report's settings,
// with a thumbnail of the page at 20 pixels per inch. Save hands the copy back.

#include <array>

#include <QDialog>
#include <QWidget>

#include "reports/ReportSettings.h"

class QCheckBox;
class QComboBox;
class QDoubleSpinBox;
class QPushButton;
class QRadioButton;
class QSpinBox;
class QTabWidget;

namespace corvane {

class ReportLayoutThumbnail;

class TReportProperties : public QDialog {
    Q_OBJECT
  public:
    static constexpr int HelpContext = 1078;
    static constexpr int ThumbnailPixelsPerInch = 20;

    TReportProperties(const ReportSettings& settings, double pixelsPerInch, QWidget* parent = nullptr);

    // The settings as the controls have them.
    ReportSettings Settings() const;
    // The tab a click at `point` of the thumbnail selects: 0 the page, 1..4 a band.
    int TabAt(const QPoint& point) const;
    void DefaultsClick();

    QTabWidget* Tabs;
    QRadioButton* PortraitButton;
    QRadioButton* LandscapeButton;
    QRadioButton* LetterButton;
    QRadioButton* A4Button;
    std::array<QDoubleSpinBox*, 4> Margins{}; // left, top, right, bottom
    struct BandControls {
        QCheckBox* Top = nullptr;
        QCheckBox* Left = nullptr;
        QCheckBox* Bottom = nullptr;
        QCheckBox* Right = nullptr;
        QSpinBox* LineWidth = nullptr;
        QComboBox* ShadePercent = nullptr;
        QPushButton* ShadeColor = nullptr;
        QColor Colour;
    };
    std::array<BandControls, 4> Bands; // header, detail, memo, footer
    ReportLayoutThumbnail* Thumbnail;
    QPushButton* SaveButton;
    QPushButton* CancelButton;
    QPushButton* DefaultsButton;
    QPushButton* HelpButton;

  private:
    void Show(const ReportSettings& settings);

    ReportSettings FSettings;
    double FPpi;
};

class ReportLayoutThumbnail : public QWidget {
    Q_OBJECT
  public:
    explicit ReportLayoutThumbnail(TReportProperties& owner);
    // Band rectangles (header, detail, memo, footer) and the page at 20 pixels per inch.
    QRect PageRect() const;
    std::array<QRect, 4> BandRects() const;

  protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

  private:
    TReportProperties& FOwner;
};

} // namespace corvane
