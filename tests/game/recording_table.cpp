// The recording table used by the controller tests and the web front end's
// check: the core writes the record; this turns it into UTF-8.
#include "recording_table.h"

#include <gtest/gtest.h>

#include <cstdio>

#include "game/shown_table.h"
#include "game/table.h"
#include "readable_text.h"

namespace {

RecordingTable* gTable = nullptr;

void ChangedOp(void*, unsigned) {}

// Told of changes only: the core keeps the record, the picture and the controls.
const TableOps RecordingOps = [] {
    TableOps ops{};
    ops.changed = ChangedOp;
    return ops;
}();

}  // namespace

CoreBetBox& CoreBetBox::operator=(const std::string& text) {
    TableControls controls = TableControlsShown();
    std::snprintf(controls.betBox, sizeof controls.betBox, "%s", text.c_str());
    RestoreTable(TableShown(), controls);
    return *this;
}

CoreBetBox::operator std::string() const { return TableControlsShown().betBox; }

bool operator==(const CoreBetBox& box, const std::string& text) {
    return static_cast<std::string>(box) == text;
}

std::ostream& operator<<(std::ostream& out, const CoreBetBox& box) {
    return out << static_cast<std::string>(box);
}

CoreTimer::operator int() const { return TableControlsShown().timerPeriod; }

const TableOps& RecordingTableOps() { return RecordingOps; }

void RecordLine(const std::string& line) {
    if (gTable) AddTableRecordLine(line);
}

void InstallRecordingTable(RecordingTable& table) {
    gTable = &table;
    if (!InstallTable(&RecordingOps, &table)) ADD_FAILURE() << "the recording table was refused";
    StartTableRecord();
}

void RemoveRecordingTable() {
    gTable = nullptr;
    StopTableRecord();
    if (!InstallTable(nullptr, nullptr)) ADD_FAILURE() << "the table could not be taken away";
}

std::vector<std::string>& RecordedLines(RecordingTable& table) {
    for (const std::string& line : TakeTableRecord())
        table.lines.push_back(ReadableText(line.c_str()));
    return table.lines;
}

std::string TakeRecord(RecordingTable& table) {
    RecordedLines(table);
    std::string joined;
    for (const std::string& line : table.lines) {
        if (!joined.empty()) joined += "\n";
        joined += line;
    }
    table.lines.clear();
    return joined;
}
