// Tooltips naming the key of each button and how the bet is set.
#pragma once

#include "view/table_surface.h"

// One tool on each control; it follows the control wherever it is moved.
// Made when the pointer first comes over the window, since a tip only ever
// shows under it: start-up then makes no tooltip window.
void AddControlTipsOnce(TableView& view);
