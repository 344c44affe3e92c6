// Text encodings of data files and batch input: UTF-8 inside the program, Windows-1252 or
// UTF-8 on disk.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace tintavis {

bool IsValidUtf8(std::string_view bytes);

// Every Windows-1252 byte as UTF-8. The five bytes the code page leaves unassigned (0x81, 0x8D,
// 0x8F, 0x90, 0x9D) map to the C1 controls of the same number, so the conversion is total and
// reversible.
std::string Windows1252ToUtf8(std::string_view bytes);

// The Windows-1252 bytes of a UTF-8 text, or nothing when a character has no byte there.
std::optional<std::string> Utf8ToWindows1252(std::string_view utf8);

// The Windows-1252 bytes of a UTF-8 text when every character has one and the bytes read back
// (DecodeText) as the same text: bytes that happen to form valid UTF-8 ("Ã©" is C3 A9 there)
// would be read as other characters ("é").
std::optional<std::string> Windows1252ThatReadsBack(std::string_view utf8);

// Bytes read from a file as UTF-8 text: kept when they are valid UTF-8 (a leading byte-order
// mark dropped), read as Windows-1252 otherwise.
std::string DecodeText(std::string_view bytes);

}  // namespace tintavis
