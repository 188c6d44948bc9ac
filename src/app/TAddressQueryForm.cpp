#include "app/TAddressQueryForm.h"

#include <algorithm>
#include <utility>

#include <QApplication>
#include <QCheckBox>
#include <QEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "app/DialogControls.h"
#include "platform/windows/HelpViewer.h"
#include "platform/windows/WhatsThis.h"
#include "platform/windows/WindowPlacement.h"

namespace corvane {

const char* const TAddressQueryForm::HintText =
    "Hint: to look for only part of a value, first type in a $ and then the value to look for. As an "
    "example, to find all records containing the code letter C in the Codes field, type in $C. Right click "
    "on any field or press HELP for more helpful tips";
const char* const TAddressQueryForm::DateHintText =
    "Note: enter dates in the form: YYYYMMDD\n(i.e. 19970428 for April 28, 1997)";

namespace {

// "Address 1" -> "Address1Edit", "E-mail" -> "EmailEdit": the main window's names.
QString BoxName(const char* caption)
{
    QString name = QString::fromLatin1(caption);
    name.remove(' ');
    name.remove('-');
    return name + "Edit";
}

constexpr int AreaMargin = 8;

} // namespace

TAddressQueryForm::TAddressQueryForm(const FilterCriteria& criteria, const QueryFormLayout& layout,
                                     FilterTester tester, QWidget* parent)
    : QDialog(parent), FTester(std::move(tester))
{
    setObjectName("TAddressQueryForm");
    setWindowTitle("Address Filter");

    // The boxes sit exactly where the main window has its fields.
    BoxArea = new QWidget(this);
    BoxArea->setObjectName("BoxArea");
    QRect bounds;
    for (std::size_t i = 0; i < FilterFieldCount; ++i) {
        const CriterionPlace& place = layout.Places[i];
        auto* box = new QLineEdit(BoxArea);
        box->setObjectName(BoxName(FilterFields()[i].Caption));
        box->setGeometry(place.BoxRect);
        box->setText(QString::fromStdString(criteria.Texts[i]));
        box->setCursorPosition(0);
        auto* caption = new QLabel(place.Caption, BoxArea);
        caption->setObjectName(box->objectName().replace("Edit", "Label"));
        caption->setGeometry(place.CaptionRect);
        caption->setBuddy(box);
        FBoxes[i] = box;
        bounds |= place.BoxRect;
        bounds |= place.CaptionRect;
    }
    QLineEdit* dateBox = Box(FilterField::Date);
    dateBox->setToolTip(DateHintText);
    dateBox->installEventFilter(this);
    DateFormatLabel = new QLabel("(YYYYMMDD)", BoxArea);
    DateFormatLabel->setObjectName("DateFormatLabel");
    DateFormatLabel->adjustSize();
    DateFormatLabel->move(dateBox->x(), dateBox->geometry().bottom() + 2);
    DateFormatLabel->hide();
    bounds |= DateFormatLabel->geometry();

    TaggedCheck = NamedCheckBox("TaggedCheck", "Tagged", BoxArea);
    TaggedCheck->setChecked(criteria.Tagged);
    TaggedCheck->adjustSize();
    TaggedCheck->move(layout.TaggedRect.topLeft());
    ReverseCheck = NamedCheckBox("ReverseCheck", "Reverse", BoxArea);
    ReverseCheck->setChecked(criteria.Reverse);
    ReverseCheck->adjustSize();
    ReverseCheck->move(TaggedCheck->geometry().right() + 24, TaggedCheck->y());
    bounds |= TaggedCheck->geometry();
    bounds |= ReverseCheck->geometry();
    BoxArea->setFixedSize(bounds.right() + AreaMargin, bounds.bottom() + AreaMargin);

    MatchCount = new QLineEdit(this);
    MatchCount->setObjectName("MatchCount");
    MatchCount->setReadOnly(true);
    MatchCount->setFocusPolicy(Qt::NoFocus);
    HintLabel = new QLabel(HintText, this);
    HintLabel->setObjectName("HintLabel");
    HintLabel->setWordWrap(true);

    OkButton = NamedButton("OkButton", "Ok", this);
    OkButton->setDefault(true);
    HelpButton = NamedButton("HelpButton", "Help", this);
    CancelButton = NamedButton("CancelButton", "Cancel", this);
    TestButton = NamedButton("TestButton", "Test", this);
    ClearButton = NamedButton("ClearButton", "Clear", this);
    for (QPushButton* button : {HelpButton, CancelButton, TestButton, ClearButton})
        button->setAutoDefault(false);

    auto* matchRow = new QHBoxLayout;
    matchRow->addWidget(MatchCount, 1);
    matchRow->addStretch(2);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(CreateMouseHelpButton(this));
    buttons->addStretch();
    for (QPushButton* button : {OkButton, HelpButton, CancelButton, TestButton, ClearButton})
        buttons->addWidget(button);
    auto* main = new QVBoxLayout(this);
    main->addWidget(BoxArea);
    main->addLayout(matchRow);
    main->addWidget(HintLabel);
    main->addLayout(buttons);
    main->setSizeConstraint(QLayout::SetFixedSize);

    for (std::size_t i = 0; i + 1 < FilterFieldCount; ++i)
        setTabOrder(FBoxes[i], FBoxes[i + 1]);
    setTabOrder(FBoxes.back(), TaggedCheck);
    setTabOrder(TaggedCheck, ReverseCheck);
    FBoxes.front()->setFocus();

    connect(OkButton, &QPushButton::clicked, this, &TAddressQueryForm::OkButtonClick);
    connect(CancelButton, &QPushButton::clicked, this, &QDialog::reject);
    connect(TestButton, &QPushButton::clicked, this, &TAddressQueryForm::TestButtonClick);
    connect(ClearButton, &QPushButton::clicked, this, &TAddressQueryForm::ClearButtonClick);
    connect(HelpButton, &QPushButton::clicked, this, &TAddressQueryForm::HelpButtonClick);

    const QString criterionHelp =
        "Records match when this field begins with what you type here. Start with $ to look for the "
        "value anywhere in the field, with >, >=, < or <= to compare. Separate alternatives with ; "
        "(either one), parts that must all hold with +, and parts that must not hold with ^.";
    WhatsThisTexts texts;
    for (std::size_t i = 0; i < FilterFieldCount; ++i)
        texts[FBoxes[i]->objectName()] = criterionHelp;
    texts["CityEdit"] = criterionHelp + " The city is looked at together with its state.";
    texts["DateEdit"] = criterionHelp + " Dates are typed as YYYYMMDD, e.g. >=19970101.";
    texts["TaggedCheck"] = "Only the records you tagged (with their Tagged box, in the browse window, or "
                           "with Tag All Filter Matches).";
    texts["ReverseCheck"] = "The opposite: only the records that do not match the rest of the filter.";
    texts["MatchCount"] = "How many records the filter lets through, after Test.";
    texts["HintLabel"] = "A tip on looking for part of a value.";
    texts["OkButton"] = "Sets the filter and closes the window.";
    texts["HelpButton"] = "Shows the help on filters.";
    texts["CancelButton"] = "Closes the window and keeps the filter you had before.";
    texts["TestButton"] = "Tries the filter now and shows how many records it lets through.";
    texts["ClearButton"] = "Empties every box and removes the filter.";
    InstallWhatsThis(this, texts);
    CentreForm(this);
}

FilterCriteria TAddressQueryForm::Criteria() const
{
    FilterCriteria criteria;
    for (std::size_t i = 0; i < FilterFieldCount; ++i)
        criteria.Texts[i] = FBoxes[i]->text().toStdString();
    criteria.Tagged = TaggedCheck->isChecked();
    criteria.Reverse = ReverseCheck->isChecked();
    return criteria;
}

void TAddressQueryForm::TestButtonClick()
{
    MatchCount->setText("Searching...");
    MatchCount->repaint();
    QApplication::setOverrideCursor(Qt::WaitCursor);
    const QString result = FTester ? FTester(Criteria()) : QString();
    QApplication::restoreOverrideCursor();
    MatchCount->setText(result);
}

void TAddressQueryForm::ClearButtonClick()
{
    for (QLineEdit* box : FBoxes)
        box->clear();
    TaggedCheck->setChecked(false);
    ReverseCheck->setChecked(false);
    TestButtonClick();
}

void TAddressQueryForm::OkButtonClick()
{
    TestButtonClick();
    accept();
}

void TAddressQueryForm::HelpButtonClick()
{
    ShowHelpContext(HelpContext);
}

bool TAddressQueryForm::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == Box(FilterField::Date)) {
        if (event->type() == QEvent::FocusIn)
            DateFormatLabel->show();
        else if (event->type() == QEvent::FocusOut)
            DateFormatLabel->hide();
    }
    return QDialog::eventFilter(watched, event);
}

} // namespace corvane
