#include "app/TSplashform.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "app/DialogControls.h"
#include "platform/windows/WhatsThis.h"
#include "platform/windows/WindowPlacement.h"

#ifndef CORVANE_VERSION
#define CORVANE_VERSION "0.0"
#endif

namespace corvane {

TSplashform::TSplashform(QWidget* parent) : QDialog(parent)
{
    setObjectName("TSplashform");
    setWindowTitle("About");

    ProgramNameLabel = new QLabel("Corvane", this);
    ProgramNameLabel->setObjectName("ProgramNameLabel");
    QFont nameFont = ProgramNameLabel->font();
    nameFont.setBold(true);
    nameFont.setPointSizeF(nameFont.pointSizeF() * 2);
    ProgramNameLabel->setFont(nameFont);
    ProgramNameLabel->setAlignment(Qt::AlignCenter);

    PlatformLabel = new QLabel("32-bit version", this);
    PlatformLabel->setObjectName("PlatformLabel");
    PlatformLabel->setAlignment(Qt::AlignCenter);

    VersionLabel = new QLabel(VersionText(), this);
    VersionLabel->setObjectName("VersionLabel");
    VersionLabel->setAlignment(Qt::AlignCenter);

    OkButton = NamedButton("OkButton", "Ok", this);
    OkButton->setDefault(true);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(OkButton);
    buttons->addStretch();
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(ProgramNameLabel);
    layout->addWidget(PlatformLabel);
    layout->addWidget(VersionLabel);
    layout->addSpacing(12);
    layout->addLayout(buttons);
    layout->setContentsMargins(36, 24, 36, 18);

    connect(OkButton, &QPushButton::clicked, this, &QDialog::accept);

    InstallWhatsThis(this,
                     {
                         {"ProgramNameLabel", "The name of this program."},
                         {"PlatformLabel", "The edition of the program."},
                         {"VersionLabel", "The version number; please give it when you ask for support."},
                         {"OkButton", "Closes this window."},
                     });
    CentreForm(this);
}

QString TSplashform::VersionText()
{
    return QString("Version ") + CORVANE_VERSION;
}

} // namespace corvane
