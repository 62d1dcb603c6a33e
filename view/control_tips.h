// Tooltips naming the key of each button and how the bet is set.
#pragma once

#include "view/table_surface.h"

// One tool on each control; it follows the control wherever it is moved.
void AddControlTips(TableView& view);
