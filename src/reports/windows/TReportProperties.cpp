#include "reports/windows/TReportProperties.h"

#include <algorithm>
#include <cmath>

#include <QCheckBox>
#include <QColorDialog>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTabWidget>
#include <QVBoxLayout>

#include "platform/windows/HelpViewer.h"
#include "printing/pages/ReportPage.h"

namespace corvane {

namespace {

const char* const BandNames[] = {"Header", "Detail", "Memo", "Footer"};

} // namespace

TReportProperties::TReportProperties(const ReportSettings& settings, double pixelsPerInch, QWidget* parent)
    : QDialog(parent), FSettings(settings), FPpi(pixelsPerInch)
{
    setObjectName("TReportProperties");
    setWindowTitle("Report Layout");
    auto* layout = new QHBoxLayout(this);
    auto* left = new QVBoxLayout;
    Tabs = new QTabWidget(this);
    Tabs->setObjectName("Tabs");

    auto* page = new QWidget(Tabs);
    auto* pageLayout = new QVBoxLayout(page);
    auto* orientation = new QGroupBox("Orientation", page);
    auto* orientationLayout = new QVBoxLayout(orientation);
    PortraitButton = new QRadioButton("Portrait", orientation);
    PortraitButton->setObjectName("PortraitButton");
    LandscapeButton = new QRadioButton("Landscape", orientation);
    LandscapeButton->setObjectName("LandscapeButton");
    orientationLayout->addWidget(PortraitButton);
    orientationLayout->addWidget(LandscapeButton);
    auto* size = new QGroupBox("Size", page);
    auto* sizeLayout = new QVBoxLayout(size);
    LetterButton = new QRadioButton("Letter", size);
    LetterButton->setObjectName("LetterButton");
    A4Button = new QRadioButton("A4", size);
    A4Button->setObjectName("A4Button");
    sizeLayout->addWidget(LetterButton);
    sizeLayout->addWidget(A4Button);
    auto* margins = new QGroupBox("Margins (in inches)", page);
    auto* marginsLayout = new QFormLayout(margins);
    const char* const marginNames[] = {"Left", "Top", "Right", "Bottom"};
    for (size_t i = 0; i < 4; ++i) {
        Margins[i] = new QDoubleSpinBox(margins);
        Margins[i]->setObjectName(QString(marginNames[i]) + "Margin");
        Margins[i]->setRange(0.5, 2.5);
        Margins[i]->setDecimals(2);
        Margins[i]->setSingleStep(0.05);
        marginsLayout->addRow(marginNames[i], Margins[i]);
    }
    pageLayout->addWidget(orientation);
    pageLayout->addWidget(size);
    pageLayout->addWidget(margins);
    Tabs->addTab(page, "Page");

    for (size_t band = 0; band < 4; ++band) {
        auto* tab = new QWidget(Tabs);
        auto* tabLayout = new QVBoxLayout(tab);
        auto* borders = new QGroupBox("Borders", tab);
        auto* bordersLayout = new QHBoxLayout(borders);
        BandControls& controls = Bands[band];
        controls.Top = new QCheckBox("Top", borders);
        controls.Left = new QCheckBox("Left", borders);
        controls.Bottom = new QCheckBox("Bottom", borders);
        controls.Right = new QCheckBox("Right", borders);
        for (QCheckBox* box : {controls.Top, controls.Left, controls.Bottom, controls.Right}) {
            box->setObjectName(QString(BandNames[band]) + box->text());
            bordersLayout->addWidget(box);
        }
        auto* form = new QFormLayout;
        controls.LineWidth = new QSpinBox(tab);
        controls.LineWidth->setObjectName(QString(BandNames[band]) + "LineWidth");
        controls.LineWidth->setRange(1, 3);
        controls.ShadePercent = new QComboBox(tab);
        controls.ShadePercent->setObjectName(QString(BandNames[band]) + "ShadePercent");
        for (int percent = 0; percent <= 100; percent += 20)
            controls.ShadePercent->addItem(QString::number(percent), percent);
        controls.ShadeColor = new QPushButton("Shade Color", tab);
        controls.ShadeColor->setObjectName(QString(BandNames[band]) + "ShadeColor");
        form->addRow("Line Width", controls.LineWidth);
        form->addRow("Shade Percent", controls.ShadePercent);
        form->addRow(QString(), controls.ShadeColor);
        tabLayout->addWidget(borders);
        tabLayout->addLayout(form);
        tabLayout->addStretch(1);
        Tabs->addTab(tab, BandNames[band]);
        connect(controls.ShadeColor, &QPushButton::clicked, this, [this, band] {
            const QColor chosen = QColorDialog::getColor(Bands[band].Colour, this);
            if (chosen.isValid()) {
                Bands[band].Colour = chosen;
                Thumbnail->update();
            }
        });
        for (QCheckBox* box : {controls.Top, controls.Left, controls.Bottom, controls.Right})
            connect(box, &QCheckBox::toggled, this, [this] { Thumbnail->update(); });
        connect(controls.ShadePercent, &QComboBox::currentIndexChanged, this,
                [this] { Thumbnail->update(); });
    }
    left->addWidget(Tabs);
    auto* buttons = new QHBoxLayout;
    SaveButton = new QPushButton("Save", this);
    SaveButton->setObjectName("SaveButton");
    CancelButton = new QPushButton("Cancel", this);
    CancelButton->setObjectName("CancelButton");
    DefaultsButton = new QPushButton("Defaults", this);
    DefaultsButton->setObjectName("DefaultsButton");
    HelpButton = new QPushButton("Help", this);
    HelpButton->setObjectName("HelpButton");
    for (QPushButton* button : {SaveButton, CancelButton, DefaultsButton, HelpButton})
        buttons->addWidget(button);
    left->addLayout(buttons);
    layout->addLayout(left);
    Thumbnail = new ReportLayoutThumbnail(*this);
    layout->addWidget(Thumbnail);

    for (QRadioButton* button : {PortraitButton, LandscapeButton, LetterButton, A4Button})
        connect(button, &QRadioButton::toggled, this, [this] { Thumbnail->update(); });
    for (QDoubleSpinBox* margin : Margins)
        connect(margin, &QDoubleSpinBox::valueChanged, this, [this] { Thumbnail->update(); });
    connect(SaveButton, &QPushButton::clicked, this, &QDialog::accept);
    connect(CancelButton, &QPushButton::clicked, this, &QDialog::reject);
    connect(DefaultsButton, &QPushButton::clicked, this, [this] { DefaultsClick(); });
    connect(HelpButton, &QPushButton::clicked, this, [] { ShowHelpContext(HelpContext); });
    Show(settings);
}

void TReportProperties::Show(const ReportSettings& settings)
{
    const ReportPaper paper = RecogniseReportPaper(settings, FPpi);
    const bool a4 = paper == ReportPaper::A4Portrait || paper == ReportPaper::A4Landscape;
    const bool landscape = paper == ReportPaper::LetterLandscape || paper == ReportPaper::A4Landscape ||
                           (paper == ReportPaper::Other && settings.PageWidth > settings.PageHeight);
    A4Button->setChecked(a4);
    LetterButton->setChecked(!a4);
    LandscapeButton->setChecked(landscape);
    PortraitButton->setChecked(!landscape);
    const int pixels[] = {settings.LeftMargin, settings.TopMargin, settings.RightMargin,
                          settings.BottomMargin};
    for (size_t i = 0; i < 4; ++i)
        Margins[i]->setValue(pixels[i] / FPpi);
    for (size_t band = 0; band < 4; ++band) {
        const BandFrame& frame = settings.Frames[band];
        BandControls& controls = Bands[band];
        controls.Top->setChecked(frame.Top);
        controls.Left->setChecked(frame.Left);
        controls.Bottom->setChecked(frame.Bottom);
        controls.Right->setChecked(frame.Right);
        controls.LineWidth->setValue(frame.LineWidth);
        controls.ShadePercent->setCurrentIndex(std::clamp(frame.ShadePercent / 20, 0, 5));
        controls.Colour = QColor(frame.Red, frame.Green, frame.Blue);
    }
}

ReportSettings TReportProperties::Settings() const
{
    ReportSettings settings = FSettings;
    const bool a4 = A4Button->isChecked();
    const double shortSide = a4 ? 8.27 : 8.5;
    const double longSide = a4 ? 11.68 : 11;
    const bool landscape = LandscapeButton->isChecked();
    settings.PageWidth = InchesToPixels(landscape ? longSide : shortSide, FPpi);
    settings.PageHeight = InchesToPixels(landscape ? shortSide : longSide, FPpi);
    int* const pixels[] = {&settings.LeftMargin, &settings.TopMargin, &settings.RightMargin,
                           &settings.BottomMargin};
    for (size_t i = 0; i < 4; ++i)
        *pixels[i] = InchesToPixels(Margins[i]->value(), FPpi);
    for (size_t band = 0; band < 4; ++band) {
        const BandControls& controls = Bands[band];
        BandFrame& frame = settings.Frames[band];
        frame.Top = controls.Top->isChecked();
        frame.Left = controls.Left->isChecked();
        frame.Bottom = controls.Bottom->isChecked();
        frame.Right = controls.Right->isChecked();
        frame.LineWidth = controls.LineWidth->value();
        frame.ShadePercent = controls.ShadePercent->currentData().toInt();
        frame.Red = controls.Colour.red();
        frame.Green = controls.Colour.green();
        frame.Blue = controls.Colour.blue();
    }
    return settings;
}

void TReportProperties::DefaultsClick()
{
    ReportSettings defaults = FSettings;
    defaults.PageWidth = InchesToPixels(8.5, FPpi);
    defaults.PageHeight = InchesToPixels(11, FPpi);
    defaults.LeftMargin = defaults.TopMargin = defaults.RightMargin = defaults.BottomMargin =
        InchesToPixels(0.5, FPpi);
    for (BandFrame& frame : defaults.Frames)
        frame = BandFrame{false, false, false, false, 1, 0, 255, 255, 255};
    Show(defaults);
    Thumbnail->update();
}

ReportLayoutThumbnail::ReportLayoutThumbnail(TReportProperties& owner) : QWidget(&owner), FOwner(owner)
{
    setObjectName("Thumbnail");
    setFixedSize(12 * TReportProperties::ThumbnailPixelsPerInch + 10,
                 12 * TReportProperties::ThumbnailPixelsPerInch + 10);
}

QRect ReportLayoutThumbnail::PageRect() const
{
    const ReportSettings settings = FOwner.Settings();
    constexpr double scale = TReportProperties::ThumbnailPixelsPerInch / 96.0;
    return QRect(5, 5, static_cast<int>(settings.PageWidth * scale),
                 static_cast<int>(settings.PageHeight * scale));
}

std::array<QRect, 4> ReportLayoutThumbnail::BandRects() const
{
    const ReportSettings settings = FOwner.Settings();
    const double scale = TReportProperties::ThumbnailPixelsPerInch / 96.0;
    const QRect page = PageRect();
    const int left = page.left() + static_cast<int>(settings.LeftMargin * scale);
    const int right = page.right() - static_cast<int>(settings.RightMargin * scale);
    const int top = page.top() + static_cast<int>(settings.TopMargin * scale);
    const int bottom = page.bottom() - static_cast<int>(settings.BottomMargin * scale);
    const int band = std::max(4, static_cast<int>(33 * scale));
    const QRect header(QPoint(left, top), QPoint(right, top + band));
    const QRect footer(QPoint(left, bottom - band), QPoint(right, bottom));
    const QRect memo(QPoint(left, footer.top() - 1 - band), QPoint(right, footer.top() - 1));
    const QRect detail(QPoint(left, header.bottom() + 1), QPoint(right, memo.top() - 1));
    return {header, detail, memo, footer};
}

void ReportLayoutThumbnail::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.fillRect(rect(), palette().window());
    painter.fillRect(PageRect(), Qt::white);
    painter.setPen(Qt::black);
    painter.drawRect(PageRect());
    const auto rects = BandRects();
    for (size_t band = 0; band < 4; ++band) {
        const TReportProperties::BandControls& controls = FOwner.Bands[band];
        painter.fillRect(rects[band],
                         ShadeColour(controls.Colour, controls.ShadePercent->currentData().toInt()));
        const QRect r = rects[band];
        if (controls.Top->isChecked())
            painter.drawLine(r.topLeft(), r.topRight());
        if (controls.Right->isChecked())
            painter.drawLine(r.topRight(), r.bottomRight());
        if (controls.Bottom->isChecked())
            painter.drawLine(r.bottomLeft(), r.bottomRight());
        if (controls.Left->isChecked())
            painter.drawLine(r.topLeft(), r.bottomLeft());
    }
}

void ReportLayoutThumbnail::mousePressEvent(QMouseEvent* event)
{
    FOwner.Tabs->setCurrentIndex(FOwner.TabAt(event->position().toPoint()));
}

int TReportProperties::TabAt(const QPoint& point) const
{
    const auto rects = Thumbnail->BandRects();
    for (size_t band = 0; band < 4; ++band)
        if (rects[band].contains(point))
            return static_cast<int>(band) + 1;
    return 0;
}

} // namespace corvane
