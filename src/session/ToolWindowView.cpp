#include "session/ToolWindowView.h"

#include <utility>

namespace corvane {

ToolWindowView::ToolWindowView(xbase::Table& table, const FieldCatalogue& catalogue, std::string tagId,
                               CurrentRecordReader current, Stepper stepper, ScopeChoices scope)
    : FTable(table), FCatalogue(catalogue), FTagId(std::move(tagId)), FCurrent(std::move(current)),
      FStepper(std::move(stepper)), FScope(scope)
{
}

} // namespace corvane
