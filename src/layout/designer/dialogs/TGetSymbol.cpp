#include "layout/designer/dialogs/TGetSymbol.h"

#include <QEvent>
#include <QFontDialog>
#include <QHBoxLayout>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

#include "layout/ElementDialogModels.h"
#include "layout/LayoutQt.h"
#include "layout/SymbolFonts.h"
#include "layout/TGSymbolLabel.h"
#include "layout/designer/dialogs/DialogParts.h"
#include "layout/designer/dialogs/DialogRunner.h"
#include "platform/windows/WhatsThis.h"
#include "platform/windows/WindowPlacement.h"

namespace corvane {

TGetSymbol::TGetSymbol(QWidget* parent) : QDialog(parent)
{
    setObjectName("TGetSymbol");
    setWindowTitle("Symbol Selector");
    Fontbutton = new QPushButton("&Font", this);
    Fontbutton->setObjectName("Fontbutton");
    Fontbutton->setAutoDefault(false);
    SymbolList = new QListWidget(this);
    SymbolList->setObjectName("SymbolList");
    SymbolList->setFlow(QListView::LeftToRight);
    SymbolList->setWrapping(true);
    SymbolList->setResizeMode(QListView::Adjust);
    SymbolList->setUniformItemSizes(true);
    SymbolList->setSelectionMode(QAbstractItemView::SingleSelection);
    for (int index = 0; index < SymbolCount; ++index) {
        auto* item = new QListWidgetItem(ToQString(SymbolCaption(index)), SymbolList);
        item->setTextAlignment(Qt::AlignCenter);
        item->setToolTip(QString::number(index + FirstSymbolCode));
    }

    auto* layout = new QHBoxLayout(this);
    auto* left = new QVBoxLayout;
    left->addWidget(Fontbutton);
    left->addStretch();
    layout->addLayout(left);
    auto* right = new QVBoxLayout;
    right->addWidget(SymbolList, 1);
    auto* row = new QHBoxLayout;
    AddDialogButtons(this, row, "Symbol Selector");
    right->addLayout(row);
    layout->addLayout(right, 1);

    SymbolList->viewport()->installEventFilter(this);
    connect(Fontbutton, &QPushButton::clicked, this, &TGetSymbol::FontbuttonClick);
    connect(SymbolList, &QListWidget::itemDoubleClicked, this, &QDialog::accept);
    InstallWhatsThis(this,
                     {{"Fontbutton", "Chooses the font whose characters the list shows."},
                      {"SymbolList", "The characters of the font; the element shows the one you select."},
                      {"OkButton", "Makes the element show the selected character in this font."},
                      {"CancelButton", "Closes the window and leaves the symbol as it was."},
                      {"HelpButton", "Shows the help on symbols."}});
    resize(560, 380);
    SetWorkingFont(FWorkingFont, FPixelsPerInch);
    CentreForm(this);
}

void TGetSymbol::SetWorkingFont(const TGFont& font, double pixelsPerInch)
{
    FWorkingFont = font;
    FPixelsPerInch = pixelsPerInch;
    ShowListFont();
}

void TGetSymbol::ShowListFont()
{
    QFont listFont = ToQFont(FWorkingFont, FPixelsPerInch);
    listFont.setPointSize(ListPointSize);
    SymbolList->setFont(listFont);
    for (int index = 0; index < SymbolCount; ++index)
        SymbolList->item(index)->setText(SymbolFontText(FWorkingFont.Name, ToQString(SymbolCaption(index))));
    QPalette palette = SymbolList->palette();
    palette.setColor(QPalette::Text, ToQColor(FWorkingFont.Color));
    SymbolList->setPalette(palette);
    const bool bold = FWorkingFont.Style & FontStyleBit(TFontStyle::fsBold);
    const bool italic = FWorkingFont.Style & FontStyleBit(TFontStyle::fsItalic);
    Fontbutton->setText(ToQString(SymbolFontButtonCaption(FWorkingFont.Name, ListPointSize, bold, italic)));
    FColumns = SymbolListColumns(ListPointSize);
    UpdateGrid();
}

void TGetSymbol::UpdateGrid()
{
    // The columns share the list's width; the width changes with the window.
    const int cell = std::max(SymbolList->viewport()->width() / FColumns - 1, 8);
    SymbolList->setGridSize(QSize(cell, QFontMetrics(SymbolList->font()).height() + 6));
}

bool TGetSymbol::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == SymbolList->viewport() && event->type() == QEvent::Resize)
        UpdateGrid();
    return QDialog::eventFilter(watched, event);
}

void TGetSymbol::SetSelectedIndex(int index)
{
    SymbolList->setCurrentRow(index >= 0 && index < SymbolCount ? index : -1);
    if (QListWidgetItem* item = SymbolList->currentItem())
        SymbolList->scrollToItem(item);
}

int TGetSymbol::SelectedIndex() const
{
    const QListWidgetItem* item = SymbolList->currentItem();
    return item && item->isSelected() ? SymbolList->row(item) : -1;
}

void TGetSymbol::FontbuttonClick()
{
    QFontDialog dialog(DialogFont(FWorkingFont, FPixelsPerInch), this);
    dialog.setObjectName("FontDialog");
    dialog.setOption(QFontDialog::DontUseNativeDialog);
    if (RunModalDialog(dialog) != QDialog::Accepted)
        return;
    SetWorkingFont(FontFromQFont(dialog.currentFont(), FWorkingFont, FPixelsPerInch), FPixelsPerInch);
}

bool TGetSymbol::EditSymbol(TGSymbolLabel& symbol, QWidget* parent)
{
    TGetSymbol dialog(parent);
    dialog.SetWorkingFont(symbol.Font(), symbol.PixelsPerInch());
    dialog.SetSelectedIndex(SymbolIndex(symbol.Caption()));
    if (RunModalDialog(dialog) != QDialog::Accepted)
        return false;
    symbol.SetFont(dialog.WorkingFont());
    if (dialog.SelectedIndex() >= 0)
        symbol.SetCaption(SymbolCaption(dialog.SelectedIndex()));
    symbol.MarkLayoutDirty();
    symbol.FitToCharacter();
    return true;
}

} // namespace corvane
