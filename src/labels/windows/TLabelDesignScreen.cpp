#include "labels/windows/TLabelDesignScreen.h"

#include <QApplication>
#include <QButtonGroup>
#include <QFontDialog>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPainterPath>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QToolButton>
#include <QVBoxLayout>

#include "labels/LabelDesignSession.h"
#include "labels/windows/TChooseLabelLayout.h"
#include "labels/windows/TLabelEdit.h"
#include "labels/windows/TSelectLabel.h"
#include "layout/ComponentOwner.h"
#include "layout/TGLabelPanel.h"
#include "layout/designer/TGDesignPanel.h"
#include "layout/designer/dialogs/DialogRunner.h"
#include "platform/MessageService.h"
#include "platform/Settings.h"
#include "platform/windows/HelpViewer.h"
#include "platform/windows/WhatsThis.h"
#include "platform/windows/WindowPlacement.h"
#include "session/ToolWindowView.h"

namespace corvane {

namespace {

constexpr int IconSize = 22;

// The tool bar's pictures, drawn rather than shipped.
QIcon DrawnIcon(const std::function<void(QPainter&)>& draw)
{
    QPixmap pixmap(IconSize, IconSize);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(Qt::black, 1.5));
    draw(painter);
    return QIcon(pixmap);
}

QIcon TextIcon(const QString& text, int pointSize = 11, bool bold = true)
{
    return DrawnIcon([text, pointSize, bold](QPainter& p) {
        QFont font("Sans");
        font.setPointSize(pointSize);
        font.setBold(bold);
        p.setFont(font);
        p.drawText(QRect(0, 0, IconSize, IconSize), Qt::AlignCenter, text);
    });
}

QIcon ToolIcon(TPanelState tool)
{
    switch (tool) {
    case TPanelState::psPointing:
        return DrawnIcon([](QPainter& p) {
            QPainterPath arrow;
            arrow.moveTo(6, 3);
            arrow.lineTo(6, 18);
            arrow.lineTo(10, 14);
            arrow.lineTo(13, 20);
            arrow.lineTo(15, 19);
            arrow.lineTo(12, 13);
            arrow.lineTo(17, 13);
            arrow.closeSubpath();
            p.setBrush(Qt::white);
            p.drawPath(arrow);
        });
    case TPanelState::psLabel:
        return TextIcon("A", 13);
    case TPanelState::psMultiLineLabel:
        return DrawnIcon([](QPainter& p) {
            for (int y : {5, 9, 13, 17})
                p.drawLine(4, y, y == 17 ? 12 : 18, y);
        });
    case TPanelState::psCounterLabel:
        return TextIcon("#", 13);
    case TPanelState::psSymbolLabel:
        return TextIcon(QString(QChar(0x03A9)), 13);
    case TPanelState::psRectangle:
        return DrawnIcon([](QPainter& p) { p.drawRect(QRectF(3.5, 5.5, 15, 11)); });
    case TPanelState::psEllipse:
        return DrawnIcon([](QPainter& p) { p.drawEllipse(QRectF(3.5, 5.5, 15, 11)); });
    case TPanelState::psRoundRectangle:
        return DrawnIcon([](QPainter& p) { p.drawRoundedRect(QRectF(3.5, 5.5, 15, 11), 4, 4); });
    case TPanelState::psLine:
        return DrawnIcon([](QPainter& p) { p.drawLine(4, 18, 18, 4); });
    case TPanelState::psImage:
        return DrawnIcon([](QPainter& p) {
            p.drawRect(QRectF(3.5, 4.5, 15, 13));
            p.drawLine(QPointF(4, 17), QPointF(9, 10));
            p.drawLine(QPointF(9, 10), QPointF(13, 15));
            p.drawLine(QPointF(13, 15), QPointF(15, 12));
            p.drawLine(QPointF(15, 12), QPointF(18, 17));
            p.drawEllipse(QRectF(13, 6.5, 3, 3));
        });
    case TPanelState::psPostNetBarCode:
        return DrawnIcon([](QPainter& p) {
            p.setPen(QPen(Qt::black, 1.4));
            for (int i = 0; i < 8; ++i) {
                const int x = 3 + i * 2;
                p.drawLine(x, (i % 3 == 0) ? 6 : 11, x, 16);
            }
        });
    case TPanelState::psIntelligentMailBarCode:
        return DrawnIcon([](QPainter& p) {
            // Four-state bars: full, ascender, descender, tracker.
            p.setPen(QPen(Qt::black, 1.4));
            const int tops[] = {5, 5, 9, 9, 5, 9, 5, 9};
            const int bottoms[] = {17, 13, 17, 13, 13, 17, 17, 13};
            for (int i = 0; i < 8; ++i)
                p.drawLine(3 + i * 2, tops[i], 3 + i * 2, bottoms[i]);
        });
    case TPanelState::psDataLabel:
        return TextIcon("[F]", 8);
    case TPanelState::psMultiLineDataLabel:
        return TextIcon("[M]", 8);
    case TPanelState::psAddressLabel:
        return DrawnIcon([](QPainter& p) {
            p.drawRect(QRectF(2.5, 5.5, 17, 12));
            p.drawLine(5, 9, 14, 9);
            p.drawLine(5, 12, 16, 12);
            p.drawLine(5, 15, 12, 15);
        });
    }
    return {};
}

QToolButton* ToggleButton(const QString& objectName, const QString& hint, const QIcon& icon, QWidget* parent)
{
    auto* button = new QToolButton(parent);
    button->setObjectName(objectName);
    button->setToolTip(hint);
    button->setIcon(icon);
    button->setIconSize(QSize(IconSize, IconSize));
    button->setCheckable(true);
    button->setAutoRaise(true);
    return button;
}

QPushButton* Button(const QString& objectName, const QString& caption, QWidget* parent)
{
    auto* button = new QPushButton(caption, parent);
    button->setObjectName(objectName);
    button->setAutoDefault(false);
    return button;
}

QToolButton* RecordToolButton(const QString& objectName, const QString& hint, Qt::ArrowType arrow, bool bar,
                              bool barFirst, QWidget* parent)
{
    auto* button = new QToolButton(parent);
    button->setObjectName(objectName);
    button->setToolTip(hint);
    button->setIcon(DrawnIcon([arrow, bar, barFirst](QPainter& p) {
        p.setBrush(Qt::black);
        const bool left = arrow == Qt::LeftArrow;
        QPolygonF triangle;
        if (left)
            triangle << QPointF(15, 5) << QPointF(15, 17) << QPointF(7, 11);
        else
            triangle << QPointF(7, 5) << QPointF(7, 17) << QPointF(15, 11);
        p.drawPolygon(triangle);
        if (bar) {
            const double x = barFirst ? 5 : 17;
            p.drawLine(QPointF(x, 5), QPointF(x, 17));
        }
    }));
    button->setIconSize(QSize(IconSize, IconSize));
    return button;
}

} // namespace

