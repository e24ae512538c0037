#pragma once

#include <QString>
#include <QStringList>
#include <optional>

namespace reservation {

// Where the editor stands in its life: loaded and empty, holding a new
// reservation, showing a stored one, changing it, or out of sight.
enum class EditorState { Empty, New, Loaded, Editing, Hidden };

// What a state does to a control's enabled flag.
enum class Enable {
    Keep,
    On,
    Off,
    IfMayMoveEndDate,  // on only for users allowed to move the end date
};

// The toolbar actions a state offers.
struct ToolbarOffer {
    bool nuevo, modificar, eliminar, cuarto, quinto;
};

// Everything entering a state changes; data (dates, folio, stored values)
// is written by the procedure that enters it.
struct StateEntry {
    EditorState state;
    Enable folio = Enable::Keep;
    Enable times = Enable::Keep;
    Enable endDate = Enable::Keep;
    QStringList clearGroups{};       // emptied, in this order
    QString enableGroup{};           // then enabled; empty for none
    bool endDateJoinsGroup = false;  // the end date takes group "1" if it may move
    std::optional<ToolbarOffer> toolbar{};
    std::optional<bool> toolbarFlag{};
    std::optional<bool> nuevo{};
    std::optional<bool> ok{};
    bool hides = false;
};

// The row of the lifecycle table for a state.
const StateEntry& stateEntry(EditorState state);

// Whether a control governed by rule ends enabled; current when it keeps.
bool resolveEnable(Enable rule, bool current, bool mayMoveEndDate);

}  // namespace reservation
