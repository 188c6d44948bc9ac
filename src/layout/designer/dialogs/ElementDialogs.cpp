#include "layout/designer/dialogs/ElementDialogs.h"

#include <QColorDialog>
#include <QFontDialog>

#include "core/FieldCatalogue.h"
#include "layout/ElementDialogModels.h"
#include "layout/LayoutQt.h"
#include "layout/LayoutRecordSource.h"
#include "layout/TGCounterLabel.h"
#include "layout/TGIntelligentMailBarCode.h"
#include "layout/TGDMultiLineAddressLabel.h"
#include "layout/TGDMultiLineLabel.h"
#include "layout/TGDataPanel.h"
#include "layout/TGImage.h"
#include "layout/TGLabelShapes.h"
#include "layout/TGLineShape.h"
#include "layout/TGMultiLineLabel.h"
#include "layout/TGPDLabel.h"
#include "layout/TGPLabel.h"
#include "layout/TGSymbolLabel.h"
#include "layout/designer/dialogs/DialogRunner.h"
#include "layout/designer/dialogs/TAddressLayout.h"
#include "layout/designer/dialogs/TFieldSelectionBox.h"
#include "layout/designer/dialogs/TGFont3DEffects.h"
#include "layout/designer/dialogs/TGImageBrowser.h"
#include "layout/designer/dialogs/TGetCounter.h"
#include "layout/designer/dialogs/TGetIntelligentMail.h"
#include "layout/designer/dialogs/TGetSymbol.h"
#include "layout/designer/dialogs/TextDialogs.h"