TLabelDesignScreen::TLabelDesignScreen(const LabelSetup& setup, const ToolWindowView* addresses,
                                       QWidget* parent)
    : QDialog(parent), FOwner(std::make_unique<ComponentOwner>())
{
    FPanel = std::make_unique<TGLabelPanel>(*FOwner);
    FSession = std::make_unique<LabelDesignSession>(*FPanel, setup, addresses);
    FPanel->SetDrawOutline(true);
    FPanel->SetFont(PanelFont(ReadLabelDefaultFont(Settings()), FPanel->PixelsPerInch()));

    setObjectName("TLabelDesignScreen");
    setWindowTitle("Label Design Screen");
    setSizeGripEnabled(true);
    BuildControls();
    if (addresses)
        FDesignPanel->SetFieldCatalogue(&addresses->Catalogue());
    FSession->ApplyZoom = [this](int percent) { FDesignPanel->SetZoomPercent(percent); };
    FSession->ApplySize = [this](int32_t width, int32_t height, TLabelShape shape) {
        FDesignPanel->SetShape(shape);
        FDesignPanel->SetDesignSize(width, height);
    };
    {
        const QSignalBlocker blocker(FDescription);
        FDescription->setText(setup.Description);
    }
    UpdateDefaultFontCaption();
    UpdateLayoutName();
    UpdateZoomCaption();
    resize(780, 560);
}

