#include "reports/windows/TReportDesigner.h"

#include <algorithm>
#include <cmath>

#include <QButtonGroup>
#include <QCheckBox>
#include <QFontDialog>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollArea>
#include <QToolButton>
#include <QVBoxLayout>

#include "core/AddressRecord.h"
#include "layout/DesignDefaultFont.h"
#include "layout/designer/DesignScreenParts.h"
#include "layout/designer/TGDesignPanel.h"
#include "platform/MessageService.h"
#include "platform/windows/HelpViewer.h"
#include "platform/windows/WindowPlacement.h"
#include "printing/pages/ReportPage.h"
#include "reports/DesignedReport.h"
#include "reports/ReportDesignLayout.h"
#include "reports/windows/TReportProperties.h"

namespace corvane {

namespace {

constexpr int RulerHeight = 20;

struct ToolEntry {
    TReportTool Tool;
    const char* Hint;
    const char* Name;
};

const ToolEntry ToolTable[] = {
    {TReportTool::psPointing, "Selection tool", "SelectionTool"},
    {TReportTool::Text, "Text tool", "TextTool"},
    {TReportTool::DatabaseField, "Database Field tool", "FieldTool"},
    {TReportTool::Line, "Line Tool", "LineTool"},
    {TReportTool::ClipArt, "Clip Art Tool", "ClipArtTool"},
    {TReportTool::DateTime, "Date Time Tool", "DateTimeTool"},
    {TReportTool::PageNumber, "Page Number Tool", "PageNumberTool"},
    {TReportTool::Symbol, "Symbol tool", "SymbolTool"},
    {TReportTool::Rectangle, "Rectangle tool", "RectangleTool"},
    {TReportTool::Ellipse, "Ellipse tool", "EllipseTool"},
    {TReportTool::RoundRectangle, "Round Rectangle tool", "RoundRectangleTool"},
};

const char* const BandCaptions[] = {"Header", "Detail", "Memo", "Footer"};

DesignDefaultFont ElementFontOf(const ReportSettings& settings)
{
    return DesignDefaultFont{settings.ElementFontName.toStdString(), settings.ElementFontSize,
                             settings.ElementBold, settings.ElementItalic};
}

} // namespace

THRuler::THRuler(double pixelsPerInch, QWidget* parent) : QWidget(parent), FPpi(pixelsPerInch)
{
    setObjectName("THRuler");
    setFixedHeight(RulerHeight);
}

void THRuler::SetLeftMargin(int pixels)
{
    FLeftMargin = pixels;
    update();
}

int THRuler::TickHeight(int index) const
{
    if (index % 16 == 0)
        return height();
    if (index % 8 == 0)
        return height() / 2;
    return height() / 4;
}

void THRuler::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.fillRect(rect(), Qt::white);
    QFont font(ReportFontFamily(QStringLiteral("Arial")));
    font.setPointSize(7);
    painter.setFont(font);
    const int bottom = height() - 1;
    for (int i = 0;; ++i) {
        const int x = FLeftMargin + static_cast<int>(std::lround(i * FPpi / 16));
        if (x > width())
            break;
        painter.setPen(Qt::black);
        painter.drawLine(x, bottom, x, bottom - TickHeight(i) + 1);
        if (i % 16 == 0 && i > 0) {
            painter.setPen(Qt::gray);
            painter.drawText(QPoint(x + 2, 9), QString::number(i / 16));
        }
    }
}

BandSizer::BandSizer(QWidget* parent) : QWidget(parent)
{
    setFixedHeight(BandSizerHeight);
    setCursor(Qt::SizeVerCursor);
    setAutoFillBackground(true);
    QPalette palette = this->palette();
    palette.setColor(QPalette::Window, QColor(192, 192, 192));
    setPalette(palette);
}

void BandSizer::mousePressEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton || !isEnabled())
        return;
    FDragging = true;
    FStartY = event->globalPosition().toPoint().y();
    emit pressed();
}

void BandSizer::mouseMoveEvent(QMouseEvent* event)
{
    if (FDragging)
        emit dragged(event->globalPosition().toPoint().y() - FStartY);
}

void BandSizer::mouseReleaseEvent(QMouseEvent* event)
{
    if (!FDragging || event->button() != Qt::LeftButton)
        return;
    FDragging = false;
    emit released();
}

