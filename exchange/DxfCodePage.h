// Text of a DXF drawing as UTF-8: drawings up to AutoCAD 2004 are written in
// the Windows code page their $DWGCODEPAGE names, from AutoCAD 2007 on in
// UTF-8; both may carry characters as \U+XXXX escapes.
#pragma once

#include <string>
#include <string_view>

namespace exchange {

struct CodePageTable {
    int number;
    char32_t high[128];  // bytes 0x80-0xFF; 0 where the page defines nothing
};
extern const CodePageTable codePageTables[];
extern const int codePageTableCount;

class DxfTextDecoder {
public:
    // $DWGCODEPAGE, such as "ANSI_1252"; names of pages we have no table for
    // (the double-byte Asian ones) leave the decoder as it was.
    void setCodePage(std::string_view name);
    // $ACADVER: "AC1021" (AutoCAD 2007) and later are UTF-8 throughout.
    void setVersion(std::string_view version);

    // The text as UTF-8 without control characters. With neither header
    // variable, text that is valid UTF-8 is taken as such (our own drawings)
    // and any other byte as Windows-1252.
    std::string decode(std::string_view raw) const;
    // Whether decode would change the text: only text with bytes above 0x7F,
    // control characters or a backslash needs it.
    static bool isPlain(std::string_view raw);

private:
    const CodePageTable* table_ = nullptr;
    bool utf8_ = false;
};

}  // namespace exchange
