#include "envelopes/windows/TEnvelopeDesignScreen.h"

#include <QApplication>
#include <QButtonGroup>
#include <QFontDialog>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QScrollArea>
#include <QToolButton>
#include <QVBoxLayout>

#include "envelopes/EnvelopeDesignSession.h"
#include "envelopes/TEnvelopePanel.h"
#include "envelopes/windows/TChooseEnvelopeLayout.h"
#include "layout/ComponentOwner.h"
#include "layout/designer/DesignScreenParts.h"
#include "layout/designer/TGDesignPanel.h"
#include "layout/designer/dialogs/DialogRunner.h"
#include "platform/Settings.h"
#include "platform/windows/HelpViewer.h"
#include "platform/windows/WhatsThis.h"
#include "platform/windows/WindowPlacement.h"
#include "session/ToolWindowView.h"

namespace corvane {

namespace {

QPushButton* Button(const QString& objectName, const QString& caption, QWidget* parent)
{
    auto* button = new QPushButton(caption, parent);
    button->setObjectName(objectName);
    button->setAutoDefault(false);
    return button;
}

// The envelope tools drawn as the label designer draws the same kinds.
QIcon EnvelopeToolIcon(TEnvelopeTool tool)
{
    switch (tool) {
    case TEnvelopeTool::Pointing:
        return ToolIcon(TPanelState::psPointing);
    case TEnvelopeTool::Text:
        return ToolIcon(TPanelState::psLabel);
    case TEnvelopeTool::DatabaseField:
        return ToolIcon(TPanelState::psDataLabel);
    case TEnvelopeTool::MultiLineText:
        return ToolIcon(TPanelState::psMultiLineLabel);
    case TEnvelopeTool::MailingAddress:
        return ToolIcon(TPanelState::psAddressLabel);
    case TEnvelopeTool::Rectangle:
        return ToolIcon(TPanelState::psRectangle);
    case TEnvelopeTool::Ellipse:
        return ToolIcon(TPanelState::psEllipse);
    case TEnvelopeTool::RoundRectangle:
        return ToolIcon(TPanelState::psRoundRectangle);
    case TEnvelopeTool::Line:
        return ToolIcon(TPanelState::psLine);
    case TEnvelopeTool::ClipArt:
        return ToolIcon(TPanelState::psImage);
    case TEnvelopeTool::PostnetBarcode:
        return ToolIcon(TPanelState::psPostNetBarCode);
    case TEnvelopeTool::FimBarcode:
        return TextIcon("FIM", 7);
    case TEnvelopeTool::IntelligentMailBarcode:
        return ToolIcon(TPanelState::psIntelligentMailBarCode);
    }
    return {};
}

} // namespace

TEnvelopeDesignScreen::TEnvelopeDesignScreen(const EnvelopeSetup& setup, const ToolWindowView* addresses,
                                             QWidget* parent)
    : QDialog(parent), FOwner(std::make_unique<ComponentOwner>())
{
    FPanel = std::make_unique<TEnvelopePanel>(*FOwner);
    FSession = std::make_unique<EnvelopeDesignSession>(*FPanel, setup, addresses);
    FPanel->SetDrawOutline(true);
    setObjectName("TEnvelopeDesignScreen");
    setWindowTitle("Envelope Design Screen");
    setSizeGripEnabled(true);
    BuildControls();
    if (addresses)
        FDesignPanel->SetFieldCatalogue(&addresses->Catalogue());
    FSession->ApplyZoom = [this](int percent) { FDesignPanel->SetZoomPercent(percent); };
    FSession->ApplySize = [this](int32_t width, int32_t height) {
        FDesignPanel->SetDesignSize(width, height);
    };
    {
        const QSignalBlocker blocker(DescriptionEdit);
        DescriptionEdit->setText(setup.Description);
    }
    UpdateDefaultFontCaption();
    ZoomCaption->setText(FSession->ZoomCaption());
    resize(900, 520);
}

TEnvelopeDesignScreen::~TEnvelopeDesignScreen()
{
    // The widget hands the model's callbacks back before the model goes.
    delete FDesignPanel;
    FDesignPanel = nullptr;
}

void TEnvelopeDesignScreen::BuildControls()
{
    auto* layout = new QVBoxLayout(this);
    auto* line1 = new QHBoxLayout;
    line1->addWidget(new QLabel("Layout:", this));
    line1->addStretch();
    FDefaultFontButton = Button("DefaultFontButton", QString(), this);
    line1->addWidget(FDefaultFontButton);
    layout->addLayout(line1);

    auto* line2 = new QHBoxLayout;
    line2->addWidget(new QLabel("Description:", this));
    DescriptionEdit = new QLineEdit(this);
    DescriptionEdit->setObjectName("DescriptionEdit");
    DescriptionEdit->setMaxLength(EnvelopeDescriptionEditLength);
    line2->addWidget(DescriptionEdit, 1);
    layout->addLayout(line2);

    auto* tools = new QHBoxLayout;
    tools->setSpacing(1);
    FTools = new QButtonGroup(this);
    FTools->setExclusive(true);
    const std::pair<const char*, const char*> toolNames[] = {
        {"SelectionTool", "Selection tool"},
        {"TextTool", "Text tool"},
        {"DatabaseFieldTool", "Database Field tool"},
        {"MultiLineTextTool", "Multi-line text tool"},
        {"DatabaseAddressTool", "Database Mailing Address tool"},
        {"RectangleTool", "Rectangle tool"},
        {"EllipseTool", "Ellipse tool"},
        {"RoundRectangleTool", "Round Rectangle tool"},
        {"LineTool", "Line Tool"},
        {"ClipArtTool", "Clip Art Tool"},
        {"PostnetTool", "Postnet Barcode tool"},
        {"FimTool", "FIM Barcode tool"},
        {"IntelligentMailTool", "Intelligent Mail Barcode tool"},
    };
    for (int tool = 0; tool < static_cast<int>(std::size(toolNames)); ++tool)
        tools->addWidget(AddTool(tool, toolNames[tool].first, toolNames[tool].second));
    FTools->button(0)->setChecked(true);
    tools->addSpacing(12);

    auto* zoomDown = new QToolButton(this);
    zoomDown->setObjectName("ZoomDownButton");
    zoomDown->setArrowType(Qt::DownArrow);
    zoomDown->setToolTip("Zoom out");
    auto* zoomUp = new QToolButton(this);
    zoomUp->setObjectName("ZoomUpButton");
    zoomUp->setArrowType(Qt::UpArrow);
    zoomUp->setToolTip("Zoom in");
    ZoomCaption = new QLabel(this);
    ZoomCaption->setObjectName("ZoomCaption");
    ZoomCaption->setMinimumWidth(40);
    ZoomCaption->setAlignment(Qt::AlignCenter);
    tools->addWidget(zoomDown);
    tools->addWidget(ZoomCaption);
    tools->addWidget(zoomUp);
    tools->addSpacing(12);

    auto* showGrid = ToggleButton("ShowGridButton", "Show grid", GridIcon(false), this);
    auto* snapToGrid = ToggleButton("SnapToGridButton", "Snap to Grid", GridIcon(true), this);
    auto* fieldNames = ToggleButton("FieldNamesButton", "Toggle display of field names or field values",
                                    TextIcon("[ab]", 7), this);
    PrinterMarginsButton = ToggleButton(
        "PrinterMarginsButton",
        "Show current printer margins: the areas the printer cannot print on lie outside the red dotted line",
        DrawnIcon([](QPainter& p) {
            p.setPen(QPen(Qt::red, 1, Qt::DotLine));
            p.drawRect(QRectF(4.5, 4.5, 13, 13));
        }),
        this);
    PostalTemplateButton =
        ToggleButton("PostalTemplateButton", "Show USPS Automation Template", DrawnIcon([](QPainter& p) {
                         p.setBrush(QColor(239, 239, 239));
                         p.setPen(QPen(QColor(128, 128, 128), 1));
                         p.drawRect(QRectF(2.5, 5.5, 17, 11));
                         p.drawRect(QRectF(8.5, 10.5, 9, 4));
                     }),
                     this);
    for (QToolButton* toggle : {showGrid, snapToGrid, fieldNames, PrinterMarginsButton, PostalTemplateButton})
        tools->addWidget(toggle);
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
    FDesignPanel->setObjectName("EnvelopePanel");
    FDesignPanel->SetDrawOutline(true);
    areaLayout->addWidget(FDesignPanel, 0, 0, Qt::AlignLeft | Qt::AlignTop);
    areaLayout->setRowStretch(1, 1);
    areaLayout->setColumnStretch(1, 1);
    FScroll->setWidget(area);
    layout->addWidget(FScroll, 1);

    auto* bottom = new QHBoxLayout;
    SaveButton = Button("SaveButton", "Save", this);
    SaveButton->setVisible(false);
    auto* cancel = Button("CancelButton", "Cancel", this);
    ChangeSizeButton = Button("ChangeSizeButton", "Change Size", this);
    bottom->addWidget(SaveButton);
    bottom->addWidget(cancel);
    bottom->addWidget(ChangeSizeButton);
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
    auto* help = Button("HelpButton", "Help", this);
    bottom->addWidget(help);
    bottom->addWidget(CreateMouseHelpButton(this));
    layout->addLayout(bottom);

    InstallWhatsThis(
        this,
        {{"DefaultFontButton",
          "The font new text elements get. Click to choose another; it is kept for every "
          "envelope you design."},
         {"DescriptionEdit", "The name of this envelope setup in the list of the Print Envelope window."},
         {"SelectionTool", "Select, move and resize the elements of the envelope."},
         {"TextTool", "Draw a rectangle on the envelope to add a line of text."},
         {"DatabaseFieldTool", "Add a field of the address record."},
         {"MultiLineTextTool", "Draw a rectangle on the envelope to add several lines of text, such as a "
                               "return address."},
         {"DatabaseAddressTool", "Add a mailing address block built from the record's name and address."},
         {"RectangleTool", "Draw a rectangle."},
         {"EllipseTool", "Draw an ellipse."},
         {"RoundRectangleTool", "Draw a rectangle with rounded corners."},
         {"LineTool", "Draw a line."},
         {"ClipArtTool", "Add a picture from a file."},
         {"PostnetTool", "Add a POSTNET bar code of the ZIP code."},
         {"FimTool", "Add a FIM bar code (the facing identification mark of business reply mail)."},
         {"IntelligentMailTool",
          "Add an Intelligent Mail barcode: the ZIP code as routing code, your Mailer ID "
          "and a serial number for each printed piece."},
         {"ZoomDownButton",
          "Show the envelope smaller (down to 50 %); the keypad's minus key does the same."},
         {"ZoomUpButton", "Show the envelope larger (up to 150 %); the keypad's plus key does the same."},
         {"ShowGridButton", "Show the grid dots on the envelope."},
         {"SnapToGridButton", "Make elements you move or resize snap to the grid."},
         {"FieldNamesButton", "Show the names of the fields instead of the current record's values."},
         {"PrinterMarginsButton", "Show the areas the selected printer cannot print on: they lie outside the "
                                  "red dotted line."},
         {"PostalTemplateButton", "Show where the postal service reads the return address, the address, the "
                                  "bar code and the FIM."},
         {"EnvelopePanel",
          "The envelope at its real size (at 100 %). Drag on it with a tool to add an element; "
          "right-click an element for its settings."},
         {"SaveButton", "Keep the envelope and its layout. Elements outside the envelope are removed."},
         {"CancelButton", "Close without keeping the changes."},
         {"ChangeSizeButton", "Choose another envelope size."},
         {"FirstRecordButton", "Show the first address record."},
         {"PriorRecordButton", "Show the previous address record."},
         {"NextRecordButton", "Show the next address record."},
         {"LastRecordButton", "Show the last address record."},
         {"HelpButton", "Open the help on the envelope designer."}});

    connect(FTools, &QButtonGroup::idClicked, this, &TEnvelopeDesignScreen::SelectTool);
    connect(zoomUp, &QToolButton::clicked, this, &TEnvelopeDesignScreen::ZoomIn);
    connect(zoomDown, &QToolButton::clicked, this, &TEnvelopeDesignScreen::ZoomOut);
    connect(showGrid, &QToolButton::toggled, this, [this](bool down) { FDesignPanel->SetShowGrid(down); });
    connect(snapToGrid, &QToolButton::toggled, this,
            [this](bool down) { FDesignPanel->SetSnapToGrid(down); });
    connect(fieldNames, &QToolButton::toggled, this,
            [this](bool down) { FDesignPanel->SetDisplayDataValues(!down); });
    connect(PrinterMarginsButton, &QToolButton::toggled, this, &TEnvelopeDesignScreen::SetShowPrinterMargins);
    connect(PostalTemplateButton, &QToolButton::toggled, this, &TEnvelopeDesignScreen::SetShowPostalTemplate);
    connect(DescriptionEdit, &QLineEdit::textChanged, this, [this](const QString& text) {
        FSession->DescriptionEdited(text);
        ShowSaveButton();
    });
    connect(FDefaultFontButton, &QPushButton::clicked, this, &TEnvelopeDesignScreen::ChooseDefaultFont);
    connect(SaveButton, &QPushButton::clicked, this, &TEnvelopeDesignScreen::SaveButtonClick);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(ChangeSizeButton, &QPushButton::clicked, this, &TEnvelopeDesignScreen::ChangeSizeButtonClick);
    connect(help, &QPushButton::clicked, this, [] { ShowHelpSearch("Envelope Design Screen"); });
    connect(first, &QToolButton::clicked, this, [this] { MoveRecord(RecordButton::First); });
    connect(prior, &QToolButton::clicked, this, [this] { MoveRecord(RecordButton::Previous); });
    connect(next, &QToolButton::clicked, this, [this] { MoveRecord(RecordButton::Next); });
    connect(last, &QToolButton::clicked, this, [this] { MoveRecord(RecordButton::Last); });
    connect(FDesignPanel, &TGDesignPanel::labelChanged, this, &TEnvelopeDesignScreen::PanelChanged);
    connect(FDesignPanel, &TGDesignPanel::droppedObject, this, &TEnvelopeDesignScreen::ObjectDropped);
    // The window sees keys before its controls do.
    for (QWidget* child : findChildren<QWidget*>())
        child->installEventFilter(this);
}

QToolButton* TEnvelopeDesignScreen::AddTool(int tool, const QString& objectName, const QString& hint)
{
    QToolButton* button =
        ToggleButton(objectName, hint, EnvelopeToolIcon(static_cast<TEnvelopeTool>(tool)), this);
    FTools->addButton(button, tool);
    return button;
}

void TEnvelopeDesignScreen::BeginNewEnvelope()
{
    FDesignPanel->ClearSelection();
    FPanel->ClearElements();
    const QSignalBlocker blocker(DescriptionEdit);
    DescriptionEdit->setText(QString::fromUtf8(NewEnvelopeDescription));
    FSession->SetDescription(DescriptionEdit->text());
}

Status TEnvelopeDesignScreen::LoadLayout(const std::string& path)
{
    FDesignPanel->ClearSelection();
    FPanel->ClearElements();
    Status loaded = FPanel->LoadFromFile(path);
    FPanel->ConnectElements();
    FSession->ShowRecordValues();
    FDesignPanel->update();
    return loaded;
}

void TEnvelopeDesignScreen::SetPrinterPage(const PrinterPagePixels& page)
{
    FPanel->SetPrinterPage(page);
    FDesignPanel->update();
}

const EnvelopeSetup& TEnvelopeDesignScreen::Setup() const
{
    return FSession->Setup();
}

bool TEnvelopeDesignScreen::SaveOffered() const
{
    return SaveButton->isVisibleTo(this);
}

void TEnvelopeDesignScreen::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    if (!FActivated) {
        RestoreWindowPlacement(this);
        Activate();
    }
}

