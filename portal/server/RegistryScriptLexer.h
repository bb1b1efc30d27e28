// Splits a registry script into tokens: braces, '=', quoted texts ('' is a
// quote inside one) and bare words, with %NAME% replacements applied to
// the words and texts. Internal to the script parser.
#pragma once

#include <string>
#include <string_view>

#include "server/RegistryScript.h"

namespace portal::registry {

struct Token {
  enum class Kind { End, OpenBrace, CloseBrace, Equals, Word, Quoted, Invalid };
  Kind kind = Kind::End;
  std::wstring text;  // Word and Quoted: after replacement; Invalid: why
  int line = 1;

  bool IsKeyword(const wchar_t* keyword) const;
};

class Lexer {
 public:
  Lexer(std::wstring_view text, const Replacements& replacements)
      : text_(text), replacements_(replacements) {}

  // The next token; Kind::End at the end of the text, Kind::Invalid on an
  // unterminated quote or an unknown replacement.
  Token Next();

 private:
  void SkipBlanks();
  Token ReadQuoted();
  Token ReadWord();
  bool Replace(std::wstring_view raw, std::wstring* out, std::wstring* why) const;

  std::wstring_view text_;
  const Replacements& replacements_;
  std::size_t pos_ = 0;
  int line_ = 1;
};

}  // namespace portal::registry
