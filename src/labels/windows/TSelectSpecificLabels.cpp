#include "labels/windows/TSelectSpecificLabels.h"

#include <algorithm>
#include <cmath>

#include <QComboBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

#include "platform/MessageService.h"
#include "platform/windows/WhatsThis.h"
#include "platform/windows/WindowPlacement.h"

namespace corvane {

namespace {

constexpr int PictureMargin = 10;

int Cut(double inches, double scale)
{
    return static_cast<int>(std::trunc(inches * scale));
}

// The sheet a picture is at least as large as, so the window keeps its size for common stock.
constexpr double LetterWidth = 8.5;
constexpr double LetterDepth = 11.0;

} // namespace

QRect SheetPictureGeometry::Page(const LabelSetup& setup, double scale)
{
    return QRect(PictureMargin, PictureMargin, Cut(setup.SheetWidth, scale), Cut(setup.SheetDepth, scale));
}

QRect SheetPictureGeometry::Position(const LabelSetup& setup, int column, int row, double scale)
{
    int left = PictureMargin + Cut(setup.LeftMargin, scale) + column * Cut(setup.HorizontalPitch, scale);
    if (column >= setup.Across / 2 && setup.MiddleExtraX > 0)
        left += Cut(setup.MiddleExtraX, scale);
    int top = PictureMargin + Cut(setup.TopMargin, scale) + row * Cut(setup.VerticalPitch, scale);
    if (row >= setup.Down / 2 && setup.MiddleExtraY > 0)
        top += Cut(setup.MiddleExtraY, scale);
    return QRect(left, top, Cut(setup.LabelWidth, scale), Cut(setup.LabelHeight, scale));
}

int SheetPictureGeometry::PositionAt(const LabelSetup& setup, const QPoint& point, double scale)
{
    const int positions = std::min(setup.Positions(), MaxLabelPositions);
    for (int position = 0; position < positions; ++position) {
        const int row = position / setup.Across;
        const int column = position % setup.Across;
        if (Position(setup, column, row, scale).contains(point))
            return position;
    }
    return -1;
}

// ---- the picture ----

TLabelSheetPicture::TLabelSheetPicture(const LabelSetup& setup, LabelPositions& flags, QWidget* parent)
    : QWidget(parent), FSetup(setup), FFlags(flags)
{
    setObjectName("SheetPicture");
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
}

double TLabelSheetPicture::Scale() const
{
    return 0.2 * logicalDpiX();
}

QRect TLabelSheetPicture::PositionRect(int position) const
{
    if (FSetup.Across <= 0)
        return {};
    return SheetPictureGeometry::Position(FSetup, position % FSetup.Across, position / FSetup.Across,
                                          Scale());
}

QSize TLabelSheetPicture::sizeHint() const
{
    const double scale = Scale();
    const int width = std::max(Cut(LetterWidth, scale), Cut(FSetup.SheetWidth, scale));
    const int height = std::max(Cut(LetterDepth, scale), Cut(FSetup.SheetDepth, scale));
    return QSize(width + 2 * PictureMargin, height + 2 * PictureMargin);
}

void TLabelSheetPicture::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setPen(Qt::black);
    painter.setBrush(Qt::white);
    painter.drawRect(SheetPictureGeometry::Page(FSetup, Scale()));
    const int positions = std::min(FSetup.Positions(), MaxLabelPositions);
    for (int position = 0; position < positions; ++position) {
        painter.setBrush(FFlags.test(static_cast<size_t>(position)) ? QColor(Qt::red) : QColor(Qt::white));
        painter.drawRect(PositionRect(position));
    }
}

void TLabelSheetPicture::mousePressEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton || FSetup.Across <= 0)
        return QWidget::mousePressEvent(event);
    const int position = SheetPictureGeometry::PositionAt(FSetup, event->position().toPoint(), Scale());
    if (position < 0)
        return;
    FFlags.flip(static_cast<size_t>(position));
    update();
    emit Toggled(position);
}

// ---- the dialog ----