void TEnvelopeDesignScreen::Activate()
{
    if (FActivated)
        return;
    FActivated = true;
    FSession->SetActivating(true);
    FPanel->SetFont(PanelFont(FSession->ReadDefaultFont(Settings()), FPanel->PixelsPerInch()));
    FSession->ApplyEnvelopeSize();
    SaveButton->setVisible(false);
    UpdateDefaultFontCaption();
    FSession->SetActivating(false);
}

void TEnvelopeDesignScreen::done(int result)
{
    if (FActivated && isVisible())
        SaveWindowPlacement(this);
    QDialog::done(result);
}

void TEnvelopeDesignScreen::PanelChanged()
{
    FSession->PanelChanged();
    ShowSaveButton();
}

void TEnvelopeDesignScreen::ShowSaveButton()
{
    if (FSession->Changed() && !FSession->Activating())
        SaveButton->setVisible(true);
}

void TEnvelopeDesignScreen::ObjectDropped()
{
    SelectTool(0);
}

void TEnvelopeDesignScreen::SelectTool(int tool)
{
    FDesignPanel->SetToolNumber(tool);
    if (QAbstractButton* button = FTools->button(FPanel->PanelState()))
        button->setChecked(true);
}

void TEnvelopeDesignScreen::ZoomIn()
{
    FDesignPanel->ClearSelection();
    FSession->ZoomIn();
    ZoomCaption->setText(FSession->ZoomCaption());
}

