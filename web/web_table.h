// The browser's table: the operations the game asks of it go to the page.
#pragma once

#include "game/shown_table.h"
#include "game/table.h"

// What the page shows now, for the accessible names and the copied text.
extern ShownTable gShown;

const TableOps& PageTableOps();
