#include "platform/windows/QtMessageService.h"

#include <QApplication>
#include <QMessageBox>

namespace corvane {

namespace {

// Message texts carry Windows line ends (CR LF); a label shows a lone CR as a stray glyph.
QString DisplayText(const std::string& text)
{
    return QString::fromStdString(text).replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
}

// Boxes belong to the window the user is working in, so they stay above it and centred on it.
QWidget* OwnerWindow()
{
    if (QWidget* modal = QApplication::activeModalWidget())
        return modal;
    return QApplication::activeWindow();
}

bool Ask(const std::string& text, const std::string& caption, QMessageBox::StandardButton defaultButton)
{
    QMessageBox box(QMessageBox::Question, QString::fromStdString(caption), DisplayText(text),
                    QMessageBox::Yes | QMessageBox::No, OwnerWindow());
    box.setDefaultButton(defaultButton);
    box.setEscapeButton(QMessageBox::No);
    return box.exec() == QMessageBox::Yes;
}

} // namespace

void QtMessageService::Beep()
{
    QApplication::beep();
}

void QtMessageService::ShowInfo(const std::string& text)
{
    QMessageBox box(QMessageBox::Information, QStringLiteral("Information"), DisplayText(text),
                    QMessageBox::Ok, OwnerWindow());
    box.exec();
}

bool QtMessageService::AskYesNo(const std::string& text, const std::string& caption)
{
    return Ask(text, caption, QMessageBox::Yes);
}

bool QtMessageService::AskYesNoDefaultNo(const std::string& text, const std::string& caption)
{
    return Ask(text, caption, QMessageBox::No);
}

} // namespace corvane
