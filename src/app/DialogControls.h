#pragma once
// Small helpers the dialogs share for making named controls.

#include <QCheckBox>
#include <QPushButton>
#include <QString>
#include <QToolButton>

namespace corvane {

inline QPushButton* NamedButton(const QString& objectName, const QString& caption, QWidget* parent)
{
    auto* button = new QPushButton(caption, parent);
    button->setObjectName(objectName);
    return button;
}

inline QCheckBox* NamedCheckBox(const QString& objectName, const QString& caption, QWidget* parent)
{
    auto* check = new QCheckBox(caption, parent);
    check->setObjectName(objectName);
    return check;
}

} // namespace corvane
