#include "importexport/windows/TMatchWindow.h"

#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "importexport/windows/FieldMatchPanel.h"
#include "platform/windows/DialogButtonRow.h"
#include "platform/windows/HelpViewer.h"
#include "platform/windows/WhatsThis.h"

namespace corvane {

TMatchWindow::TMatchWindow(const QString& caption, const MatchModel& match, const QString& sourcePath,
                           int helpContext, QWidget* parent)
    : QDialog(parent), FMatch(match)
{
    setWindowTitle(caption);
    setModal(true);
    MatchPanel = new FieldMatchPanel(FMatch, QFileInfo(sourcePath).fileName(), this);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    const DialogButtons row = AddDialogButtons(this, buttons, caption);
    OkButton = row.Ok;
    CancelButton = row.Cancel;
    HelpButton = row.Help;
    // The window's own help topic rather than a search.
    disconnect(HelpButton, &QPushButton::clicked, this, nullptr);
    connect(HelpButton, &QPushButton::clicked, this, [helpContext] { ShowHelpContext(helpContext); });
    FLayout = new QVBoxLayout(this);
    FLayout->addWidget(MatchPanel);
    FLayout->addLayout(buttons);
    resize(640, 580);
    InstallWhatsThis(this, {
                               {"MatchGrid", "Which field of the file goes into each address field."},
                               {"SelectFieldButton", "Choose the field of the file for the selected row."},
                               {"ClearCurrentButton", "Leave the selected row without a field of the file."},
                               {"ClearAllButton", "Leave every row without a field of the file."},
                           });
}

void TMatchWindow::PlaceSourceGrid(const QString& caption, QWidget* grid, const QString& whatsThis)
{
    FLayout->insertWidget(0, new QLabel(caption, this));
    FLayout->insertWidget(1, grid);
    InstallWhatsThis(this, {{grid->objectName(), whatsThis}});
}

} // namespace corvane