TLabelDesignScreen::~TLabelDesignScreen()
{
    // The widget hands the model's callbacks back before the model goes.
    delete FDesignPanel;
    FDesignPanel = nullptr;
}

void TLabelDesignScreen::BuildControls()
{
    auto* layout = new QVBoxLayout(this);

    auto* line1 = new QHBoxLayout;
    line1->addWidget(new QLabel("Layout:", this));
    FLayoutName = new QLabel(this);
    FLayoutName->setObjectName("LayoutNameLabel");
    QFont bold = FLayoutName->font();
    bold.setBold(true);
    FLayoutName->setFont(bold);
    line1->addWidget(FLayoutName);
    line1->addStretch();
    FDefaultFontButton = Button("DefaultFontButton", QString(), this);
    line1->addWidget(FDefaultFontButton);
    layout->addLayout(line1);

    auto* line2 = new QHBoxLayout;
    line2->addWidget(new QLabel("Description:", this));
    FDescription = new QLineEdit(this);
    FDescription->setObjectName("DescriptionEdit");
    FDescription->setMaxLength(DescriptionEditLength);
    line2->addWidget(FDescription, 1);
    layout->addLayout(line2);

    auto* tools = new QHBoxLayout;
    tools->setSpacing(1);
    FTools = new QButtonGroup(this);
    FTools->setExclusive(true);
    tools->addWidget(AddTool(TPanelState::psPointing, "SelectionTool", "Selection tool"));
    tools->addWidget(AddTool(TPanelState::psLabel, "TextTool", "Text tool"));
    tools->addWidget(AddTool(TPanelState::psMultiLineLabel, "MultiLineTextTool", "Multi-line text tool"));
    tools->addWidget(AddTool(TPanelState::psCounterLabel, "CounterTool", "Counter tool"));
    tools->addWidget(AddTool(TPanelState::psSymbolLabel, "SymbolTool", "Symbol tool"));
    tools->addWidget(AddTool(TPanelState::psRectangle, "RectangleTool", "Rectangle tool"));
    tools->addWidget(AddTool(TPanelState::psEllipse, "EllipseTool", "Ellipse tool"));
    tools->addWidget(AddTool(TPanelState::psRoundRectangle, "RoundRectangleTool", "Round Rectangle tool"));
    tools->addWidget(AddTool(TPanelState::psLine, "LineTool", "Line Tool"));
    tools->addWidget(AddTool(TPanelState::psImage, "ClipArtTool", "Clip Art Tool"));
    tools->addWidget(AddTool(TPanelState::psPostNetBarCode, "PostnetTool", "Postnet Barcode tool"));
    tools->addWidget(AddTool(TPanelState::psIntelligentMailBarCode, "IntelligentMailTool",
                             "Intelligent Mail Barcode tool"));
    tools->addWidget(AddTool(TPanelState::psDataLabel, "DatabaseFieldTool", "Database Field tool"));
    tools->addWidget(
        AddTool(TPanelState::psMultiLineDataLabel, "DatabaseMemoFieldTool", "Database Memo Field tool"));
    tools->addWidget(
        AddTool(TPanelState::psAddressLabel, "DatabaseAddressTool", "Database Mailing Address tool"));
    FTools->button(static_cast<int>(TPanelState::psPointing))->setChecked(true);
    tools->addSpacing(12);

    auto* zoomDown = new QToolButton(this);
    zoomDown->setObjectName("ZoomDownButton");
    zoomDown->setArrowType(Qt::DownArrow);
    zoomDown->setToolTip("Zoom out");
    auto* zoomUp = new QToolButton(this);
    zoomUp->setObjectName("ZoomUpButton");
    zoomUp->setArrowType(Qt::UpArrow);
    zoomUp->setToolTip("Zoom in");
    FZoomCaption = new QLabel(this);
    FZoomCaption->setObjectName("ZoomCaption");
    FZoomCaption->setMinimumWidth(40);
    FZoomCaption->setAlignment(Qt::AlignCenter);
    tools->addWidget(zoomDown);
    tools->addWidget(FZoomCaption);
    tools->addWidget(zoomUp);
    tools->addSpacing(12);

    FShowGrid = ToggleButton("ShowGridButton", "Show grid", DrawnIcon([](QPainter& p) {
                                 p.setPen(QPen(Qt::black, 2));
                                 for (int x = 4; x < IconSize; x += 5)
                                     for (int y = 4; y < IconSize; y += 5)
                                         p.drawPoint(x, y);
                             }),
                             this);
    FSnapToGrid = ToggleButton("SnapToGridButton", "Snap to Grid", DrawnIcon([](QPainter& p) {
                                   p.setPen(QPen(Qt::black, 2));
                                   for (int x = 4; x < IconSize; x += 5)
                                       for (int y = 4; y < IconSize; y += 5)
                                           p.drawPoint(x, y);
                                   p.setPen(QPen(Qt::darkBlue, 1.5));
                                   p.drawRect(QRectF(4, 9, 10, 10));
                               }),
                               this);
    FShowArt = ToggleButton("ShowArtButton", "Show art", DrawnIcon([](QPainter& p) {
                                p.setPen(QPen(Qt::gray, 1.5));
                                p.drawRoundedRect(QRectF(2.5, 5.5, 17, 11), 3, 3);
                                p.drawRoundedRect(QRectF(5.5, 8.5, 11, 5), 2, 2);
                            }),
                            this);
    FFieldNames = ToggleButton("FieldNamesButton", "Toggle display of field names or field values",
                               TextIcon("[ab]", 7), this);
    tools->addWidget(FShowGrid);
    tools->addWidget(FSnapToGrid);
    tools->addWidget(FShowArt);
    tools->addWidget(FFieldNames);
    tools->addStretch();
    layout->addLayout(tools);

    FScroll = new QScrollArea(this);
    FScroll->setObjectName("DesignArea");
    FScroll->setWidgetResizable(true);
    auto* area = new QWidget;
    area->setAutoFillBackground(true);
    QPalette white = area->palette();
    white.setColor(QPalette::Window, Qt::white);
    area->setPalette(white);
    auto* areaLayout = new QGridLayout(area);
    areaLayout->setContentsMargins(16, 16, 16, 16);
    FDesignPanel = new TGDesignPanel(*FPanel, area);
    FDesignPanel->setObjectName("LabelPanel");
    FDesignPanel->SetDrawOutline(true);
    areaLayout->addWidget(FDesignPanel, 0, 0, Qt::AlignLeft | Qt::AlignTop);
    areaLayout->setRowStretch(1, 1);
    areaLayout->setColumnStretch(1, 1);
    FScroll->setWidget(area);
    layout->addWidget(FScroll, 1);

    auto* bottom = new QHBoxLayout;
    FSave = Button("SaveButton", "Save", this);
    FSave->setVisible(false);
    FCancel = Button("CancelButton", "Cancel", this);
    FChangeLayout = Button("ChangeLayoutButton", "Change Layout", this);
    bottom->addWidget(FSave);
    bottom->addWidget(FCancel);
    bottom->addWidget(FChangeLayout);
    bottom->addStretch();
    auto* first = RecordToolButton("FirstRecordButton", "First record", Qt::LeftArrow, true, true, this);
    auto* prior = RecordToolButton("PriorRecordButton", "Previous record", Qt::LeftArrow, false, false, this);
    auto* next = RecordToolButton("NextRecordButton", "Next record", Qt::RightArrow, false, false, this);
    auto* last = RecordToolButton("LastRecordButton", "Last record", Qt::RightArrow, true, false, this);
    for (QToolButton* record : {first, prior, next, last}) {
        record->setEnabled(FSession->HasRecords());
        bottom->addWidget(record);
    }
    bottom->addStretch();
    FHelp = Button("HelpButton", "Help", this);
    bottom->addWidget(FHelp);
    bottom->addWidget(CreateMouseHelpButton(this));
    layout->addLayout(bottom);
    InstallWhatsThis(
        this,
        {{"DefaultFontButton",
          "The font new text elements get. Click to choose another; it is kept for every "
          "label you design."},
         {"DescriptionEdit", "The name of this label setup in the list of the Print Labels window."},
         {"SelectionTool", "Select, move and resize the elements of the label."},
         {"TextTool", "Draw a rectangle on the label to add a line of text."},
         {"MultiLineTextTool", "Draw a rectangle on the label to add several lines of text."},
         {"CounterTool", "Add a number that counts up from label to label."},
         {"SymbolTool", "Add a symbol character."},
         {"RectangleTool", "Draw a rectangle."},
         {"EllipseTool", "Draw an ellipse."},
         {"RoundRectangleTool", "Draw a rectangle with rounded corners."},
         {"LineTool", "Draw a line."},
         {"ClipArtTool", "Add a picture from a file."},
         {"PostnetTool", "Add a POSTNET bar code of the ZIP code (labels at least 2.85 inches wide)."},
         {"IntelligentMailTool", "Add an Intelligent Mail barcode: the ZIP code as routing code, your Mailer "
                                 "ID and a serial number for each printed piece."},
         {"DatabaseFieldTool", "Add a field of the address record."},
         {"DatabaseMemoFieldTool", "Add the memo of the address record."},
         {"DatabaseAddressTool", "Add a mailing address block built from the record's name and address."},
         {"ZoomDownButton", "Show the label smaller (down to 40 %); the keypad's minus key does the same."},
         {"ZoomUpButton", "Show the label larger (up to 160 %); the keypad's plus key does the same."},
         {"ShowGridButton", "Show the grid dots on the label."},
         {"SnapToGridButton", "Make elements you move or resize snap to the grid."},
         {"ShowArtButton", "Show the outline picture of the label stock behind the label."},
         {"FieldNamesButton", "Show the names of the fields instead of the current record's values."},
         {"LabelPanel", "The label at its real size (at 100 %). Drag on it with a tool to add an element; "
                        "right-click an element for its settings."},
         {"SaveButton", "Keep the label and its layout. Elements outside the label are removed."},
         {"CancelButton", "Close without keeping the changes."},
         {"ChangeLayoutButton", "Choose another label stock, or type your own label size and sheet layout."},
         {"FirstRecordButton", "Show the first address record (counters start again)."},
         {"PriorRecordButton", "Show the previous address record."},
         {"NextRecordButton", "Show the next address record."},
         {"LastRecordButton", "Show the last address record."},
         {"HelpButton", "Open the help on the label designer."}});

    connect(FTools, &QButtonGroup::idClicked, this,
            [this](int id) { SelectTool(static_cast<TPanelState>(id)); });
    connect(zoomUp, &QToolButton::clicked, this, &TLabelDesignScreen::ZoomIn);
    connect(zoomDown, &QToolButton::clicked, this, &TLabelDesignScreen::ZoomOut);
    connect(FShowGrid, &QToolButton::toggled, this, [this](bool down) { FDesignPanel->SetShowGrid(down); });
    connect(FSnapToGrid, &QToolButton::toggled, this,
            [this](bool down) { FDesignPanel->SetSnapToGrid(down); });
    connect(FShowArt, &QToolButton::toggled, this, &TLabelDesignScreen::SetShowArt);
    connect(FFieldNames, &QToolButton::toggled, this,
            [this](bool down) { FDesignPanel->SetDisplayDataValues(!down); });
    connect(FDescription, &QLineEdit::textChanged, this, [this](const QString& text) {
        FSession->DescriptionEdited(text);
        ShowSaveButton();
    });
    connect(FDefaultFontButton, &QPushButton::clicked, this, &TLabelDesignScreen::ChooseDefaultFont);
    connect(FSave, &QPushButton::clicked, this, &TLabelDesignScreen::SaveClicked);
    connect(FCancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(FChangeLayout, &QPushButton::clicked, this, &TLabelDesignScreen::ChangeLayout);
    connect(FHelp, &QPushButton::clicked, this, [] { ShowHelpSearch("Label Design Screen"); });
    connect(first, &QToolButton::clicked, this, [this] { MoveRecord(RecordButton::First); });
    connect(prior, &QToolButton::clicked, this, [this] { MoveRecord(RecordButton::Previous); });
    connect(next, &QToolButton::clicked, this, [this] { MoveRecord(RecordButton::Next); });
    connect(last, &QToolButton::clicked, this, [this] { MoveRecord(RecordButton::Last); });
    connect(FDesignPanel, &TGDesignPanel::labelChanged, this, &TLabelDesignScreen::PanelChanged);
    connect(FDesignPanel, &TGDesignPanel::droppedObject, this, &TLabelDesignScreen::ObjectDropped);

    // The window sees keys before its controls do.
    for (QWidget* child : findChildren<QWidget*>())
        child->installEventFilter(this);
}

QToolButton* TLabelDesignScreen::AddTool(TPanelState tool, const QString& objectName, const QString& hint)
{
    QToolButton* button = ToggleButton(objectName, hint, ToolIcon(tool), this);
    FTools->addButton(button, static_cast<int>(tool));
    return button;
}

void TLabelDesignScreen::BeginNewLabel()
{
    FNewLabel = true;
    FDesignPanel->ClearSelection();
    FPanel->ClearElements();
    FSession->MutableSetup().Description = NewLabelDescription;
    const QSignalBlocker blocker(FDescription);
    FDescription->setText(NewLabelDescription);
}

Status TLabelDesignScreen::LoadLayout(const std::string& path)
{
    FDesignPanel->ClearSelection();
    FPanel->ClearElements();
    Status loaded = FPanel->LoadFromFile(path);
    FPanel->ConnectElements();
    FSession->ShowRecordValues();
    FDesignPanel->update();
    return loaded;
}

const LabelSetup& TLabelDesignScreen::Setup() const
{
    return FSession->Setup();
}

Status TLabelDesignScreen::SaveLayout(const std::string& path)
{
    FPanel->ClearDataValues();
    return FPanel->SaveToFile(path);
}

bool TLabelDesignScreen::SaveOffered() const
{
    return FSave->isVisibleTo(this);
}

void TLabelDesignScreen::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    if (!FActivated) {
        RestoreWindowPlacement(this);
        Activate();
    }
}

