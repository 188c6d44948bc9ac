#include "session/ButtonStates.h"

namespace corvane {

ControlStates ComputeButtonStates(bool open, bool editing, bool hasRecord, bool filterSet)
{
    const bool ready = open && !editing && hasRecord;
    ControlStates states;
    auto enable = [&](const char* name, bool enabled) { states[name].Enabled = enabled; };
    auto show = [&](const char* name, bool visible) { states[name].Visible = visible; };

    for (const char* name : {"mnuRebuildIndexes", "mnuImport", "mnuImportDBF", "mnuImportASCII",
                             "mnuClearTags", "mnuRestoreFilter"})
        enable(name, open);

    enable("AddButton", open && !editing);
    for (const char* name : {"EditButton", "DeleteButton", "BrowseButton", "mnuBrowse", "SearchButton",
                             "mnuSearch", "mnuExport", "mnuClone", "SortMenu", "PrintMenu", "UtilitiesMenu",
                             "LabelsButton", "LettersButton", "EnvelopesButton", "ReportsButton"})
        enable(name, ready);
    for (const char* name : {"RecordFirst", "RecordPrev", "RecordNext", "RecordLast", "DialPhone1Button",
                             "DialPhone2Button", "SearchMemoButton"})
        show(name, ready);

    show("ClearfilterButton", filterSet);
    enable("ClearfilterButton", filterSet && !editing);
    for (const char* name : {"mnuSaveFilter", "mnuClearFilter", "mnuTagAll"})
        enable(name, filterSet);
    enable("FilterButton", filterSet || ready);
    enable("mnuSetFilter", filterSet || ready);

    for (const char* name : {"SaveButton", "CancelButton"}) {
        show(name, editing);
        enable(name, editing);
    }
    for (const char* name : {"AddButton", "EditButton", "DeleteButton", "ExitButton", "SearchMemoNextButton"})
        show(name, !editing);
    enable("FileMenu", !editing);
    enable("mnuExit", !editing);

    enable("RecordMenu", open && !editing);
    enable("mnuAdd", states["AddButton"].Enabled);
    enable("mnuEdit", states["EditButton"].Enabled);
    enable("mnuDelete", states["DeleteButton"].Enabled);

    show("FilterStatus", open);
    return states;
}

} // namespace corvane
