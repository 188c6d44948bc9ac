#pragma once
// "New Record": asks for the ZIP code (to fill city and state) and/or the last and first name
// (to warn of a duplicate) before a record is added. Which boxes show follows the preferences;
// each box takes at most the width of the field it fills. Page Down, Enter in the ZIP box, and
// leaving "First Name" with Tab while the ZIP box is hidden all act as "Ok [PgDn]".

#include <QDialog>
#include <QString>

class QLabel;
class QLineEdit;
class QPushButton;

namespace corvane {

struct NewRecordQuestions {
    bool AskZip = false;   // PlugCityState
    bool AskNames = false; // AutoDupCheck
    int ZipWidth = 10;
    int LastNameWidth = 30;
    int FirstNameWidth = 30;
};

class TGetFirstLastZip : public QDialog {
    Q_OBJECT
  public:
    static constexpr int HelpContext = 1091;

    explicit TGetFirstLastZip(const NewRecordQuestions& questions, QWidget* parent = nullptr);

    // Empty for a hidden box.
    QString Zip() const;
    QString LastName() const;
    QString FirstName() const;

    QLabel* LastNameLabel;
    QLineEdit* LastNameEdit;
    QLabel* FirstNameLabel;
    QLineEdit* FirstNameEdit;
    QLabel* ZipLabel;
    QLineEdit* ZipEdit;
    QPushButton* OkButton;
    QPushButton* CancelButton;
    QPushButton* HelpButton;

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void OkButtonClick();
    void HelpButtonClick();

    NewRecordQuestions FQuestions;
};

} // namespace corvane