void TLabelDesignScreen::Activate()
{
    if (FActivated)
        return;
    FActivated = true;
    QApplication::setOverrideCursor(Qt::WaitCursor);
    FSession->ApplyLabelSize();
    UpdateLayoutName();
    FShowArt->setEnabled(FSession->ArtAvailable());
    {
        const QSignalBlocker blocker(FShowArt);
        FShowArt->setChecked(FShowArt->isEnabled());
    }
    SetShowArt(FShowArt->isChecked());
    FSave->setVisible(false);
    FSession->SetActivating(false);
    if (FNewLabel) {
        FDesignPanel->SetTool(TPanelState::psAddressLabel);
        if (TGGraphicControl* element = FSession->PlaceNewLabelAddress()) {
            (void)element;
            for (size_t i = 0; i < FPanel->ElementCount(); ++i)
                FDesignPanel->SelectElement(FPanel->ElementAt(i));
        }
        FDesignPanel->SetTool(TPanelState::psPointing);
        FTools->button(static_cast<int>(TPanelState::psPointing))->setChecked(true);
        FDesignPanel->update();
        QApplication::restoreOverrideCursor();
        ShowInfo(NewLabelMessage);
        return;
    }
    QApplication::restoreOverrideCursor();
}

void TLabelDesignScreen::done(int result)
{
    // Save, Cancel, Escape and the close box all end here.
    if (FActivated && isVisible())
        SaveWindowPlacement(this);
    QDialog::done(result);
}

