#include "layout/designer/dialogs/DialogParts.h"

#include <array>

#include <QBoxLayout>
#include <QColorDialog>
#include <QDialog>
#include <QPixmap>
#include <QPushButton>
#include <QToolButton>

#include "layout/ElementDialogModels.h"
#include "layout/LayoutQt.h"
#include "layout/designer/dialogs/DialogRunner.h"
#include "platform/windows/HelpViewer.h"
#include "platform/windows/WhatsThis.h"

namespace corvane {

namespace {

QPushButton* NamedButton(const QString& objectName, const QString& caption, QWidget* parent)
{
    auto* button = new QPushButton(caption, parent);
    button->setObjectName(objectName);
    return button;
}

struct StandardColor {
    const char* Name;
    TColor Color;
};

constexpr std::array<StandardColor, 16> kStandardColors = {{{"Black", 0x000000},
                                                            {"Maroon", 0x000080},
                                                            {"Green", 0x008000},
                                                            {"Olive", 0x008080},
                                                            {"Navy", 0x800000},
                                                            {"Purple", 0x800080},
                                                            {"Teal", 0x808000},
                                                            {"Gray", 0x808080},
                                                            {"Silver", 0xC0C0C0},
                                                            {"Red", 0x0000FF},
                                                            {"Lime", 0x00FF00},
                                                            {"Yellow", 0x00FFFF},
                                                            {"Blue", 0xFF0000},
                                                            {"Fuchsia", 0xFF00FF},
                                                            {"Aqua", 0xFFFF00},
                                                            {"White", 0xFFFFFF}}};

QPixmap Swatch(TColor color)
{
    QPixmap pixmap(16, 12);
    pixmap.fill(ToQColor(color));
    return pixmap;
}

} // namespace

DialogButtons AddDialogButtons(QDialog* dialog, QBoxLayout* row, const QString& helpKey)
{
    DialogButtons buttons;
    buttons.Ok = NamedButton("OkButton", "Ok", dialog);
    buttons.Cancel = NamedButton("CancelButton", "Cancel", dialog);
    buttons.Help = NamedButton("HelpButton", "Help", dialog);
    buttons.Ok->setDefault(true);
    buttons.Cancel->setAutoDefault(false);
    buttons.Help->setAutoDefault(false);
    row->addStretch();
    row->addWidget(buttons.Ok);
    row->addWidget(buttons.Cancel);
    row->addWidget(buttons.Help);
    row->addWidget(CreateMouseHelpButton(dialog));
    QObject::connect(buttons.Ok, &QPushButton::clicked, dialog, &QDialog::accept);
    QObject::connect(buttons.Cancel, &QPushButton::clicked, dialog, &QDialog::reject);
    QObject::connect(buttons.Help, &QPushButton::clicked, dialog, [helpKey] { ShowHelpSearch(helpKey); });
    return buttons;
}

ColorBox::ColorBox(const QString& objectName, QWidget* parent) : QComboBox(parent)
{
    setObjectName(objectName);
    for (const StandardColor& standard : kStandardColors)
        addItem(Swatch(standard.Color), standard.Name, standard.Color);
    addItem("Custom...");
    FCustomIndex = count() - 1;
    setCurrentIndex(IndexOfColor(FColor));
    connect(this, &QComboBox::activated, this, &ColorBox::EntryActivated);
}

int ColorBox::IndexOfColor(TColor color) const
{
    for (int index = 0; index < count(); ++index)
        if (index != FCustomIndex && itemData(index).isValid() && itemData(index).toInt() == color)
            return index;
    return -1;
}

void ColorBox::SetColor(TColor color)
{
    int index = IndexOfColor(color);
    if (index < 0) {
        const QString name = QString("$%1").arg(static_cast<uint32_t>(color), 8, 16, QChar('0')).toUpper();
        insertItem(FCustomIndex, Swatch(color), name, color);
        index = FCustomIndex++;
    }
    setCurrentIndex(index);
    if (color == FColor)
        return;
    FColor = color;
    emit ColorChanged(color);
}

void ColorBox::EntryActivated(int index)
{
    if (index != FCustomIndex) {
        SetColor(itemData(index).toInt());
        return;
    }
    QColorDialog dialog(ToQColor(FColor), this);
    dialog.setObjectName("ColorDialog");
    dialog.setOption(QColorDialog::DontUseNativeDialog);
    if (RunModalDialog(dialog) == QDialog::Accepted)
        SetColor(FromQColor(dialog.currentColor()));
    else
        setCurrentIndex(IndexOfColor(FColor));
}

} // namespace corvane
