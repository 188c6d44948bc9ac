#pragma once
// The tests' look at the file behind a session: its table (to check what was written, or to set
// up a query, order or record the program would reach through several steps) and the view the
// hand-over lends a tool window (to drive a tool window without the main window).

#include "session/AddressSession.h"
#include "session/ToolWindowView.h"

namespace corvane {

struct AddressSessionProbe {
    static xbase::Table& Table(AddressSession& session) { return session.Table(); }
    static ToolWindowView View(AddressSession& session, const ScopeChoices& scope = {})
    {
        return session.LendView(scope);
    }
};

} // namespace corvane
