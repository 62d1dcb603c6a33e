// The browser's table: the operations the game asks of it go to the page.
#pragma once

#include "game/table.h"

const TableOps& PageTableOps();
