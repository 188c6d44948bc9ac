#pragma once
// "Address Filter": one box per filter criterion, each where the main window shows the field of
// the same meaning, so the user finds Last, City or Codes in the place they know. "Test" hands
// the boxes to the main window (which applies them as its filter at once) and shows the number
// of matches; what happens after the window closes (take the boxes, or put the old criteria
// back) is the main window's.

#include <array>
#include <functional>

#include <QDialog>
#include <QRect>
#include <QSize>
#include <QString>

#include "session/FilterCriteria.h"

class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace corvane {

// Where a criterion's caption and box go, in the coordinates of the main window's record area.
struct CriterionPlace {
    QString Caption;
    QRect CaptionRect;
    QRect BoxRect;
};

struct QueryFormLayout {
    std::array<CriterionPlace, FilterFieldCount> Places; // in FilterField order
    QRect TaggedRect;                                    // the main window's "Tagged" box
};

// Makes the criteria the main window's filter and returns the match line ("12 matches" or
// "No filter set").
using FilterTester = std::function<QString(const FilterCriteria&)>;

class TAddressQueryForm : public QDialog {
    Q_OBJECT
  public:
    static constexpr int HelpContext = 1033;
    static const char* const HintText;
    static const char* const DateHintText;

    TAddressQueryForm(const FilterCriteria& criteria, const QueryFormLayout& layout, FilterTester tester,
                      QWidget* parent = nullptr);

    // The boxes and both flags.
    FilterCriteria Criteria() const;
    QLineEdit* Box(FilterField field) const { return FBoxes[static_cast<std::size_t>(field)]; }

    void TestButtonClick();
    void ClearButtonClick();
    void OkButtonClick();

    QWidget* BoxArea;
    QCheckBox* TaggedCheck;
    QCheckBox* ReverseCheck;
    QLineEdit* MatchCount;
    QLabel* HintLabel;
    QLabel* DateFormatLabel;
    QPushButton* OkButton;
    QPushButton* HelpButton;
    QPushButton* CancelButton;
    QPushButton* TestButton;
    QPushButton* ClearButton;

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void HelpButtonClick();

    std::array<QLineEdit*, FilterFieldCount> FBoxes{};
    FilterTester FTester;
};

} // namespace corvane
