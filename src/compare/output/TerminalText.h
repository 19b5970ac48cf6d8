// Texts from other machines, driver texts and file names, as a terminal gets
// them: nothing in them may move the cursor, recolour, retitle, answer for
// the user or turn the line around, and two different texts never print
// alike.
#pragma once

#include <string>
#include <string_view>

namespace kelvane {

// A UTF-8 text with C0 controls, DEL, C1 controls, every bidi control
// (U+061C, U+200E, U+200F, U+202A-U+202E, U+2066-U+2069) and what prints
// like another character or like nothing (no-break spaces, the soft hyphen,
// U+200B-U+200D, U+2028, U+2029, U+2060, U+FEFF, the tag characters)
// written as C escapes (\n, \r, \t, \x1b, \u202e, \U000e0041); a byte
// that begins no whole UTF-8 sequence as \xNN; the backslash and double
// quote as \\ and \". Nothing else changes.
std::string EscapeControls(std::string_view text);

// The text as it is where it holds nothing to escape, does not begin with a
// double quote, begins and ends with no blank and holds no " | "; else in
// double quotes, escaped. So a plain name or
// value reads as it is (a Windows path keeps its backslashes), and a quoted
// one is always told apart from a plain one.
std::string ShownText(std::string_view text);

// For the character at `at`, whose length it leaves in `length`: its escape
// as EscapeControls writes it where it is a control, else nothing.
std::string ControlEscapeAt(std::string_view text, std::size_t at,
                            std::size_t& length);

// At most `most` bytes of the UTF-8 text, never a part of a character.
std::string_view CutUtf8(std::string_view text, std::size_t most);

}  // namespace kelvane