void TEnvelopeDesignScreen::ZoomOut()
{
    FDesignPanel->ClearSelection();
    FSession->ZoomOut();
    ZoomCaption->setText(FSession->ZoomCaption());
}

void TEnvelopeDesignScreen::MoveRecord(RecordButton button)
{
    FSession->MoveRecord(button);
    FDesignPanel->update();
}

void TEnvelopeDesignScreen::ChangeSizeButtonClick()
{
    if (const std::optional<int> code = ChooseEnvelopeSize(FSession->Setup().Code, this))
        ChangeSizeTo(*code);
}

void TEnvelopeDesignScreen::ChangeSizeTo(int code)
{
    FDesignPanel->ClearSelection();
    if (FSession->ChangeSize(code))
        SaveButton->setVisible(true);
    FDesignPanel->update();
}

void TEnvelopeDesignScreen::SetShowPrinterMargins(bool down)
{
    FPanel->SetShowPrinterMargins(down);
    FDesignPanel->update();
}

void TEnvelopeDesignScreen::SetShowPostalTemplate(bool down)
{
    FPanel->SetShowPostalTemplate(down);
    FDesignPanel->update();
}

void TEnvelopeDesignScreen::UpdateDefaultFontCaption()
{
    FDefaultFontButton->setText(DefaultFontCaption(DefaultFontOf(FPanel->Font(), FPanel->PixelsPerInch())));
}

