#include "envelopes/windows/TEnvelopeFeed.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QRadioButton>
#include <QVBoxLayout>

#include "envelopes/windows/EnvelopeFeedPicture.h"
#include "layout/designer/dialogs/DialogRunner.h"
#include "platform/windows/DialogButtonRow.h"
#include "platform/windows/WhatsThis.h"
#include "platform/windows/WindowPlacement.h"

namespace corvane {

namespace {

QRadioButton* Radio(const char* name, const QString& caption, QWidget* parent, QBoxLayout* layout)
{
    auto* radio = new QRadioButton(caption, parent);
    radio->setObjectName(name);
    layout->addWidget(radio);
    return radio;
}

} // namespace

TEnvelopeFeed::TEnvelopeFeed(const EnvelopeFeed& feed, QWidget* parent) : QDialog(parent)
{
    setObjectName("TEnvelopeFeed");
    setWindowTitle("Paper Feed Method");
    auto* layout = new QVBoxLayout(this);
    auto* intro = new QLabel("Please indicate how you normally feed envelopes into your printer:", this);
    intro->setObjectName("IntroLabel");
    layout->addWidget(intro);

    auto* choices = new QHBoxLayout;
    auto* positionBox = new QGroupBox("Position", this);
    auto* positionLayout = new QVBoxLayout(positionBox);
    LeftButton = Radio("LeftButton", "&Left", positionBox, positionLayout);
    RightButton = Radio("RightButton", "&Right", positionBox, positionLayout);
    CenterButton = Radio("CenterButton", "&Center", positionBox, positionLayout);
    auto* orientationBox = new QGroupBox("Orientation", this);
    auto* orientationLayout = new QVBoxLayout(orientationBox);
    PortraitButton = Radio("PortraitButton", "&Portrait", orientationBox, orientationLayout);
    LandscapeButton = Radio("LandscapeButton", "&Landscape", orientationBox, orientationLayout);
    ClockwiseCheck = new QCheckBox("Clock&wise Rotation", orientationBox);
    ClockwiseCheck->setObjectName("ClockwiseCheck");
    orientationLayout->addWidget(ClockwiseCheck);
    auto* facingBox = new QGroupBox("Facing", this);
    auto* facingLayout = new QVBoxLayout(facingBox);
    UpButton = Radio("UpButton", "&Up", facingBox, facingLayout);
    DownButton = Radio("DownButton", "&Down", facingBox, facingLayout);
    choices->addWidget(positionBox);
    choices->addWidget(orientationBox);
    choices->addWidget(facingBox);
    Picture = new EnvelopeFeedPicture(this);
    choices->addWidget(Picture, 1);
    layout->addLayout(choices);
    auto* note = new QLabel(
        "(note: there are many printers and many ways to feed envelopes - this may take some experimenting)",
        this);
    note->setObjectName("NoteLabel");
    note->setWordWrap(true);
    layout->addWidget(note);
    auto* row = new QHBoxLayout;
    AddDialogButtons(this, row, "Paper Feed Method");
    layout->addLayout(row);

    // Each group its own exclusive set, whatever box it sits in.
    for (const auto& group : {std::initializer_list<QRadioButton*>{LeftButton, RightButton, CenterButton},
                              std::initializer_list<QRadioButton*>{PortraitButton, LandscapeButton},
                              std::initializer_list<QRadioButton*>{UpButton, DownButton}}) {
        auto* buttons = new QButtonGroup(this);
        for (QRadioButton* radio : group)
            buttons->addButton(radio);
    }
    (feed.Position == FeedPosition::Left    ? LeftButton
     : feed.Position == FeedPosition::Right ? RightButton
                                            : CenterButton)
        ->setChecked(true);
    (feed.Landscape() ? LandscapeButton : PortraitButton)->setChecked(true);
    (feed.Facing == FeedFacing::Up ? UpButton : DownButton)->setChecked(true);
    ClockwiseCheck->setChecked(feed.ClockWiseRotation);
    ClockwiseCheck->setVisible(feed.Landscape());
    Picture->SetFeed(feed);

    for (QRadioButton* radio :
         {LeftButton, RightButton, CenterButton, PortraitButton, LandscapeButton, UpButton, DownButton})
        connect(radio, &QRadioButton::toggled, this, &TEnvelopeFeed::ChoiceChanged);
    connect(ClockwiseCheck, &QCheckBox::toggled, this, &TEnvelopeFeed::ChoiceChanged);
    InstallWhatsThis(
        this, {{"LeftButton", "The envelope goes in at the left edge of the feed slot."},
               {"RightButton", "The envelope goes in at the right edge of the feed slot."},
               {"CenterButton", "The envelope goes in at the middle of the feed slot."},
               {"PortraitButton", "The envelope goes in short edge first."},
               {"LandscapeButton", "The envelope goes in long edge first."},
               {"ClockwiseCheck", "Your printer turns landscape pages clockwise rather than anticlockwise."},
               {"UpButton", "The side you address faces up in the feed."},
               {"DownButton", "The side you address faces down in the feed."},
               {"FeedPicture", "How the envelope goes into the printer with these settings."},
               {"OkButton", "Keep these settings."},
               {"CancelButton", "Keep the settings as they were."},
               {"HelpButton", "Open the help on feeding envelopes."}});
    CentreForm(this);
}

EnvelopeFeed TEnvelopeFeed::Feed() const
{
    EnvelopeFeed feed;
    feed.Position = LeftButton->isChecked()    ? FeedPosition::Left
                    : RightButton->isChecked() ? FeedPosition::Right
                                               : FeedPosition::Center;
    feed.Orientation = LandscapeButton->isChecked() ? FeedOrientation::Landscape : FeedOrientation::Portrait;
    feed.Facing = UpButton->isChecked() ? FeedFacing::Up : FeedFacing::Down;
    feed.ClockWiseRotation = ClockwiseCheck->isChecked();
    return feed;
}

void TEnvelopeFeed::ChoiceChanged()
{
    ClockwiseCheck->setVisible(LandscapeButton->isChecked());
    Picture->SetFeed(Feed());
}

std::optional<EnvelopeFeed> ChooseEnvelopeFeed(const EnvelopeFeed& feed, QWidget* parent)
{
    TEnvelopeFeed dialog(feed, parent);
    if (RunModalDialog(dialog) != QDialog::Accepted)
        return std::nullopt;
    return dialog.Feed();
}

} // namespace corvane
