#pragma once
// "Copy Record To Clipboard": which parts of the record to copy. All five start ticked; the
// caller builds the text and fills the clipboard after "Ok".

#include <QDialog>

class QCheckBox;
class QPushButton;

namespace corvane {

struct RecordParts {
    bool Name = true; // name, organization, title
    bool Address = true;
    bool Phones = true;
    bool Codes = true;
    bool Comments = true; // comments 1 and 2

    friend bool operator==(const RecordParts&, const RecordParts&) = default;
};

class TCopyToClipBoard : public QDialog {
    Q_OBJECT
  public:
    static constexpr int HelpContext = 1030;

    explicit TCopyToClipBoard(QWidget* parent = nullptr);

    RecordParts Parts() const;

    QCheckBox* NameCheck;
    QCheckBox* AddressCheck;
    QCheckBox* PhonesCheck;
    QCheckBox* CodesCheck;
    QCheckBox* CommentsCheck;
    QPushButton* OkButton;
    QPushButton* CancelButton;
    QPushButton* HelpButton;

  private:
    void HelpButtonClick();
};

} // namespace corvane
