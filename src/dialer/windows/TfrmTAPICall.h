#pragma once
// "TAPI Call - PICK UP THE PHONE": calls a number through the telephony service and shows the
// call's progress line by line. However it closes, the line is closed and the service shut down.

#include <functional>
#include <memory>
#include <vector>

#include <QDialog>

#include "platform/telephony/TelephonyService.h"

class QLineEdit;
class QListWidget;
class QPushButton;

namespace corvane {

class TelephonyCall;

class TfrmTAPICall : public QDialog {
    Q_OBJECT

  public:
    using ServiceFactory = std::function<std::vector<std::unique_ptr<TelephonyService>>()>;

    explicit TfrmTAPICall(const QString& number, QWidget* parent = nullptr);
    TfrmTAPICall(const QString& number, const ServiceFactory& services, QWidget* parent = nullptr);
    ~TfrmTAPICall() override;

    QLineEdit* NumberToCallEdit;
    QListWidget* StatusList;
    QPushButton* CallButton;
    QPushButton* HangupButton;
    QPushButton* CloseButton;

  public slots:
    void CallButtonClick();
    void HangupButtonClick();
    void done(int result) override;

  protected:
    void showEvent(QShowEvent* event) override;

  private:
    QString FNumber;
    bool FActivated = false;
    std::unique_ptr<TelephonyCall> FCall;
};

} // namespace corvane
