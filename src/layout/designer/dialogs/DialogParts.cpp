#include "layout/designer/dialogs/DialogParts.h"

#include <array>

#include <QColorDialog>
#include <QDialog>
#include <QPixmap>

#include "layout/ElementDialogModels.h"
#include "layout/LayoutQt.h"
#include "layout/designer/dialogs/DialogRunner.h"

namespace corvane {

namespace {

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