TReportDesigner::TReportDesigner(const ReportSettings& settings, const QString& description,
                                 double pixelsPerInch, QWidget* parent)
    : QDialog(parent), FSettings(settings), FPpi(pixelsPerInch)
{
    setObjectName("TReportDesigner");
    setWindowTitle("Report Designer");
    setSizeGripEnabled(true);
    const TReportPanelKind kinds[] = {TReportPanelKind::rpkHeader, TReportPanelKind::rpkDetail,
                                      TReportPanelKind::rpkFooter};
    for (size_t i = 0; i < 3; ++i) {
        FPanels[i] = std::make_unique<TReportPanel>(FOwner, kinds[i]);
        FPanels[i]->SetPixelsPerInch(pixelsPerInch);
    }

    auto* layout = new QVBoxLayout(this);
    auto* top = new QHBoxLayout;
    top->addWidget(new QLabel("Description:", this));
    DescriptionEdit = new QLineEdit(description.left(60), this);
    DescriptionEdit->setObjectName("DescriptionEdit");
    DescriptionEdit->setMaxLength(60);
    top->addWidget(DescriptionEdit, 1);
    top->addWidget(new QLabel("Layout:", this));
    LayoutLabel = new QLabel(this);
    LayoutLabel->setObjectName("LayoutLabel");
    top->addWidget(LayoutLabel);
    DefaultFontButton = new QPushButton(this);
    DefaultFontButton->setObjectName("DefaultFontButton");
    top->addWidget(DefaultFontButton);
    layout->addLayout(top);

    auto* toolBar = new QHBoxLayout;
    Tools = new QButtonGroup(this);
    Tools->setExclusive(true);
    for (const ToolEntry& entry : ToolTable) {
        auto* button = new QToolButton(this);
        button->setObjectName(entry.Name);
        button->setToolTip(entry.Hint);
        button->setText(QString(entry.Hint).section(' ', 0, 0));
        button->setCheckable(true);
        Tools->addButton(button, static_cast<int>(entry.Tool));
        toolBar->addWidget(button);
    }
    Tools->button(0)->setChecked(true);
    ShowGridButton = ToggleButton("ShowGridButton", "Show grid", GridIcon(false), this);
    SnapToGridButton = ToggleButton("SnapToGridButton", "Snap to Grid", GridIcon(true), this);
    FieldNamesButton = ToggleButton("FieldNamesButton", "Toggle display of field names or field values",
                                    TextIcon("[ ]"), this);
    for (QToolButton* button : {ShowGridButton, SnapToGridButton, FieldNamesButton})
        toolBar->addWidget(button);
    toolBar->addStretch(1);
    layout->addLayout(toolBar);

    FArea = new QScrollArea(this);
    FArea->setObjectName("PageArea");
    FPage = new QWidget;
    FPage->setObjectName("Page");
    FArea->setWidget(FPage);
    FArea->setWidgetResizable(false);
    layout->addWidget(FArea, 1);
    Ruler = new THRuler(pixelsPerInch, FPage);
    for (int band = 0; band < 4; ++band) {
        auto* caption = new QWidget(FPage);
        caption->setObjectName(QString(BandCaptions[band]) + "Caption");
        caption->setAutoFillBackground(true);
        auto* row = new QHBoxLayout(caption);
        row->setContentsMargins(2, 0, 2, 0);
        UseBoxes[static_cast<size_t>(band)] = new QCheckBox(BandCaptions[band], caption);
        UseBoxes[static_cast<size_t>(band)]->setObjectName(QString("Use") + BandCaptions[band]);
        row->addWidget(UseBoxes[static_cast<size_t>(band)]);
        row->addStretch(1);
        FCaptions[static_cast<size_t>(band)] = caption;
        if (band == 2) {
            MemoPropertiesButton = new QToolButton(caption);
            MemoPropertiesButton->setObjectName("MemoPropertiesButton");
            MemoPropertiesButton->setText("Properties");
            MemoPropertiesButton->setPopupMode(QToolButton::InstantPopup);
            auto* menu = new QMenu(MemoPropertiesButton);
            menu->addAction("Font", this, [this] {
                bool ok = false;
                const QFont chosen =
                    QFontDialog::getFont(&ok,
                                         ReportFont(FSettings.MemoFontName, FSettings.MemoFontSize,
                                                    FSettings.MemoBold, FSettings.MemoItalic),
                                         this);
                if (!ok)
                    return;
                FSettings.MemoFontName = chosen.family();
                FSettings.MemoFontSize = std::max(1, chosen.pointSize());
                FSettings.MemoBold = chosen.bold();
                FSettings.MemoItalic = chosen.italic();
                LayoutPage();
            });
            menu->addAction("Left Aligned", this, [this] { SetMemoAlignment(0); });
            menu->addAction("Centered", this, [this] { SetMemoAlignment(2); });
            menu->addAction("Right Aligned", this, [this] { SetMemoAlignment(1); });
            MemoPropertiesButton->setMenu(menu);
            row->addWidget(MemoPropertiesButton);
        }
    }
    for (size_t i = 0; i < 3; ++i) {
        FDesignPanels[i] = new TGDesignPanel(*FPanels[i], FPage);
        FDesignPanels[i]->setObjectName(QString(BandCaptions[i == 2 ? 3 : i]) + "Band");
        FSizers[i] = new BandSizer(FPage);
        FSizers[i]->setObjectName(QString(BandCaptions[i == 2 ? 3 : i]) + "Sizer");
        const int band = static_cast<int>(i);
        connect(FSizers[i], &BandSizer::pressed, this,
                [this, band] { FDragStart = BandHeight(FSettings, band); });
        connect(FSizers[i], &BandSizer::dragged, this, [this, band](int dy) { SizerDrag(band, dy); });
        connect(FSizers[i], &BandSizer::released, this, [this, band] { SizerRelease(band); });
        connect(FDesignPanels[i], &TGDesignPanel::droppedObject, this, [this] { ChooseTool(0); });
        connect(FDesignPanels[i], &TGDesignPanel::selectionChanged, this, [this, band] {
            PanelSelection& selection = FDesignPanels[static_cast<size_t>(band)]->Selection();
            if (selection.Count() > 0)
                FPanels[static_cast<size_t>(band)]->RaiseControlMouseDown(*selection.Elements().front());
        });
        // One selection across the bands: pressing an element in one band clears the other two.
        FPanels[i]->ControlMouseDownEvent = [this, band](TReportPanel&, TGGraphicControl&) {
            for (int other = 0; other < 3; ++other)
                if (other != band && FDesignPanels[static_cast<size_t>(other)]->Selection().Count() > 0)
                    FDesignPanels[static_cast<size_t>(other)]->ClearSelection();
        };
    }
    MemoBand = new QPlainTextEdit(FPage);
    MemoBand->setObjectName("MemoBand");
    MemoBand->setReadOnly(true);
    MemoBand->setPlainText("Memo");

    auto* bottom = new QHBoxLayout;
    SaveButton = new QPushButton("Save", this);
    SaveButton->setObjectName("SaveButton");
    CancelButton = new QPushButton("Cancel", this);
    CancelButton->setObjectName("CancelButton");
    ChangeLayoutButton = new QPushButton("Change Layout", this);
    ChangeLayoutButton->setObjectName("ChangeLayoutButton");
    HelpButton = new QPushButton("Help", this);
    HelpButton->setObjectName("HelpButton");
    for (QPushButton* button : {SaveButton, CancelButton, ChangeLayoutButton})
        bottom->addWidget(button);
    RecordButtons = {
        RecordToolButton("FirstRecordButton", "First record", Qt::LeftArrow, true, true, this),
        RecordToolButton("PriorRecordButton", "Previous record", Qt::LeftArrow, false, false, this),
        RecordToolButton("NextRecordButton", "Next record", Qt::RightArrow, false, false, this),
        RecordToolButton("LastRecordButton", "Last record", Qt::RightArrow, true, false, this)};
    for (int step = 0; step < 4; ++step) {
        QToolButton* button = RecordButtons[static_cast<size_t>(step)];
        button->setEnabled(false);
        bottom->addWidget(button);
        connect(button, &QToolButton::clicked, this, [this, step] { Navigate(step); });
    }
    bottom->addWidget(HelpButton);
    bottom->addStretch(1);
    layout->addLayout(bottom);

    connect(Tools, &QButtonGroup::idClicked, this, [this](int id) { ChooseTool(id); });
    connect(ShowGridButton, &QToolButton::toggled, this, [this](bool on) {
        for (TGDesignPanel* panel : FDesignPanels)
            panel->SetShowGrid(on);
    });
    connect(SnapToGridButton, &QToolButton::toggled, this, [this](bool on) {
        for (TGDesignPanel* panel : FDesignPanels)
            panel->SetSnapToGrid(on);
    });
    connect(FieldNamesButton, &QToolButton::toggled, this,
            [this](bool names) { FDesignPanels[1]->SetDisplayDataValues(!names); });
    for (int band = 0; band < 4; ++band) {
        connect(UseBoxes[static_cast<size_t>(band)], &QCheckBox::toggled, this, [this, band](bool on) {
            if (band == 2)
                FSettings.UseMemo = on;
            else
                SetBandUsed(FSettings, band == 3 ? 2 : band, on);
            LayoutPage();
        });
    }
    connect(DefaultFontButton, &QPushButton::clicked, this, [this] { ChooseDefaultFont(); });
    connect(SaveButton, &QPushButton::clicked, this, [this] { (void)SaveClick(); });
    connect(CancelButton, &QPushButton::clicked, this, &QDialog::reject);
    connect(ChangeLayoutButton, &QPushButton::clicked, this, [this] { ChangeLayoutClick(); });
    connect(HelpButton, &QPushButton::clicked, this, [] { ShowHelpContext(HelpContext); });
    LayoutPage();
}