void TLabelDesignScreen::PanelChanged()
{
    FSession->PanelChanged();
    if (FSession->Changed())
        ShowSaveButton();
}

void TLabelDesignScreen::ShowSaveButton()
{
    if (FSession->Changed())
        FSave->setVisible(true);
}

void TLabelDesignScreen::ObjectDropped()
{
    FDesignPanel->SetTool(TPanelState::psPointing);
    FTools->button(static_cast<int>(TPanelState::psPointing))->setChecked(true);
}

void TLabelDesignScreen::SelectTool(TPanelState tool)
{
    if (tool == TPanelState::psPostNetBarCode && !FSession->PostNetToolAllowed()) {
        ShowInfo(PostNetToolRefusal);
        tool = TPanelState::psPointing;
    }
    if (tool == TPanelState::psIntelligentMailBarCode && !FSession->IntelligentMailToolAllowed()) {
        ShowInfo(IntelligentMailToolRefusal);
        tool = TPanelState::psPointing;
    }
    FDesignPanel->SetTool(tool);
    FTools->button(static_cast<int>(tool))->setChecked(true);
}

void TLabelDesignScreen::UpdateLayoutName()
{
    FLayoutName->setText(LayoutName(FSession->Setup()));
}

void TLabelDesignScreen::UpdateDefaultFontCaption()
{
    FDefaultFontButton->setText(DefaultFontCaption(DefaultFontOf(FPanel->Font(), FPanel->PixelsPerInch())));
}

