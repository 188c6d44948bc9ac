#pragma once
// "About": the program's name, "32-bit version" and the version number.

#include <QDialog>

class QLabel;
class QPushButton;

namespace corvane {

class TSplashform : public QDialog {
    Q_OBJECT
  public:
    explicit TSplashform(QWidget* parent = nullptr);

    // "Version " + the program's version number.
    static QString VersionText();

    QLabel* ProgramNameLabel;
    QLabel* PlatformLabel;
    QLabel* VersionLabel;
    QPushButton* OkButton;
};

} // namespace corvane