TReportDesigner::~TReportDesigner() = default;

QString TReportDesigner::Description() const
{
    return DescriptionEdit->text().left(60);
}

void TReportDesigner::UpdateDefaultFontCaption()
{
    DefaultFontButton->setText(DefaultFontCaption(ElementFontOf(FSettings)));
}

void TReportDesigner::ChooseDefaultFont()
{
    bool ok = false;
    const QFont chosen = QFontDialog::getFont(&ok,
                                              ReportFont(FSettings.ElementFontName, FSettings.ElementFontSize,
                                                         FSettings.ElementBold, FSettings.ElementItalic),
                                              this);
    if (ok) {
        FSettings.ElementFontName = chosen.family();
        FSettings.ElementFontSize = std::max(1, chosen.pointSize());
        FSettings.ElementBold = chosen.bold();
        FSettings.ElementItalic = chosen.italic();
        LayoutPage();
    }
    UpdateDefaultFontCaption();
}

void TReportDesigner::LayoutPage()
{
    LayoutLabel->setText(ReportPaperText(RecogniseReportPaper(FSettings, FPpi)));
    UpdateDefaultFontCaption();
    const int width = ReportBandWidth(FSettings, FPpi);
    const int minimum = BandVisibleMinimum(FSettings, MemoBandHeight);
    const std::array<bool, 4> used = {FSettings.UseHeader, FSettings.UseDetail, FSettings.UseMemo,
                                      FSettings.UseFooter};
    for (int band = 0; band < 4; ++band) {
        QSignalBlocker blocker(UseBoxes[static_cast<size_t>(band)]);
        UseBoxes[static_cast<size_t>(band)]->setChecked(used[static_cast<size_t>(band)]);
    }
    // The page area starts at the report's left margin; the bands' elements start an eighth of an
    // inch further in, as they print.
    const int inset = static_cast<int>(std::lround(0.125 * FPpi));
    const int fullWidth = width + 2 * inset;
    Ruler->setGeometry(0, 0, fullWidth, RulerHeight);
    Ruler->SetLeftMargin(0);
    int y = RulerHeight;
    const TGFont font = PanelFont(ElementFontOf(FSettings), FPpi);
    for (int band = 0; band < 4; ++band) {
        QWidget* caption = FCaptions[static_cast<size_t>(band)];
        caption->setGeometry(0, y, fullWidth, BandCaptionHeight);
        y += BandCaptionHeight;
        if (band == 2) {
            const int height = FSettings.UseMemo ? MemoBandHeight : 0;
            MemoBand->setGeometry(0, y, fullWidth, height);
            MemoBand->setVisible(height > 0);
            MemoBand->setFont(ReportFont(FSettings.MemoFontName, FSettings.MemoFontSize, FSettings.MemoBold,
                                         FSettings.MemoItalic));
            const Qt::Alignment alignment = FSettings.MemoAlignment == 1   ? Qt::AlignRight
                                            : FSettings.MemoAlignment == 2 ? Qt::AlignHCenter
                                                                           : Qt::AlignLeft;
            QTextOption option = MemoBand->document()->defaultTextOption();
            option.setAlignment(alignment);
            MemoBand->document()->setDefaultTextOption(option);
            y += height + BandSizerHeight;
            continue;
        }
        const int index = band == 3 ? 2 : band;
        int height = 0;
        if (BandUsed(FSettings, index)) {
            height = BandHeight(FSettings, index);
            if (height == 0) {
                height = minimum;
                SetBandHeight(FSettings, index, height);
            }
        }
        TGDesignPanel* panel = FDesignPanels[static_cast<size_t>(index)];
        FPanels[static_cast<size_t>(index)]->SetFont(font);
        panel->SetDesignSize(width, height);
        panel->move(inset, y);
        panel->setVisible(height > 0);
        y += height;
        BandSizer* sizer = FSizers[static_cast<size_t>(index)];
        sizer->setGeometry(0, y, fullWidth, BandSizerHeight);
        sizer->setEnabled(BandUsed(FSettings, index));
        y += BandSizerHeight;
    }
    FPage->resize(Ruler->width(), std::max(y, ReportPageAreaHeight(FSettings, MemoBandHeight)));
}