void TLabelDesignScreen::UpdateZoomCaption()
{
    FZoomCaption->setText(FSession->ZoomCaption());
}

void TLabelDesignScreen::ZoomIn()
{
    FDesignPanel->ClearSelection();
    FSession->ZoomIn();
    UpdateZoomCaption();
}

void TLabelDesignScreen::ZoomOut()
{
    FDesignPanel->ClearSelection();
    FSession->ZoomOut();
    UpdateZoomCaption();
}

void TLabelDesignScreen::MoveRecord(RecordButton button)
{
    FSession->MoveRecord(button);
    FDesignPanel->update();
}

void TLabelDesignScreen::SetShowArt(bool down)
{
    FSession->ShowArt(down && FShowArt->isEnabled());
    FDesignPanel->update();
}

void TLabelDesignScreen::ChangeLayout()
{
    const bool artWasDown = FShowArt->isEnabled() && FShowArt->isChecked();
    const LayoutSourceChoice choice = ChooseLabelLayoutSource(this);
    if (choice == LayoutSourceChoice::Cancel)
        return;
    LabelSetup values = FSession->Setup();
    const bool fromTemplate = choice == LayoutSourceChoice::Template;
    const bool confirmed =
        fromTemplate ? GetLayoutFromTemplate(values, this) : GetUserDefinedLayout(values, this);
    if (confirmed)
        FSession->MutableSetup() = values;
    AfterGeometryDialog(confirmed, fromTemplate, artWasDown);
}

