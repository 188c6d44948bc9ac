#include "layout/designer/dialogs/TGFont3DEffects.h"

#include <QComboBox>
#include <QFormLayout>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QVBoxLayout>

#include "layout/LayoutQt.h"
#include "layout/QPainterElementPainter.h"
#include "layout/TGPLabel.h"
#include "layout/designer/dialogs/DialogParts.h"
#include "layout/designer/dialogs/DialogRunner.h"
#include "platform/windows/WhatsThis.h"
#include "platform/windows/WindowPlacement.h"

namespace corvane {

namespace {

QComboBox* NamedList(const QString& objectName, QWidget* parent)
{
    auto* list = new QComboBox(parent);
    list->setObjectName(objectName);
    return list;
}

void FillDepths(QComboBox* list)
{
    for (int depth = 0; depth <= MaxEffectDepth; ++depth)
        list->addItem(QString::number(depth));
}

// A depth outside the list shows no entry and stays as it is until the user picks one.
int DepthIndex(int32_t depth)
{
    return depth >= 0 && depth <= MaxEffectDepth ? depth : -1;
}

} // namespace

ElementSampleView::ElementSampleView(TGPLabel& label, QWidget* parent) : QWidget(parent), FLabel(label)
{
    setObjectName("Sample");
    setMinimumSize(220, 70);
}

void ElementSampleView::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    FLabel.SetBounds({0, 0, width(), height()});
    FLabel.MarkLayoutDirty();
}

void ElementSampleView::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.fillRect(rect(), Qt::white);
    QPainterElementPainter elementPainter(painter, TGGraphicControl::DefaultPixelsPerInch);
    FLabel.MarkLayoutDirty();
    FLabel.DrawOn(elementPainter);
}

TGFont3DEffects::TGFont3DEffects(QWidget* parent) : QDialog(parent), FSample(std::make_unique<TGPLabel>())
{
    setObjectName("TGFont3DEffects");
    setWindowTitle("Text 3D Effects");
    // An element without an owner takes any name.
    (void)FSample->SetName("Sample");
    FSample->SetCaption("Text");

    ShadowDirection = NamedList("ShadowDirection", this);
    for (std::string_view caption : ShadowDirectionCaptions())
        ShadowDirection->addItem(QString::fromUtf8(caption.data(), static_cast<int>(caption.size())));
    ShadowDepth = NamedList("ShadowDepth", this);
    FillDepths(ShadowDepth);
    ShadowColor = new ColorBox("ShadowColor", this);
    HighlightDirection = NamedList("HighlightDirection", this);
    for (std::string_view caption : HighlightDirectionCaptions())
        HighlightDirection->addItem(QString::fromUtf8(caption.data(), static_cast<int>(caption.size())));
    HighLightDepth = NamedList("HighLightDepth", this);
    FillDepths(HighLightDepth);
    HighlightColor = new ColorBox("HighlightColor", this);
    FontColor = new ColorBox("FontColor", this);

    auto* controls = new QGridLayout;
    const auto addRow = [this, controls](int row, int column, const QString& caption, QWidget* control) {
        auto* label = new QLabel(caption, this);
        label->setBuddy(control);
        controls->addWidget(label, row * 2, column);
        controls->addWidget(control, row * 2 + 1, column);
    };
    addRow(0, 0, "Shadow Direction", ShadowDirection);
    addRow(1, 0, "Shadow Depth", ShadowDepth);
    addRow(2, 0, "Shadow Color", ShadowColor);
    addRow(0, 1, "Highlight Direction", HighlightDirection);
    addRow(1, 1, "Highlight Depth", HighLightDepth);
    addRow(2, 1, "Highlight Color", HighlightColor);
    addRow(3, 0, "Font Color", FontColor);

    auto* frame = new QFrame(this);
    frame->setObjectName("SampleFrame");
    frame->setFrameShape(QFrame::Box);
    Sample = new ElementSampleView(*FSample, frame);
    auto* frameLayout = new QVBoxLayout(frame);
    frameLayout->addWidget(Sample);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(controls);
    layout->addWidget(frame, 1);
    auto* row = new QHBoxLayout;
    AddDialogButtons(this, row, "3D Effects");
    layout->addLayout(row);

    for (QComboBox* list : {ShadowDirection, ShadowDepth, HighlightDirection, HighLightDepth})
        connect(list, &QComboBox::currentIndexChanged, this, &TGFont3DEffects::ControlChanged);
    for (ColorBox* box : {ShadowColor, HighlightColor, FontColor})
        connect(box, &ColorBox::ColorChanged, this, &TGFont3DEffects::ControlChanged);

    InstallWhatsThis(
        this, {{"ShadowDirection", "Where the shadow copy of the text lies from the text."},
               {"ShadowDepth", "How many pixels the shadow copy lies from the text; 0 hides it."},
               {"ShadowColor", "The colour of the shadow copy."},
               {"HighlightDirection", "Where the highlight copy of the text lies from the text."},
               {"HighLightDepth", "How many pixels the highlight copy lies from the text; 0 hides it."},
               {"HighlightColor", "The colour of the highlight copy."},
               {"FontColor", "The colour of the text itself."},
               {"Sample", "The text as it will look with these settings."},
               {"OkButton", "Gives the element these settings."},
               {"CancelButton", "Closes the window and leaves the element as it was."},
               {"HelpButton", "Shows the help on 3-D effects."}});
    CentreForm(this);
}

TGFont3DEffects::~TGFont3DEffects() = default;

void TGFont3DEffects::SetEffects(const TextEffects& effects)
{
    FFilling = true;
    ApplyTextEffects(*FSample, effects);
    ShadowDirection->setCurrentIndex(static_cast<int>(effects.DirectionShadow));
    ShadowDepth->setCurrentIndex(DepthIndex(effects.DepthShadow));
    ShadowColor->SetColor(effects.ColorShadow);
    HighlightDirection->setCurrentIndex(static_cast<int>(effects.DirectionHighlight));
    HighLightDepth->setCurrentIndex(DepthIndex(effects.DepthHighlight));
    HighlightColor->SetColor(effects.ColorHighlight);
    FontColor->SetColor(effects.Font.Color);
    FFilling = false;
    Sample->update();
}

TextEffects TGFont3DEffects::Effects() const
{
    return ReadTextEffects(*FSample);
}

void TGFont3DEffects::ControlChanged()
{
    if (FFilling)
        return;
    TextEffects effects = Effects();
    if (ShadowDirection->currentIndex() >= 0)
        effects.DirectionShadow = static_cast<TShadowDirection>(ShadowDirection->currentIndex());
    if (ShadowDepth->currentIndex() >= 0)
        effects.DepthShadow = ShadowDepth->currentIndex();
    effects.ColorShadow = ShadowColor->Color();
    if (HighlightDirection->currentIndex() >= 0)
        effects.DirectionHighlight = static_cast<THighlightDirection>(HighlightDirection->currentIndex());
    if (HighLightDepth->currentIndex() >= 0)
        effects.DepthHighlight = HighLightDepth->currentIndex();
    effects.ColorHighlight = HighlightColor->Color();
    effects.Font.Color = FontColor->Color();
    ApplyTextEffects(*FSample, effects);
    Sample->update();
}

bool TGFont3DEffects::EditEffects(TGBaseLabel& label, QWidget* parent)
{
    TGFont3DEffects dialog(parent);
    dialog.SetEffects(ReadTextEffects(label));
    if (RunModalDialog(dialog) != QDialog::Accepted)
        return false;
    ApplyTextEffects(label, dialog.Effects());
    label.NotifyChanged();
    return true;
}

} // namespace corvane
