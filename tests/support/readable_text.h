// Shift-JIS text of the game turned into UTF-8 for the host tests to compare.
#pragma once

#include <string>

// Shift-JIS (code page 932) as UTF-8, with line breaks written as "\n" so a
// recorded line stays one line; "<not Shift-JIS>" when it does not convert.
std::string ReadableText(const char* shiftJis);