void TLabelDesignScreen::AfterGeometryDialog(bool confirmed, bool fromTemplate, bool artWasDown)
{
    FDesignPanel->ClearSelection();
    const QSignalBlocker blocker(FShowArt);
    if (confirmed) {
        FSession->ApplyLabelSize();
        FShowArt->setEnabled(FSession->ArtAvailable());
        FShowArt->setChecked(FShowArt->isEnabled() && fromTemplate);
        FSession->MarkChanged();
        ShowSaveButton();
    }
    FPanel->ClampElements();
    FShowArt->setEnabled(FSession->ArtAvailable());
    if (artWasDown && FShowArt->isEnabled())
        FShowArt->setChecked(true);
    if (!FShowArt->isEnabled())
        FShowArt->setChecked(false);
    FSession->ShowArt(FShowArt->isChecked());
    UpdateLayoutName();
    FSession->RemoveNarrowPostNet();
    FDesignPanel->update();
}

void TLabelDesignScreen::ChooseDefaultFont()
{
    QFontDialog dialog(this);
    dialog.setObjectName("DefaultFontDialog");
    const LabelDefaultFont current = DefaultFontOf(FPanel->Font(), FPanel->PixelsPerInch());
    QFont font(QString::fromStdString(current.Name), current.Size);
    font.setBold(current.Bold);
    font.setItalic(current.Italic);
    dialog.setCurrentFont(font);
    if (RunModalDialog(dialog) != QDialog::Accepted)
        return;
    const QFont chosen = dialog.currentFont(); // what "Ok" selected
    LabelDefaultFont picked;
    picked.Name = chosen.family().toStdString();
    picked.Size = chosen.pointSize() > 0 ? chosen.pointSize() : current.Size;
    picked.Bold = chosen.bold();
    picked.Italic = chosen.italic();
    FPanel->SetFont(PanelFont(picked, FPanel->PixelsPerInch()));
    (void)WriteLabelDefaultFont(Settings(), picked);
    UpdateDefaultFontCaption();
}

