// Shift-JIS to UTF-8 through iconv, for the host tests.
#include "readable_text.h"

#include <iconv.h>

#include <stdexcept>

std::string ReadableText(const char* shiftJis) {
    std::string in(shiftJis);
    std::string out(in.size() * 3 + 1, '\0');
    iconv_t converter = iconv_open("UTF-8", "CP932");
    if (converter == reinterpret_cast<iconv_t>(-1)) throw std::runtime_error("no CP932 converter");
    char* source = in.data();
    std::size_t sourceLeft = in.size();
    char* target = out.data();
    std::size_t targetLeft = out.size();
    const std::size_t result = iconv(converter, &source, &sourceLeft, &target, &targetLeft);
    iconv_close(converter);
    if (result == static_cast<std::size_t>(-1)) return "<not Shift-JIS>";
    out.resize(out.size() - targetLeft);
    std::string readable;
    for (char c : out) {
        if (c == '\n') {
            readable += "\\n";
        } else {
            readable += c;
        }
    }
    return readable;
}