TSelectSpecificLabels::TSelectSpecificLabels(const LabelSetup& setup, const LabelPositions& positions,
                                             const QStringList& printers, int printerIndex, bool presort,
                                             int copies, QWidget* parent)
    : QDialog(parent), FSetup(setup), FPositions(positions)
{
    setObjectName("TSelectSpecificLabels");
    setWindowTitle("Labels Print");

    SheetPanel = new QGroupBox(" Select Labels To Print", this);
    SheetPanel->setObjectName("SheetPanel");
    SheetPicture = new TLabelSheetPicture(FSetup, FPositions, SheetPanel);
    auto* sheetLayout = new QVBoxLayout(SheetPanel);
    sheetLayout->addWidget(SheetPicture, 0, Qt::AlignCenter);

    AllButton = new QPushButton("&All", this);
    AllButton->setObjectName("AllButton");
    AllButton->setAutoDefault(false);
    NoneButton = new QPushButton("&None", this);
    NoneButton->setObjectName("NoneButton");
    NoneButton->setAutoDefault(false);

    CopiesLabel = new QLabel("Number of each label to print", this);
    CopiesLabel->setObjectName("CopiesLabel");
    CopiesSpin = new QSpinBox(this);
    CopiesSpin->setObjectName("CopiesSpin");
    CopiesSpin->setRange(1, MaxCopies);
    CopiesSpin->setValue(std::clamp(copies, 1, MaxCopies));
    CopiesLabel->setBuddy(CopiesSpin);
    CopiesLabel->setVisible(!presort);
    CopiesSpin->setVisible(!presort);

    auto* printerLabel = new QLabel("Printer", this);
    PrinterList = new QComboBox(this);
    PrinterList->setObjectName("PrinterList");
    PrinterList->addItems(printers);
    PrinterList->setCurrentIndex(printerIndex >= 0 && printerIndex < printers.size() ? printerIndex : 0);
    printerLabel->setBuddy(PrinterList);

    OkButton = new QPushButton("Ok", this);
    OkButton->setObjectName("OkButton");
    OkButton->setDefault(true);
    CancelButton = new QPushButton("Cancel", this);
    CancelButton->setObjectName("CancelButton");
    CancelButton->setAutoDefault(false);

    auto* side = new QVBoxLayout;
    side->addWidget(AllButton);
    side->addWidget(NoneButton);
    side->addSpacing(12);
    side->addWidget(CopiesLabel);
    side->addWidget(CopiesSpin);
    side->addSpacing(12);
    side->addWidget(printerLabel);
    side->addWidget(PrinterList);
    side->addStretch();
    side->addWidget(OkButton);
    side->addWidget(CancelButton);
    auto* layout = new QHBoxLayout(this);
    layout->addWidget(SheetPanel);
    layout->addLayout(side);

    connect(AllButton, &QPushButton::clicked, this, &TSelectSpecificLabels::AllButtonClick);
    connect(NoneButton, &QPushButton::clicked, this, &TSelectSpecificLabels::NoneButtonClick);
    connect(OkButton, &QPushButton::clicked, this, &TSelectSpecificLabels::OkButtonClick);
    connect(CancelButton, &QPushButton::clicked, this, &TSelectSpecificLabels::CancelButtonClick);

    InstallWhatsThis(
        this,
        {
            {"SheetPicture", "One box per label of the sheet. Red labels are printed, white ones are left "
                             "empty on every sheet. Click a label to switch it."},
            {"AllButton", "Prints on every label of the sheet."},
            {"NoneButton", "Clears every label, so you can click the few to print on."},
            {"CopiesSpin", "How many labels to print for each record, one after the other."},
            {"PrinterList", "The printer the labels go to."},
            {"OkButton", "Prints (or previews) on the selected labels."},
            {"CancelButton", "Closes this window without printing."},
        });
    CentreForm(this);
}

int TSelectSpecificLabels::Copies() const
{
    return std::max(1, CopiesSpin->value());
}

int TSelectSpecificLabels::PrinterIndex() const
{
    return PrinterList->currentIndex();
}

bool TSelectSpecificLabels::AnySheetPositionSelected() const
{
    return corvane::AnySheetPositionSelected(FPositions, FSetup.Across, FSetup.Down);
}

void TSelectSpecificLabels::SetAll(bool selected)
{
    if (selected)
        FPositions.set();
    else
        FPositions.reset();
    SheetPicture->update();
}

void TSelectSpecificLabels::AllButtonClick()
{
    SetAll(true);
}

void TSelectSpecificLabels::NoneButtonClick()
{
    SetAll(false);
}

void TSelectSpecificLabels::OkButtonClick()
{
    // Flags beyond this sheet's positions (kept from a larger sheet) print nothing.
    if (!AnySheetPositionSelected()) {
        ShowInfo("You must select at least one card to print");
        return;
    }
    accept();
}

void TSelectSpecificLabels::CancelButtonClick()
{
    reject();
}

} // namespace corvane