void TLabelDesignScreen::SaveClicked()
{
    FDesignPanel->ClearSelection();
    FSession->PrepareSave(FDescription->text());
    accept();
}

bool TLabelDesignScreen::HandleWindowKey(QKeyEvent* event, bool release)
{
    if (FDescription->hasFocus())
        return false;
    const bool keypad = event->modifiers() & Qt::KeypadModifier;
    if (keypad && (event->key() == Qt::Key_Plus || event->key() == Qt::Key_Minus)) {
        if (release && !event->isAutoRepeat()) {
            if (event->key() == Qt::Key_Plus)
                ZoomIn();
            else
                ZoomOut();
        }
        return true;
    }
    if (release)
        return FDesignPanel->HandleKeyRelease(event);
    QScrollBar* vertical = FScroll->verticalScrollBar();
    switch (event->key()) {
    case Qt::Key_PageUp:
        vertical->triggerAction(QAbstractSlider::SliderSingleStepSub);
        return true;
    case Qt::Key_PageDown:
        vertical->triggerAction(QAbstractSlider::SliderSingleStepAdd);
        return true;
    case Qt::Key_Home:
        vertical->triggerAction(QAbstractSlider::SliderToMinimum);
        return true;
    case Qt::Key_End:
        vertical->triggerAction(QAbstractSlider::SliderToMaximum);
        return true;
    default:
        return FDesignPanel->HandleKeyPress(event);
    }
}

bool TLabelDesignScreen::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::KeyPress || event->type() == QEvent::KeyRelease) {
        if (HandleWindowKey(static_cast<QKeyEvent*>(event), event->type() == QEvent::KeyRelease))
            return true;
    }
    return QDialog::eventFilter(watched, event);
}

void TLabelDesignScreen::keyPressEvent(QKeyEvent* event)
{
    if (!HandleWindowKey(event, false))
        QDialog::keyPressEvent(event);
}

void TLabelDesignScreen::keyReleaseEvent(QKeyEvent* event)
{
    if (!HandleWindowKey(event, true))
        QDialog::keyReleaseEvent(event);
}

} // namespace corvane
