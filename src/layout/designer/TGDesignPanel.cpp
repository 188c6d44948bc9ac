#include "layout/designer/TGDesignPanel.h"

#include <QElapsedTimer>
#include <QFontDialog>
#include <QKeyEvent>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>

#include <cmath>

#include "layout/ElementDialogModels.h"
#include "layout/PictureLoader.h"
#include "layout/QPainterElementPainter.h"
#include "layout/TGDataPanel.h"
#include "layout/TGGraphicControl.h"
#include "layout/designer/TGHandle.h"
#include "layout/designer/dialogs/DialogRunner.h"
#include "layout/designer/dialogs/ElementDialogs.h"
#include "platform/MessageService.h"

namespace corvane {

namespace {

QRect ToQRect(const PixelRect& r)
{
    return {r.Left, r.Top, r.Width, r.Height};
}

// The shape of the label as a path (outline and clipping).
QPainterPath ShapePath(TLabelShape shape, const QRectF& box)
{
    QPainterPath path;
    switch (shape) {
    case TLabelShape::lsRectangle:
        path.addRect(box);
        break;
    case TLabelShape::lsRoundRect:
        path.addRoundedRect(box, 12, 12);
        break;
    case TLabelShape::lsEllipse:
        path.addEllipse(box);
        break;
    }
    return path;
}

// The 8 x 8 grid pattern: green at row and column 2 (and 6 for the 4-pixel grid), white elsewhere;
// combined with the canvas by AND it leaves green dots over white and darkens pictures there.
QImage GridPattern(int step)
{
    QImage pattern(8, 8, QImage::Format_RGB32);
    pattern.fill(Qt::white);
    for (int y = 2; y < 8; y += step)
        for (int x = 2; x < 8; x += step)
            pattern.setPixel(x, y, qRgb(0, 128, 0));
    return pattern;
}

// Commands of an element's menu that are plain actions rather than check marks.
bool IsActionCommand(ElementCommand command)
{
    switch (command) {
    case ElementCommand::None:
    case ElementCommand::BringToFront:
    case ElementCommand::SendToBack:
    case ElementCommand::Cut:
    case ElementCommand::Copy:
    case ElementCommand::Delete:
    case ElementCommand::Clone:
    case ElementCommand::Unselectable:
    case ElementCommand::CenterVertically:
    case ElementCommand::CenterHorizontally:
        return true;
    default:
        return IsElementDialogCommand(command);
    }
}

void Report(const Status& status)
{
    if (!status)
        ShowInfo(status.Message());
}

} // namespace

TGDesignPanel::TGDesignPanel(TGBasePanel& panel, QWidget* parent) : QWidget(parent), FPanel(panel)
{
    setObjectName("DesignPanel");
    setFocusPolicy(Qt::StrongFocus);
    setMouseTracking(true);
    setAttribute(Qt::WA_OpaquePaintEvent);
    FHandle = new TGHandle(*this);
    ConnectModel();
    ApplyWidgetSize();
}

TGDesignPanel::~TGDesignPanel()
{
    // The model outlives the widget: leave it without callbacks into a destroyed widget.
    FPanel.Selection().Changed = nullptr;
    FPanel.ElementInvalidated = nullptr;
    FPanel.ElementBoundsChanged = nullptr;
    FPanel.LabelChangedObserver = nullptr;
}

void TGDesignPanel::ConnectModel()
{
    FPanel.Selection().Changed = [this] {
        SyncHandle();
        update();
        emit selectionChanged();
    };
    FPanel.ElementInvalidated = [this](TGGraphicControl&) { update(); };
    // Bounds changes are collected and the handle recomputed once the current work (a drag of many
    // elements) is done.
    FPanel.ElementBoundsChanged = [this](TGGraphicControl&) {
        update();
        if (FResyncPosted)
            return;
        FResyncPosted = true;
        QMetaObject::invokeMethod(
            this,
            [this] {
                FResyncPosted = false;
                FPanel.Selection().Resync();
            },
            Qt::QueuedConnection);
    };
    FPanel.LabelChangedObserver = [this] { emit labelChanged(); };
}

TGLabelPanel* TGDesignPanel::LabelPanel() const
{
    return dynamic_cast<TGLabelPanel*>(&FPanel);
}

PanelSelection& TGDesignPanel::Selection() const
{
    return FPanel.Selection();
}

void TGDesignPanel::ApplyWidgetSize()
{
    setFixedSize(std::max(1, FPanel.Width()), std::max(1, FPanel.Height()));
    SyncHandle();
    update();
}

void TGDesignPanel::SetSizeInInches(double widthInches, double heightInches)
{
    const double ppi = FPanel.PixelsPerInch();
    SetDesignSize(static_cast<int32_t>(std::nearbyint(widthInches * ppi)),
                  static_cast<int32_t>(std::nearbyint(heightInches * ppi)));
}

void TGDesignPanel::SetDesignSize(int32_t width, int32_t height)
{
    FPanel.SetDesignSize(width, height);
    ApplyWidgetSize();
}

float TGDesignPanel::Zoom() const
{
    return FPanel.Zoom();
}

void TGDesignPanel::SetZoom(float factor)
{
    if (factor == FPanel.Zoom() || !(factor > 0.0f))
        return;
    FPanel.SetZoom(factor);
    ApplyWidgetSize();
    emit zoomChanged(factor);
}

int TGDesignPanel::ZoomPercent() const
{
    return ZoomPercentOf(FPanel.Zoom());
}

void TGDesignPanel::SetZoomPercent(int percent)
{
    SetZoom(ZoomFactorOf(percent));
}

void TGDesignPanel::SetShowGrid(bool on)
{
    FPanel.SetShowGrid(on);
    update();
}

bool TGDesignPanel::ShowGrid() const
{
    return FPanel.ShowGrid();
}

void TGDesignPanel::SetSnapToGrid(bool on)
{
    FPanel.SetSnapToGrid(on);
}

bool TGDesignPanel::SnapToGrid() const
{
    return FPanel.SnapToGrid();
}

void TGDesignPanel::SetGridSize(TGridSize size)
{
    FPanel.SetGridSize(size);
    update();
}

void TGDesignPanel::SetDrawOutline(bool on)
{
    FPanel.SetDrawOutline(on);
    update();
}

void TGDesignPanel::SetShape(TLabelShape shape)
{
    FPanel.SetShape(shape);
    update();
}

void TGDesignPanel::SetDisplayDataValues(bool on)
{
    if (auto* data = dynamic_cast<TGDataPanel*>(&FPanel))
        data->SetDisplayDataValues(on);
    update();
}

bool TGDesignPanel::DisplayDataValues() const
{
    const auto* data = dynamic_cast<const TGDataPanel*>(&FPanel);
    return data ? data->DisplayDataValues() : false;
}

void TGDesignPanel::SetPicture(const QImage& image)
{
    FPicture = image;
    update();
}

void TGDesignPanel::SetColorPicture(const QImage& image)
{
    FColorPicture = image;
    update();
}

void TGDesignPanel::SetTool(TPanelState state)
{
    SetToolNumber(static_cast<int>(state));
}

TPanelState TGDesignPanel::Tool() const
{
    const TGLabelPanel* labels = LabelPanel();
    return labels ? labels->PanelState() : TPanelState::psPointing;
}

void TGDesignPanel::SetToolNumber(int tool)
{
    // The model's tool may have been switched without the widget (a window placing an element
    // itself), so the cursor follows the tool asked for even when the model already has it.
    FPanel.SetToolNumber(tool);
    if (FPanel.ToolNumber() == 0)
        unsetCursor();
    else
        setCursor(Qt::DragCopyCursor);
}

int TGDesignPanel::ToolNumber() const
{
    return FPanel.ToolNumber();
}

void TGDesignPanel::ClearSelection()
{
    FPanel.Selection().Clear();
}

void TGDesignPanel::SelectElement(TGGraphicControl& element)
{
    FPanel.Selection().Select(element);
}

void TGDesignPanel::SetTickSource(std::function<int64_t()> ticks)
{
    FTicks = ticks;
    FPanel.SetTickSource(std::move(ticks));
}

int64_t TGDesignPanel::Ticks() const
{
    if (FTicks)
        return FTicks();
    return FPanel.Ticks();
}

TGGraphicControl* TGDesignPanel::ElementAt(const QPoint& point) const
{
    for (size_t i = FPanel.ElementCount(); i-- > 0;) {
        TGGraphicControl& e = FPanel.ElementAt(i);
        if (ToQRect(e.Bounds()).contains(point))
            return &e;
    }
    return nullptr;
}

void TGDesignPanel::SyncHandle()
{
    if (!FHandle)
        return;
    const PanelSelection& selection = FPanel.Selection();
    if (!selection.HandleVisible()) {
        FHandle->hide();
        FHandle->setEnabled(false);
        FHandle->setGeometry(0, 0, 24, 24);
        return;
    }
    FHandle->setGeometry(ToQRect(selection.HandleBounds()));
    FHandle->setEnabled(true);
    FHandle->show();
    FHandle->raise();
}

void TGDesignPanel::SetFeedbackOutline(const QRect& rect)
{
    if (rect == FOutline)
        return;
    FOutline = rect;
    update();
}

// ---- Keys ---------------------------------------------------------------------------------------

bool TGDesignPanel::HandleKeyPress(QKeyEvent* event)
{
    const bool ctrl = event->modifiers() & Qt::ControlModifier;
    const bool shift = event->modifiers() & Qt::ShiftModifier;
    switch (event->key()) {
    case Qt::Key_C:
        if (!ctrl)
            return false;
        Report(FPanel.CopySelection());
        break;
    case Qt::Key_V:
        if (!ctrl)
            return false;
        Report(FPanel.PasteClipboard());
        break;
    case Qt::Key_X:
        if (!ctrl)
            return false;
        Report(FPanel.CutSelection());
        break;
    case Qt::Key_Delete:
        if (ctrl)
            return false;
        FPanel.DeleteSelection();
        break;
    case Qt::Key_Left:
    case Qt::Key_Up:
    case Qt::Key_Right:
    case Qt::Key_Down: {
        if (FPanel.Selection().Empty())
            return true;
        const NudgeKey key = event->key() == Qt::Key_Left    ? NudgeKey::Left
                             : event->key() == Qt::Key_Up    ? NudgeKey::Up
                             : event->key() == Qt::Key_Right ? NudgeKey::Right
                                                             : NudgeKey::Down;
        FPanel.Selection().Nudge(key, shift);
        SetFeedbackOutline(ToQRect(FPanel.Selection().NudgeBox()));
        break;
    }
    default:
        return false;
    }
    update();
    return true;
}

bool TGDesignPanel::HandleKeyRelease(QKeyEvent* event)
{
    switch (event->key()) {
    case Qt::Key_Left:
    case Qt::Key_Up:
    case Qt::Key_Right:
    case Qt::Key_Down:
        // Auto-repeat sends releases too; only the real release ends the nudge.
        if (event->isAutoRepeat())
            return true;
        SetFeedbackOutline({});
        FPanel.Selection().EndNudge();
        update();
        return true;
    default:
        return false;
    }
}

void TGDesignPanel::keyPressEvent(QKeyEvent* event)
{
    if (!HandleKeyPress(event))
        QWidget::keyPressEvent(event);
}

void TGDesignPanel::keyReleaseEvent(QKeyEvent* event)
{
    if (!HandleKeyRelease(event))
        QWidget::keyReleaseEvent(event);
}

bool TGDesignPanel::focusNextPrevChild(bool)
{
    // The panel wants every key, Tab included.
    return false;
}

// ---- Mouse --------------------------------------------------------------------------------------

void TGDesignPanel::mousePressEvent(QMouseEvent* event)
{
    setFocus(Qt::MouseFocusReason);
    const QPoint p = event->position().toPoint();
    TGGraphicControl* element = ElementAt(p);
    if (!element || !FPanel.Pointing() || element->Unselectable()) {
        BackgroundPress(event->button(), event->modifiers(), p);
        return;
    }
    if (!(event->modifiers() & Qt::ShiftModifier))
        FPanel.Selection().Clear();
    FHandle->Select(*element);
    if (FPanel.Selection().Count() == 1 && event->button() == Qt::RightButton)
        OpenMenu(element, event->globalPosition().toPoint());
}

void TGDesignPanel::mouseMoveEvent(QMouseEvent* event)
{
    const QPoint p = event->position().toPoint();
    if (FHandle->Captured()) {
        const PixelRect& b = FPanel.Selection().HandleBounds();
        FHandle->Move(event->buttons(), p - QPoint(b.Left, b.Top));
        return;
    }
    if (!FBanding) {
        // The pointing hand over elements while pointing; the tool's cursor otherwise.
        if (!FPanel.Pointing())
            setCursor(Qt::DragCopyCursor);
        else if (TGGraphicControl* element = ElementAt(p); element && !element->Unselectable())
            setCursor(Qt::PointingHandCursor);
        else
            unsetCursor();
    }
    BackgroundMove(p);
}

void TGDesignPanel::mouseReleaseEvent(QMouseEvent* event)
{
    const QPoint p = event->position().toPoint();
    if (FHandle->Captured()) {
        const PixelRect& b = FPanel.Selection().HandleBounds();
        FHandle->Release(event->button(), event->modifiers(), p - QPoint(b.Left, b.Top));
        return;
    }
    BackgroundRelease(event->button(), event->modifiers(), p);
}

void TGDesignPanel::mouseDoubleClickEvent(QMouseEvent* event)
{
    const QPoint p = event->position().toPoint();
    TGGraphicControl* element = ElementAt(p);
    if (element && !element->Unselectable()) {
        OpenMenu(element, event->globalPosition().toPoint());
        return;
    }
    BackgroundDoubleClick(p);
}

void TGDesignPanel::BackgroundPress(Qt::MouseButton button, Qt::KeyboardModifiers, const QPoint& point)
{
    if (button == Qt::RightButton || button == Qt::MiddleButton) {
        OpenMenu(nullptr, mapToGlobal(point));
        return;
    }
    if (button != Qt::LeftButton)
        return;
    FBanding = true;
    FBandStart = point;
    FBand = QRect(point, QSize(0, 0));
    if (FPanel.Pointing())
        setCursor(Qt::PointingHandCursor);
}

void TGDesignPanel::BackgroundMove(const QPoint& point)
{
    if (!FBanding)
        return;
    const PixelRect band = NormalisedBand(FBandStart.x(), FBandStart.y(), point.x(), point.y());
    FBand = ToQRect(band);
    update();
}

void TGDesignPanel::BackgroundRelease(Qt::MouseButton, Qt::KeyboardModifiers modifiers, const QPoint& point)
{
    if (!FBanding)
        return;
    const PixelRect band = NormalisedBand(FBandStart.x(), FBandStart.y(), point.x(), point.y());
    FBanding = false;
    FBand = QRect();
    update();
    if (FPanel.Pointing()) {
        FPanel.SelectInRect(band, modifiers & Qt::ShiftModifier);
        unsetCursor();
    } else {
        DropNewElement(band);
    }
}

void TGDesignPanel::BackgroundDoubleClick(const QPoint&)
{
    emit doubleClicked();
}

void TGDesignPanel::DropNewElement(const PixelRect& rect)
{
    if (TGGraphicControl* element = FPanel.CreateElement(rect)) {
        ElementDialogContext context;
        context.Parent = window();
        context.Fields = FFields;
        context.PictureDirectory = FPictureDirectory;
        RunCreationDialog(*element, context);
        FPanel.FinishNewElement(*element);
    }
    update();
    FPanel.RaiseDroppedObject(rect);
    emit droppedObject(ToQRect(rect));
}

// ---- Menus and commands -------------------------------------------------------------------------

void TGDesignPanel::OpenMenu(TGGraphicControl* element, const QPoint& globalPosition)
{
    FOpenMenu = element ? BuildElementMenu(*element) : BuildPanelMenu();
    emit menuAboutToOpen(FOpenMenu.get());
    if (FOpenMenu)
        FOpenMenu->popup(globalPosition);
}

std::unique_ptr<QMenu> TGDesignPanel::BuildPanelMenu()
{
    auto menu = std::make_unique<QMenu>(this);
    menu->setObjectName("PanelMenu");
    const bool selected = !FPanel.Selection().Empty();
    const bool anyElement = FPanel.ElementCount() > 0;
    const auto add = [&](const QString& caption, bool enabled, std::function<void()> run) {
        QAction* action = menu->addAction(caption);
        action->setEnabled(enabled);
        connect(action, &QAction::triggered, this, [this, run] {
            run();
            update();
        });
    };
    add("Bring To Front", selected, [this] { FPanel.BringSelectionToFront(); });
    add("Send To Back", selected, [this] { FPanel.SendSelectionToBack(); });
    menu->addSeparator();
    add("Cut", selected, [this] { Report(FPanel.CutSelection()); });
    add("Copy", selected, [this] { Report(FPanel.CopySelection()); });
    add("Paste", FPanel.ClipboardHasContent(), [this] { Report(FPanel.PasteClipboard()); });
    menu->addSeparator();
    add("Delete", selected, [this] { FPanel.DeleteSelection(); });
    menu->addSeparator();
    add("Align Left", selected, [this] { FPanel.AlignLeft(); });
    add("Align Right", selected, [this] { FPanel.AlignRight(); });
    add("Align Tops", selected, [this] { FPanel.AlignTops(); });
    add("Align Bottoms", selected, [this] { FPanel.AlignBottoms(); });
    menu->addSeparator();
    add("Center Vertically", selected, [this] { FPanel.CenterSelectionVertically(); });
    add("Center Horizontally", selected, [this] { FPanel.CenterSelectionHorizontally(); });
    menu->addSeparator();
    add("Lock All", anyElement, [this] { FPanel.LockAll(); });
    add("Unlock All", anyElement, [this] { FPanel.UnlockAll(); });
    menu->addSeparator();
    add("Mark All Selectable", true, [this] { FPanel.MarkAllSelectable(); });
    add("Mark All Unselectable", true, [this] { FPanel.MarkAllUnselectable(); });
    add("Select All", true, [this] { FPanel.SelectAll(); });
    menu->addSeparator();
    add("Font", selected, [this] { ChooseFontForSelection(); });
    return menu;
}

namespace {

void AddItems(QMenu& menu, const ElementMenu& items, const std::function<void(const ElementMenuItem&)>& run)
{
    for (const ElementMenuItem& item : items) {
        if (item.IsSeparator()) {
            menu.addSeparator();
            continue;
        }
        if (!item.Items.empty()) {
            QMenu* sub = menu.addMenu(QString::fromStdString(item.Caption));
            sub->setEnabled(item.Enabled);
            AddItems(*sub, item.Items, run);
            continue;
        }
        QAction* action = menu.addAction(QString::fromStdString(item.Caption));
        action->setEnabled(item.Enabled);
        if (!IsActionCommand(item.Command)) {
            action->setCheckable(true);
            action->setChecked(item.Checked);
        }
        const ElementCommand command = item.Command;
        const int argument = item.Argument;
        QObject::connect(action, &QAction::triggered, &menu, [run, command, argument] {
            ElementMenuItem chosen;
            chosen.Command = command;
            chosen.Argument = argument;
            run(chosen);
        });
    }
}

} // namespace

std::unique_ptr<QMenu> TGDesignPanel::BuildElementMenu(TGGraphicControl& element)
{
    auto menu = std::make_unique<QMenu>(this);
    menu->setObjectName("ElementMenu");
    element.UpdateMenuChecks();
    // The element may be destroyed by the command (Cut, Delete); it is looked up again by name.
    const std::string name = element.Name();
    AddItems(*menu, element.Menu(), [this, name](const ElementMenuItem& item) {
        for (size_t i = 0; i < FPanel.ElementCount(); ++i) {
            if (FPanel.ElementAt(i).Name() == name) {
                RunElementCommand(FPanel.ElementAt(i), item.Command, item.Argument);
                return;
            }
        }
    });
    return menu;
}

void TGDesignPanel::RunElementCommand(TGGraphicControl& element, ElementCommand command, int argument)
{
    if (IsElementDialogCommand(command)) {
        ElementDialogContext context;
        context.Parent = window();
        context.Fields = FFields;
        context.PictureDirectory = FPictureDirectory;
        if (RunElementDialogCommand(element, command, argument, context) != CommandOutcome::NotInMenu) {
            update();
            return;
        }
    }
    FPanel.RunElementCommand(element, command, argument);
    Report(FPanel.LastCommandStatus());
    update();
}

void TGDesignPanel::ChooseFontForSelection()
{
    if (FPanel.Selection().Empty())
        return;
    const double ppi = FPanel.PixelsPerInch();
    QFontDialog dialog(DialogFont(FPanel.Font(), ppi), window());
    dialog.setObjectName("FontDialog");
    if (RunModalDialog(dialog) != QDialog::Accepted)
        return;
    const TGFont chosen = FontFromQFont(dialog.currentFont(), FPanel.Font(), ppi);
    const std::vector<TGGraphicControl*> elements = FPanel.Selection().Elements();
    for (TGGraphicControl* e : elements)
        e->AssignFont(chosen);
    // Taking over a font does not notify by itself; the layout did change.
    FPanel.RaiseLabelChanged();
    update();
}

// ---- Painting -----------------------------------------------------------------------------------

const QImage& TGDesignPanel::DecodedPicture::Of(const TGPicture& picture)
{
    if (picture.Bytes != Bytes) {
        Bytes = picture.Bytes;
        Image = QImage();
        if (picture.IsBitmap())
            if (auto decoded = DecodeImageBytes(QByteArray::fromStdString(Bytes)))
                Image = *decoded;
    }
    return Image;
}

void TGDesignPanel::PaintBackground(QPainter& painter)
{
    const int w = FPanel.Width();
    const int h = FPanel.Height();
    painter.fillRect(QRect(0, 0, w, h), Qt::white);
    const QPainterPath clip = ShapePath(FPanel.Shape(), QRectF(0, 0, w + 1, h + 1));

    const QImage picture = FPicture.isNull() ? FModelPicture.Of(FPanel.Picture()) : FPicture;
    const QImage colorPicture =
        FColorPicture.isNull() ? FModelColorPicture.Of(FPanel.ColorPicture()) : FColorPicture;
    for (const QImage* image : {&picture, &colorPicture}) {
        if (image->isNull())
            continue;
        painter.save();
        painter.setClipPath(clip);
        painter.drawImage(QRect(0, 0, w, h), *image);
        painter.restore();
    }
    const bool hasPicture = !picture.isNull() || !colorPicture.isNull();

    if (FPanel.DrawOutline()) {
        painter.save();
        painter.setPen(QPen(Qt::black, 1));
        painter.setBrush(hasPicture ? QBrush(Qt::NoBrush) : QBrush(Qt::white));
        // The outline runs along the panel's last pixels as the platform's shapes do.
        const QRectF box(0.5, 0.5, w - 1, h - 1);
        switch (FPanel.Shape()) {
        case TLabelShape::lsRectangle:
            painter.drawRect(box);
            break;
        case TLabelShape::lsRoundRect:
            painter.setRenderHint(QPainter::Antialiasing, false);
            painter.drawRoundedRect(box, 12, 12);
            break;
        case TLabelShape::lsEllipse:
            painter.drawEllipse(box);
            break;
        }
        painter.restore();
    }

    if (FPanel.ShowGrid()) {
        painter.save();
        painter.setClipPath(clip);
        painter.setCompositionMode(QPainter::RasterOp_SourceAndDestination);
        painter.setBrushOrigin(0, 0);
        painter.fillRect(QRect(0, 0, w, h), QBrush(GridPattern(FPanel.GridStep())));
        painter.restore();
    }
}

void TGDesignPanel::PaintElements(QPainter& painter)
{
    const double ppi = FPanel.PixelsPerInch();
    for (size_t i = 0; i < FPanel.ElementCount(); ++i) {
        TGGraphicControl& e = FPanel.ElementAt(i);
        if (e.Width() <= 0 || e.Height() <= 0)
            continue;
        painter.save();
        painter.translate(e.Left(), e.Top());
        painter.setClipRect(QRect(0, 0, e.Width(), e.Height()));
        QPainterElementPainter elementPainter(painter, ppi);
        e.Paint(elementPainter);
        painter.restore();
    }
}

void TGDesignPanel::PaintMarks(QPainter& painter)
{
    const PanelSelection& selection = FPanel.Selection();
    if (selection.Empty())
        return;
    const bool single = selection.Count() == 1;
    const QColor color = single ? FHandle->Color() : FHandle->SecondaryColor();
    for (const TGGraphicControl* e : selection.Elements())
        for (const PixelRect& mark : SelectionMarks(e->Bounds(), single))
            painter.fillRect(ToQRect(mark), color);
}

void TGDesignPanel::paintEvent(QPaintEvent*)
{
    // One off-screen image per paint: the grid is combined with what lies under it, which needs a
    // raster image.
    QImage canvas(std::max(1, width()), std::max(1, height()), QImage::Format_RGB32);
    canvas.fill(Qt::white);
    {
        QPainter painter(&canvas);
        PaintBackground(painter);
        // Overlays belong to the panel's own painting: the elements are drawn over them.
        FPanel.PaintOverlays(painter);
        PaintElements(painter);
        PaintMarks(painter);
        // Drag, nudge and band feedback: a dotted rectangle that inverts what it crosses.
        painter.setCompositionMode(QPainter::RasterOp_SourceXorDestination);
        painter.setBrush(Qt::NoBrush);
        painter.setPen(QPen(Qt::white, 1, Qt::DotLine));
        if (!FOutline.isNull())
            painter.drawRect(FOutline.adjusted(0, 0, -1, -1));
        if (FBanding && !FBand.isNull())
            painter.drawRect(FBand.adjusted(0, 0, -1, -1));
    }
    QPainter screen(this);
    screen.drawImage(0, 0, canvas);
}

} // namespace corvane
