#pragma once
// "Text 3D Effects": the shadow and highlight copies of a text element's caption (direction, depth
// and colour of each) and the font colour, tried out on a sample text before they are taken.

#include <memory>

#include <QDialog>
#include <QWidget>

#include "layout/ElementDialogModels.h"

class QComboBox;

namespace corvane {

class ColorBox;
class TGBaseLabel;
class TGPLabel;

// Shows one text element drawn as it will look (the dialog's sample).
class ElementSampleView : public QWidget {
    Q_OBJECT
  public:
    ElementSampleView(TGPLabel& label, QWidget* parent);

  protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

  private:
    TGPLabel& FLabel;
};

class TGFont3DEffects : public QDialog {
    Q_OBJECT
  public:
    explicit TGFont3DEffects(QWidget* parent = nullptr);
    ~TGFont3DEffects() override;

    // Gives the sample these values and shows them in the lists and colour boxes.
    void SetEffects(const TextEffects& effects);
    // The sample's values: what Ok gives the element.
    TextEffects Effects() const;
    const TGPLabel& SampleLabel() const { return *FSample; }

    // Opens the dialog on the element; Ok copies the sample's font, depths, directions and colours
    // back and tells the panel. False when cancelled (nothing changes).
    static bool EditEffects(TGBaseLabel& label, QWidget* parent);

    QComboBox* ShadowDirection;
    QComboBox* ShadowDepth;
    ColorBox* ShadowColor;
    QComboBox* HighlightDirection;
    QComboBox* HighLightDepth;
    ColorBox* HighlightColor;
    ColorBox* FontColor;
    ElementSampleView* Sample;

  private:
    void ControlChanged();

    std::unique_ptr<TGPLabel> FSample;
    bool FFilling = false;
};

} // namespace corvane
