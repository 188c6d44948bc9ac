#include "layout/ElementMenu.h"

namespace corvane {

ElementMenuItem MenuItem(std::string caption, ElementCommand command, int argument)
{
    ElementMenuItem item;
    item.Caption = std::move(caption);
    item.Command = command;
    item.Argument = argument;
    return item;
}

ElementMenuItem* FindMenuItem(ElementMenu& menu, ElementCommand command, int argument)
{
    for (ElementMenuItem& item : menu) {
        if (item.Command == command && item.Argument == argument && item.Items.empty())
            return &item;
        if (ElementMenuItem* inner = FindMenuItem(item.Items, command, argument))
            return inner;
    }
    return nullptr;
}

const ElementMenuItem* FindMenuItem(const ElementMenu& menu, ElementCommand command, int argument)
{
    return FindMenuItem(const_cast<ElementMenu&>(menu), command, argument);
}

} // namespace corvane
