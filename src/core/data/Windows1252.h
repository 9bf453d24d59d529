#pragma once

namespace lingomat {

// Data sets, player files and error files hold Windows-1252 bytes. This is the one mapping
// between those bytes and Unicode; the window and the tool both go through it.

// The code point of a byte. The five bytes Windows-1252 leaves unassigned map to the C1
// control of the same number, as Windows' own conversion does, so every byte survives the way
// there and back.
char32_t Cp1252ToCodePoint(unsigned char byte);

// The byte of a code point, or -1 when Windows-1252 has none.
int CodePointToCp1252(char32_t codePoint);

} // namespace lingomat
