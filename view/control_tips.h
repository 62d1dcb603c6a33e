// Tooltips naming the key of each button and how the bet is set.
#pragma once

#include "view/table_surface.h"

// One tool per control, on the control (while it is enabled) and on its place
// in the window (while it is disabled and the window gets the mouse).
void AddControlTips(TableView& view);
// After the controls moved (a change of DPI): the window's tools follow them.
void PlaceControlTips(const TableView& view);
