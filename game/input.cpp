// The one place the player's actions are checked against the controls the
// step has enabled: the enabling is what keeps every action to its step.
#include "game/input.h"

#include "game/round.h"

namespace {

bool PressIfEnabled(MatchState& match, TableControl control) {
    // The bet box has no action of its own: it only shows the amount.
    if (control == BetBox || !ControlEnabled(TableControlsShown(), control)) return false;
    return PressControl(match, control);
}

bool MarkIfChoosing(MatchState& match, int position) {
    if (match.roundState != RoundSelecting || position < 0 || position >= 5) return false;
    ToggleDiscardAt(match, position);
    return true;
}

bool TakeKey(MatchState& match, const GameInput& input) {
    // Only the arrows repeat; every other key acts once per press.
    if (input.repeat && input.key != UpKey && input.key != DownKey) return false;
    switch (input.key) {
    case EnterKey:
        for (TableControl control : {StartButton, ChangeButton, OkButton}) {
            if (ControlEnabled(TableControlsShown(), control))
                return PressIfEnabled(match, control);
        }
        return false;
    case CardKey: return MarkIfChoosing(match, input.value);
    case FoldKey: return PressIfEnabled(match, FoldButton);
    case UpKey: return PressIfEnabled(match, UpButton);
    case DownKey: return PressIfEnabled(match, DownButton);
    }
    return false;
}

}  // namespace

bool TakeInput(MatchState& match, const GameInput& input) {
    switch (input.kind) {
    case PressInput:
        if (input.value < StartButton || input.value >= StartButton + ControlCount) return false;
        return PressIfEnabled(match, static_cast<TableControl>(input.value));
    case MarkInput: return MarkIfChoosing(match, input.value);
    case KeyInput: return TakeKey(match, input);
    }
    return false;
}