void TReportDesigner::ChooseTool(int tool)
{
    for (auto& panel : FPanels)
        panel->SetPanelState(tool);
    if (QAbstractButton* button = Tools->button(tool))
        button->setChecked(true);
}

void TReportDesigner::SizerDrag(int band, int dy)
{
    if (FDragStart < 0)
        FDragStart = BandHeight(FSettings, band);
    const int height = SizerDragHeight(FSettings, band, FDragStart + dy, MemoBandHeight);
    SetBandHeight(FSettings, band, height);
    LayoutPage();
}

void TReportDesigner::SizerRelease(int band)
{
    ClampToBand(*FPanels[static_cast<size_t>(band)], ReportBandWidth(FSettings, FPpi),
                BandHeight(FSettings, band));
    FDragStart = -1;
}

void TReportDesigner::SetRecordTable(xbase::Table* table, const FieldCatalogue& catalogue)
{
    FTable = table;
    FSource = std::make_unique<AddressRecordSource>(catalogue, AddressRecord());
    FPanels[1]->SetRecordSource(FSource.get());
    for (QToolButton* button : RecordButtons)
        button->setEnabled(table != nullptr);
    if (table && !table->Eof())
        Navigate(-1);
}

void TReportDesigner::Navigate(int step)
{
    if (!FTable || !FSource)
        return;
    Status moved = Status::Success();
    switch (step) {
    case 0:
        moved = FTable->GoTop();
        break;
    case 1:
        moved = FTable->Skip(-1);
        if (moved && FTable->Bof())
            moved = FTable->GoTop();
        break;
    case 2:
        moved = FTable->Skip(1);
        if (moved && FTable->Eof())
            moved = FTable->GoBottom();
        break;
    case 3:
        moved = FTable->GoBottom();
        break;
    default:
        break;
    }
    if (!moved) {
        ShowInfo(moved.Message());
        return;
    }
    if (FTable->Eof())
        return;
    AddressRecord record;
    if (Status read = record.ReadFrom(*FTable); !read) {
        ShowInfo(read.Message());
        return;
    }
    FSource->SetRecord(std::move(record));
    FSource->SetOpen(true);
    FPanels[1]->RefreshData();
    FDesignPanels[1]->update();
}

void TReportDesigner::SetMemoAlignment(int alignment)
{
    FSettings.MemoAlignment = alignment;
    LayoutPage();
}

bool TReportDesigner::SaveClick()
{
    const Status saved = SaveReportDesign(FSettings, {FPanels[0].get(), FPanels[1].get(), FPanels[2].get()});
    if (!saved) {
        LayoutPage();
        ShowInfo(saved.Message());
        return false;
    }
    accept();
    return true;
}

void TReportDesigner::ChangeLayoutClick()
{
    TReportProperties properties(FSettings, FPpi, this);
    if (properties.exec() != QDialog::Accepted)
        return;
    FSettings = properties.Settings();
    LayoutPage();
}

void TReportDesigner::showEvent(QShowEvent* event)
{
    RestoreWindowPlacement(this);
    QDialog::showEvent(event);
}

void TReportDesigner::done(int result)
{
    SaveWindowPlacement(this);
    QDialog::done(result);
}

} // namespace corvane