namespace corvane {

namespace {

// The fields the pickers list: the caller's, else those of the panel's record source, else the
// address table's fields as every address file has them.
const FieldCatalogue& CatalogueFor(const TGGraphicControl& element, const ElementDialogContext& context)
{
    if (context.Fields)
        return *context.Fields;
    if (const auto* panel = dynamic_cast<const TGDataPanel*>(element.Parent()))
        if (const LayoutRecordSource* source = panel->RecordSource())
            return source->Catalogue();
    static const FieldCatalogue defaults;
    return defaults;
}

// The font dialog on `font`; the chosen font on Ok.
std::optional<TGFont> ChooseFont(const TGFont& font, double pixelsPerInch, QWidget* parent)
{
    QFontDialog dialog(DialogFont(font, pixelsPerInch), parent);
    dialog.setObjectName("FontDialog");
    dialog.setWindowTitle("Font");
    dialog.setOption(QFontDialog::DontUseNativeDialog);
    if (RunModalDialog(dialog) != QDialog::Accepted)
        return std::nullopt;
    return FontFromQFont(dialog.currentFont(), font, pixelsPerInch);
}

// The colour dialog starting at `color`; the chosen colour on Ok.
std::optional<TColor> ChooseColor(TColor color, QWidget* parent)
{
    QColorDialog dialog(ToQColor(color), parent);
    dialog.setObjectName("ColorDialog");
    dialog.setOption(QColorDialog::DontUseNativeDialog);
    if (RunModalDialog(dialog) != QDialog::Accepted)
        return std::nullopt;
    return FromQColor(dialog.currentColor());
}

void RunFont(TGGraphicControl& element, QWidget* parent)
{
    if (auto* label = dynamic_cast<TGBaseLabel*>(&element)) {
        const std::optional<TGFont> font = ChooseFont(label->Font(), label->PixelsPerInch(), parent);
        if (!font)
            return;
        label->SetFont(*font);
        label->MarkLayoutDirty();
        if (dynamic_cast<TGPLabel*>(label))
            label->FitToText();
    } else if (auto* lines = dynamic_cast<TGMultiLineBaseLabel*>(&element)) {
        const std::optional<TGFont> font = ChooseFont(lines->Font(), lines->PixelsPerInch(), parent);
        if (!font)
            return;
        // Taking a font re-reads the record's lines and re-wraps them, as the panel's font does.
        lines->AssignFont(*font);
        lines->NotifyChanged();
    }
}

void RunBackgroundColor(TGBaseLabel& label, QWidget* parent)
{
    const std::optional<TColor> color = ChooseColor(label.BackColor(), parent);
    if (!color)
        return;
    label.SetBackColor(*color);
    label.SetTransparent(false);
    label.UpdateMenuChecks();
}

void RunLineColor(TGGraphicControl& element, QWidget* parent)
{
    if (auto* line = dynamic_cast<TGLineShape*>(&element)) {
        const std::optional<TColor> color = ChooseColor(line->Pen().Color, parent);
        if (!color)
            return;
        line->NotifyChanged();
        TGPen pen = line->Pen();
        pen.Color = *color;
        line->SetPen(pen);
    } else if (auto* shape = dynamic_cast<TGLabelShapes*>(&element)) {
        const std::optional<TColor> color = ChooseColor(shape->Pen().Color, parent);
        if (!color)
            return;
        TGPen pen = shape->Pen();
        pen.Color = *color;
        shape->SetPen(pen);
        shape->NotifyChanged();
    }
}

void RunShapeBackgroundColor(TGLabelShapes& shape, QWidget* parent)
{
    const std::optional<TColor> color = ChooseColor(shape.Brush().Color, parent);
    if (!color)
        return;
    TGBrush brush = shape.Brush();
    brush.Color = *color;
    shape.SetBrush(brush);
    shape.NotifyChanged();
    shape.SetTransparent(false);
    shape.UpdateMenuChecks();
}

template <class Kind> Kind* As(TGGraphicControl& element)
{
    return dynamic_cast<Kind*>(&element);
}

} // namespace

bool IsElementDialogCommand(ElementCommand command)
{
    switch (command) {
    case ElementCommand::Font:
    case ElementCommand::Effects3D:
    case ElementCommand::BackgroundColor:
    case ElementCommand::Text:
    case ElementCommand::DataField:
    case ElementCommand::CounterSettings:
    case ElementCommand::SymbolSelector:
    case ElementCommand::MemoField:
    case ElementCommand::AddressLayout:
    case ElementCommand::LineColor:
    case ElementCommand::ShapeBackgroundColor:
    case ElementCommand::LoadImage:
    case ElementCommand::IntelligentMailSettings:
        return true;
    default:
        return false;
    }
}

bool RunCreationDialog(TGGraphicControl& element, const ElementDialogContext& context)
{
    if (auto* label = As<TGPLabel>(element))
        return TGetLabelText::EditText(*label, context.Parent);
    if (auto* lines = As<TGMultiLineLabel>(element))
        return TMultiLineTextEditor::EditLines(*lines, context.Parent);
    if (auto* field = As<TGPDLabel>(element))
        return TFieldSelectionBox::SelectDataField(*field, CatalogueFor(element, context), context.Parent);
    if (auto* symbol = As<TGSymbolLabel>(element))
        return TGetSymbol::EditSymbol(*symbol, context.Parent);
    if (auto* code = As<TGIntelligentMailBarCode>(element))
        return TGetIntelligentMail::EditIntelligentMail(*code, context.Parent);
    return true;
}

CommandOutcome RunElementDialogCommand(TGGraphicControl& element, ElementCommand command, int argument,
                                       const ElementDialogContext& context)
{
    if (!IsElementDialogCommand(command) || !FindMenuItem(element.Menu(), command, argument))
        return CommandOutcome::NotInMenu;
    QWidget* parent = context.Parent;
    bool handled = true;
    switch (command) {
    case ElementCommand::Font:
        RunFont(element, parent);
        handled = As<TGBaseLabel>(element) || As<TGMultiLineBaseLabel>(element);
        break;
    case ElementCommand::Effects3D:
        if (auto* label = As<TGBaseLabel>(element))
            TGFont3DEffects::EditEffects(*label, parent);
        else
            handled = false;
        break;
    case ElementCommand::BackgroundColor:
        if (auto* label = As<TGBaseLabel>(element))
            RunBackgroundColor(*label, parent);
        else
            handled = false;
        break;
    case ElementCommand::Text:
        if (auto* label = As<TGPLabel>(element))
            TGetLabelText::EditText(*label, parent);
        else if (auto* lines = As<TGMultiLineLabel>(element))
            TMultiLineTextEditor::EditLines(*lines, parent);
        else
            handled = false;
        break;
    case ElementCommand::DataField:
        if (auto* field = As<TGPDLabel>(element))
            TFieldSelectionBox::SelectDataField(*field, CatalogueFor(element, context), parent);
        else
            handled = false;
        break;
    case ElementCommand::MemoField:
        if (auto* memo = As<TGDMultiLineLabel>(element))
            TFieldSelectionBox::SelectMemoField(*memo, CatalogueFor(element, context), parent);
        else
            handled = false;
        break;
    case ElementCommand::CounterSettings:
        if (auto* counter = As<TGCounterLabel>(element))
            TGetCounter::EditCounter(*counter, parent);
        else
            handled = false;
        break;
    case ElementCommand::SymbolSelector:
        if (auto* symbol = As<TGSymbolLabel>(element))
            TGetSymbol::EditSymbol(*symbol, parent);
        else
            handled = false;
        break;
    case ElementCommand::IntelligentMailSettings:
        if (auto* code = As<TGIntelligentMailBarCode>(element))
            TGetIntelligentMail::EditIntelligentMail(*code, parent);
        else
            handled = false;
        break;
    case ElementCommand::AddressLayout:
        if (auto* address = As<TGDMultiLineAddressLabel>(element))
            TAddressLayout::EditAddressLayout(*address, parent);
        else
            handled = false;
        break;
    case ElementCommand::LineColor:
        RunLineColor(element, parent);
        handled = As<TGLineShape>(element) || As<TGLabelShapes>(element);
        break;
    case ElementCommand::ShapeBackgroundColor:
        if (auto* shape = As<TGLabelShapes>(element))
            RunShapeBackgroundColor(*shape, parent);
        else
            handled = false;
        break;
    case ElementCommand::LoadImage:
        if (auto* image = As<TGImage>(element))
            TGImageBrowser::LoadImage(*image, context.PictureDirectory, parent);
        else
            handled = false;
        break;
    default:
        handled = false;
        break;
    }
    return handled ? CommandOutcome::Done : CommandOutcome::NotInMenu;
}

} // namespace corvane
