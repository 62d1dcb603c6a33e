// JSON as the page and its build read it, written value by value: objects,
// arrays, numbers, true and false, null, plain ASCII strings, and Shift-JIS
// texts as arrays of their bytes (the page decodes them itself).
#pragma once

#include <string>

#include "game/layout.h"

class JsonWriter {
public:
    void BeginObject() { Open('{'); }
    void EndObject() { Close('}'); }
    void BeginArray() { Open('['); }
    void EndArray() { Close(']'); }
    // The name of the next member of an object; its value follows.
    JsonWriter& WriteKey(const char* name) {
        WriteString(name);
        json += ':';
        first = true;
        return *this;
    }

    void WriteNumber(int value) { WriteValue(std::to_string(value)); }
    void WriteBool(bool value) { WriteValue(value ? "true" : "false"); }
    void WriteNull() { WriteValue("null"); }
    void WriteString(const char* text) {
        Separate();
        json += '"';
        for (; *text; ++text) {
            if (*text == '"' || *text == '\\') json += '\\';
            json += *text;
        }
        json += '"';
        first = false;
    }
    void WriteBytes(const std::string& text) {
        BeginArray();
        for (char c : text) WriteNumber(static_cast<unsigned char>(c));
        EndArray();
    }
    void WriteRect(const TableRect& rect) {
        BeginArray();
        for (int side : {rect.left, rect.top, rect.right, rect.bottom}) WriteNumber(side);
        EndArray();
    }
    // A 0xRRGGBB colour as CSS writes it, "#rrggbb".
    void WriteColour(int rgb) {
        static const char Hex[] = "0123456789abcdef";
        char css[8] = "#";
        for (int k = 0; k < 6; ++k) css[1 + k] = Hex[(rgb >> (20 - 4 * k)) & 0xF];
        WriteString(css);
    }

    const std::string& Text() const { return json; }

private:
    // A comma before every value but the first of its object or array, and
    // none after a key.
    void Separate() {
        if (!first) json += ',';
    }
    void WriteValue(const std::string& text) {
        Separate();
        json += text;
        first = false;
    }
    void Open(char bracket) {
        Separate();
        json += bracket;
        first = true;
    }
    void Close(char bracket) {
        json += bracket;
        first = false;
    }

    std::string json;
    bool first = true;  // nothing yet in this object or array, or a key just written
};
