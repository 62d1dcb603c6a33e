// Line-by-line input for bluffwick-lab's streaming modes.
#include "lab_input.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>

void OpenLineReader(LineReader& reader, std::FILE* file) {
    reader.file = file;
    reader.buffer.assign(1 << 20, '\0');
    reader.start = reader.end = 0;
    reader.atEnd = false;
    reader.lineNumber = 0;
}

namespace {

// Fetches more input, keeping the unread tail; false when nothing more came.
bool FillBuffer(LineReader& reader) {
    if (reader.atEnd) return false;
    if (reader.start > 0) {
        std::memmove(reader.buffer.data(), reader.buffer.data() + reader.start,
                     reader.end - reader.start);
        reader.end -= reader.start;
        reader.start = 0;
    }
    if (reader.end == reader.buffer.size()) reader.buffer.resize(reader.buffer.size() * 2);
    const std::size_t got = std::fread(reader.buffer.data() + reader.end, 1,
                                       reader.buffer.size() - reader.end, reader.file);
    if (got == 0) {
        reader.atEnd = true;
        return false;
    }
    reader.end += got;
    return true;
}

}  // namespace

bool ReadNextLine(LineReader& reader, std::string_view& line) {
    for (;;) {
        const char* begin = reader.buffer.data() + reader.start;
        const void* newline = std::memchr(begin, '\n', reader.end - reader.start);
        std::size_t length;
        if (newline) {
            length = static_cast<const char*>(newline) - begin;
            reader.start += length + 1;
        } else if (!FillBuffer(reader)) {
            if (reader.start == reader.end) return false;
            length = reader.end - reader.start;  // a last line without "\n"
            begin = reader.buffer.data() + reader.start;
            reader.start = reader.end;
        } else {
            continue;
        }
        ++reader.lineNumber;
        if (length > 0 && begin[length - 1] == '\r') --length;
        if (length == 0) continue;
        line = std::string_view(begin, length);
        return true;
    }
}

bool ParseLineNumbers(std::string_view line, int count, long long* values, std::string& problem) {
    int found = 0;
    std::size_t at = 0;
    while (at < line.size()) {
        if (line[at] == ' ' || line[at] == '\t') {
            ++at;
            continue;
        }
        std::size_t stop = at;
        while (stop < line.size() && line[stop] != ' ' && line[stop] != '\t') ++stop;
        const std::string_view token = line.substr(at, stop - at);
        at = stop;
        std::size_t digit = (token[0] == '-' || token[0] == '+') ? 1 : 0;
        if (digit == token.size() || token.size() - digit > 12) {
            problem = "'" + std::string(token) + "' is not a number";
            return false;
        }
        long long value = 0;
        for (std::size_t k = digit; k < token.size(); ++k) {
            if (token[k] < '0' || token[k] > '9') {
                problem = "'" + std::string(token) + "' is not a number";
                return false;
            }
            value = value * 10 + (token[k] - '0');
        }
        if (found < count) values[found] = token[0] == '-' ? -value : value;
        ++found;
    }
    if (found != count) {
        problem = "expected " + std::to_string(count) + " numbers, found " + std::to_string(found);
        return false;
    }
    return true;
}

bool ParseArgument(const char* text, long long low, long long high, long long& value) {
    if (!text || !*text) return false;
    errno = 0;
    char* stop = nullptr;
    const long long parsed = std::strtoll(text, &stop, 10);
    if (errno != 0 || *stop != '\0' || parsed < low || parsed > high) return false;
    for (const char* c = text; *c; ++c) {
        if ((*c < '0' || *c > '9') && !(c == text && (*c == '-' || *c == '+'))) return false;
    }
    value = parsed;
    return true;
}

int ReportBadLine(long lineNumber, const std::string& problem) {
    FlushLabOutput();
    std::fprintf(stderr, "bluffwick-lab: line %ld: %s\n", lineNumber, problem.c_str());
    return LabBadInput;
}

int ReportBadUsage(const std::string& problem) {
    FlushLabOutput();
    std::fprintf(stderr, "bluffwick-lab: %s (try --help)\n", problem.c_str());
    return LabBadInput;
}

void FlushLabOutput() { std::fflush(stdout); }
