// The browser's provider of the game's table: the page draws from the core's
// state (WebShownTable, the controls), so it is only told what changed.
#include "web/web_table.h"

#include <emscripten.h>

EM_JS(void, PageChanged, (unsigned what), { Module.table.changed(what); });

namespace {

void OpChanged(void*, unsigned what) { PageChanged(what); }

const TableOps PageOps = [] {
    TableOps ops{};
    ops.changed = OpChanged;
    return ops;
}();

}  // namespace

const TableOps& PageTableOps() { return PageOps; }
