// Line-by-line input for bluffwick-lab's streaming modes, with the shared
// rules for bad input: stop at the first bad line, name it, exit status 2.
#pragma once

#include <cstdio>
#include <string>
#include <string_view>
#include <vector>

constexpr int LabBadInput = 2;

struct LineReader {
    std::FILE* file = nullptr;
    std::vector<char> buffer;
    std::size_t start = 0;
    std::size_t end = 0;
    bool atEnd = false;
    long lineNumber = 0;
};

void OpenLineReader(LineReader& reader, std::FILE* file);

// Next non-empty line without its "\n" or "\r\n"; false at the end of input.
// reader.lineNumber counts every line read, empty ones included, from 1.
bool ReadNextLine(LineReader& reader, std::string_view& line);

// Splits a line into exactly `count` integers separated by spaces or tabs.
// On failure returns false and says why in `problem`.
bool ParseLineNumbers(std::string_view line, int count, long long* values, std::string& problem);

// Parses one whole command-line argument as an integer in [low, high].
bool ParseArgument(const char* text, long long low, long long high, long long& value);

// Reports a bad input line on stderr and returns LabBadInput.
int ReportBadLine(long lineNumber, const std::string& problem);
// Reports a bad command line on stderr and returns LabBadInput.
int ReportBadUsage(const std::string& problem);

// Output is written through one large buffer; call before exiting.
void FlushLabOutput();
