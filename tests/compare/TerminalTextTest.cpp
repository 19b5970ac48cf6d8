// Texts from other machines never drive a terminal, and two different texts
// never print alike: in the text output, in every message and on the page.
#include <gtest/gtest.h>

#include <fstream>

#include "CompareFixture.h"
#include "compare/output/TerminalText.h"

namespace {

struct Shown {
  const char* what;
  std::string text;
  std::string shown;
};

TEST(TerminalText, ControlsAreShownAsEscapesAndPlainTextAsItIs) {
  const Shown cases[] = {
      {"plain", "NVIDIA GeForce GTX 470", "NVIDIA GeForce GTX 470"},
      {"a Windows path", "C:\\pc1\\DeviceCaps.html",
       "C:\\pc1\\DeviceCaps.html"},
      {"line ends and a tab", "Vector\nPro\r\t", "\"Vector\\nPro\\r\\t\""},
      {"a real backslash n", "Vector\\nPro", "Vector\\nPro"},
      {"clear screen, colour, title", "\x1b[2J\x1b[31mred\x1b]0;title\x07",
       "\"\\x1b[2J\\x1b[31mred\\x1b]0;title\\x07\""},
      {"a terminal's answer asked", "\x1b[6n", "\"\\x1b[6n\""},
      {"backspace and delete", "a\bb\x7f", "\"a\\x08b\\x7f\""},
      {"C1 CSI",
       "a\xC2\x9B"
       "2J",
       "\"a\\u009b2J\""},
      {"bidi override and isolates",
       "gpj.\xE2\x80\xAE"
       "exe\xE2\x81\xA6\xE2\x80\x8F",
       "\"gpj.\\u202eexe\\u2066\\u200f\""},
      {"a leading quote", "\"quoted\"", "\"\\\"quoted\\\"\""},
      {"a quote and backslash beside a control", "\"a\\b\"\n",
       "\"\\\"a\\\\b\\\"\\n\""},
      {"other scripts", "\xE6\xAF\x94\xE8\xBC\x83 Zo\xC3\xAB",
       "\xE6\xAF\x94\xE8\xBC\x83 Zo\xC3\xAB"},
      {"an ESC behind a four-byte lead", "\xF0\x1b[2J", "\"\\xf0\\x1b[2J\""},
      {"a lead byte at the end", "ab\xE6\xAF", "\"ab\\xe6\\xaf\""},
      {"a no-break space", "Vector\xC2\xA0Pro", "\"Vector\\u00a0Pro\""},
      {"zero-width space and joiner", "a\xE2\x80\x8B\xE2\x80\x8D",
       "\"a\\u200b\\u200d\""},
      {"a byte-order mark", "\xEF\xBB\xBF<html>", "\"\\ufeff<html>\""},
      {"the Arabic letter mark", "a\xD8\x9C", "\"a\\u061c\""},
      {"a tag character", "a\xF3\xA0\x81\x81", "\"a\\U000e0041\""},
      {"a trailing blank", "Vector ", "\"Vector \""},
      {"a leading blank", " Vector", "\" Vector\""},
      {"the column separator", "Corvid | Vector", "\"Corvid | Vector\""},
  };
  for (const Shown& c : cases)
    EXPECT_EQ(kelvane::ShownText(c.text), c.shown) << c.what;
}

TEST(TerminalText, ACutNeverSplitsACharacter) {
  const std::string text = "ab\xE6\xAF\x94";  // ab比
  EXPECT_EQ(kelvane::CutUtf8(text, 2), "ab");
  EXPECT_EQ(kelvane::CutUtf8(text, 3), "ab");
  EXPECT_EQ(kelvane::CutUtf8(text, 4), "ab");
  EXPECT_EQ(kelvane::CutUtf8(text, 5), text);
}

// Whether a terminal would take anything in the text as a command.
bool DrivesATerminal(const std::string& text) {
  for (std::size_t i = 0; i < text.size(); ++i) {
    const auto byte = static_cast<unsigned char>(text[i]);
    if ((byte < 0x20 && byte != '\n') || byte == 0x7F) return true;
    if (byte == 0xC2 && i + 1 < text.size() &&
        static_cast<unsigned char>(text[i + 1]) < 0xA0)
      return true;
    if (text.compare(i, 3, "\xE2\x80\xAE") == 0 ||
        text.compare(i, 3, "\xE2\x81\xA6") == 0)
      return true;
  }
  return false;
}

class HostileTexts : public CompareTest {};

TEST_F(HostileTexts, NeitherReportsNorNamesDriveTheTerminal) {
  const std::string hostile =
      "\x1b]0;pwned\x07\x1b[2J\x1b[6n\b\x7f\xC2\x9B"
      "31m\xE2\x80\xAE\xE2\x81\xA6";
  Script script = MakeSampleScript(1);
  SetText(script.adapters[0].identifier.Description, "Vector\nPro" + hostile);
  SetText(script.adapters[0].identifier.Driver, "Vector\\nPro");
  const std::string name =
#ifdef _WIN32
      "\xE2\x80\xAE"
      "lmth.exe.html";  // Windows names hold no C0 control
#else
      "pc\x1b[2J"
      "\xE2\x80\xAE.html";
#endif
  WriteReport(script, name);
  WriteReport(MakeSampleScript(1), "plain.html");
  const std::string bad = "bad-" + name;
  std::ofstream(std::filesystem::u8path(bad), std::ios::binary)
      << "<html>\r\n" + hostile;

  for (const bool coverage : {false, true}) {
    std::vector<std::string> arguments = {name, "plain.html"};
    if (coverage) arguments.push_back("--coverage");
    const CompareOutcome run = Compare(arguments);
    EXPECT_EQ(run.exitCode, 1) << run.err;
    EXPECT_FALSE(DrivesATerminal(run.out)) << run.out;
    // Two texts that differ print differently.
    EXPECT_NE(run.out.find("\"Vector\\nPro\\x1b]0;pwned"), std::string::npos)
        << run.out;
  }
  const CompareOutcome differences = Compare({name, "plain.html"});
  EXPECT_NE(differences.out.find("Driver: Vector\\nPro | kelvane0.dll\n"),
            std::string::npos)
      << differences.out;

  const CompareOutcome malformed = Compare({bad, "plain.html"});
  EXPECT_EQ(malformed.exitCode, 2);
  EXPECT_NE(
      malformed.err.find(":2: expected \"<head>\", found \"\\x1b]0;pwned"),
      std::string::npos)
      << malformed.err;
  EXPECT_FALSE(DrivesATerminal(malformed.err)) << malformed.err;
}

#ifndef _WIN32
// Windows takes its arguments as UTF-16: no stray byte reaches a message.
TEST_F(HostileTexts, CommandLineTextsInMessagesDriveNoTerminal) {
  WriteReport(MakeSampleScript(1), "plain.html");
  // An ESC behind a UTF-8 lead byte, in each message that quotes the
  // command line.
  const std::string hidden = "\xF0\x1b[2J";
  for (const std::vector<std::string>& arguments :
       {std::vector<std::string>{"--where", hidden + "=1", "plain.html"},
        std::vector<std::string>{"--" + hidden, "plain.html"},
        std::vector<std::string>{"--by", hidden, "plain.html"}}) {
    SCOPED_TRACE(arguments.front());
    const CompareOutcome run = Compare(arguments);
    EXPECT_EQ(run.exitCode, 2);
    EXPECT_NE(run.err.find("\\xf0\\x1b[2J"), std::string::npos) << run.err;
    EXPECT_FALSE(DrivesATerminal(run.err)) << run.err;
  }
}
#endif

TEST_F(HostileTexts, ThePageShowsEveryControlACarriageReturnAmongThem) {
  Script script = MakeSampleScript(1);
  SetText(script.adapters[0].identifier.Description,
          "A\rB\xE2\x80\xAE\xC2\xA0");
  WriteReport(script, "cr.html");
  WriteReport(MakeSampleScript(1), "plain.html");
  ASSERT_EQ(Compare({"--html", "page.html", "cr.html", "plain.html"}).exitCode,
            1);
  const std::string page = ReadFileBytes("page.html");
  EXPECT_NE(page.find("A<span class=\"control\">\\r</span>B<span "
                      "class=\"control\">\\u202e</span><span "
                      "class=\"control\">\\u00a0</span>"),
            std::string::npos)
      << page;
  EXPECT_EQ(page.find('\r'), std::string::npos);
}

}  // namespace
