// Texts from other machines, driver texts and file names, as a terminal gets
// them: nothing in them may move the cursor, recolour, retitle, answer for
// the user or turn the line around, and two different texts never print
// alike.
#pragma once

#include <string>
#include <string_view>

namespace kelvane {

// A UTF-8 text with C0 controls, DEL, C1 controls and the bidirectional
// controls (U+200E, U+200F, U+202A-U+202E, U+2066-U+2069) written as C
// escapes (\n, \r, \t, \x1b, \u202e), and the backslash and double quote as
// \\ and \". Nothing else changes.
std::string EscapeControls(std::string_view text);

// The text as it is where it holds nothing to escape and does not begin
// with a double quote; else in double quotes, escaped. So a plain name or
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
