#pragma once
// "Paper Feed Method": how the user feeds envelopes into the printer (position across the slot,
// orientation, facing, and for landscape whether the printer turns pages clockwise), with a
// picture that follows each choice at once. Ok gives the settings; Cancel drops them.

#include <optional>

#include <QDialog>

#include "envelopes/EnvelopeSettings.h"

class QCheckBox;
class QRadioButton;

namespace corvane {

class EnvelopeFeedPicture;

class TEnvelopeFeed : public QDialog {
    Q_OBJECT
  public:
    explicit TEnvelopeFeed(const EnvelopeFeed& feed, QWidget* parent = nullptr);
    // The settings as the controls stand.
    EnvelopeFeed Feed() const;

    QRadioButton* LeftButton;
    QRadioButton* RightButton;
    QRadioButton* CenterButton;
    QRadioButton* PortraitButton;
    QRadioButton* LandscapeButton;
    QRadioButton* UpButton;
    QRadioButton* DownButton;
    QCheckBox* ClockwiseCheck;
    EnvelopeFeedPicture* Picture;

  private:
    void ChoiceChanged();
};

std::optional<EnvelopeFeed> ChooseEnvelopeFeed(const EnvelopeFeed& feed, QWidget* parent);

} // namespace corvane