void TEnvelopeDesignScreen::ChooseDefaultFont()
{
    QFontDialog dialog(this);
    dialog.setObjectName("DefaultFontDialog");
    const DesignDefaultFont current = DefaultFontOf(FPanel->Font(), FPanel->PixelsPerInch());
    QFont font(QString::fromStdString(current.Name), current.Size);
    font.setBold(current.Bold);
    font.setItalic(current.Italic);
    dialog.setCurrentFont(font);
    DesignDefaultFont written = current;
    if (RunModalDialog(dialog) == QDialog::Accepted) {
        const QFont chosen = dialog.currentFont();
        written.Name = chosen.family().toStdString();
        written.Size = chosen.pointSize() > 0 ? chosen.pointSize() : current.Size;
        written.Bold = chosen.bold();
        written.Italic = chosen.italic();
        FPanel->SetFont(PanelFont(written, FPanel->PixelsPerInch()));
    }
    (void)FSession->WriteDefaultFont(Settings(), written);
    UpdateDefaultFontCaption();
}

void TEnvelopeDesignScreen::SaveButtonClick()
{
    FDesignPanel->ClearSelection();
    FSession->PrepareSave(DescriptionEdit->text());
    accept();
}

bool TEnvelopeDesignScreen::HandleWindowKey(QKeyEvent* event, bool release)
{
    return HandleDesignWindowKey(
        event, release, DescriptionEdit->hasFocus(), *FScroll, *FDesignPanel, [this] { ZoomIn(); },
        [this] { ZoomOut(); });
}

bool TEnvelopeDesignScreen::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::KeyPress || event->type() == QEvent::KeyRelease) {
        if (HandleWindowKey(static_cast<QKeyEvent*>(event), event->type() == QEvent::KeyRelease))
            return true;
    }
    return QDialog::eventFilter(watched, event);
}

void TEnvelopeDesignScreen::keyPressEvent(QKeyEvent* event)
{
    if (!HandleWindowKey(event, false))
        QDialog::keyPressEvent(event);
}

void TEnvelopeDesignScreen::keyReleaseEvent(QKeyEvent* event)
{
    if (!HandleWindowKey(event, true))
        QDialog::keyReleaseEvent(event);
}

} // namespace corvane
