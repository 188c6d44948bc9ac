#include "app/ProgramNames.h"

#include <QApplication>

namespace corvane {

void NameProgram()
{
    QApplication::setApplicationName("Corvane");
}

} // namespace corvane
