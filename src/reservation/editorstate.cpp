#include "src/reservation/editorstate.h"

namespace reservation {

namespace {

using E = Enable;

// The editor's whole lifecycle in one place. Hidden keeps OK as it is: only
// cancelling clears it, before it hides.
const StateEntry kTable[] = {
    {.state = EditorState::Empty,
     .clearGroups = {QStringLiteral("2"), QStringLiteral("1")},
     .toolbar = ToolbarOffer{.nuevo = true, .modificar = false, .eliminar = false, .cuarto = false, .quinto = false},
     .nuevo = false,
     .ok = false},
    {.state = EditorState::New,
     .folio = E::Off,
     .times = E::On,
     .endDate = E::IfMayMoveEndDate,
     .clearGroups = {QStringLiteral("1")},
     .enableGroup = QStringLiteral("1"),
     .nuevo = true},
    {.state = EditorState::Loaded,
     .folio = E::Off,
     .endDate = E::Off,
     .endDateJoinsGroup = true,
     .toolbar = ToolbarOffer{.nuevo = false, .modificar = true, .eliminar = true, .cuarto = true, .quinto = false}},
    {.state = EditorState::Editing,
     .times = E::On,
     .enableGroup = QStringLiteral("1"),
     .toolbarFlag = false,
     .nuevo = false},
    {.state = EditorState::Hidden, .hides = true},
};

}  // namespace

const StateEntry& stateEntry(EditorState state) {
    for (const StateEntry& e : kTable)
        if (e.state == state) return e;
    return kTable[0];
}

bool resolveEnable(Enable rule, bool current, bool mayMoveEndDate) {
    switch (rule) {
        case Enable::On:
            return true;
        case Enable::Off:
            return false;
        case Enable::IfMayMoveEndDate:
            return mayMoveEndDate;
        case Enable::Keep:
            break;
    }
    return current;
}

}  // namespace reservation
