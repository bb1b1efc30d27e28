// Tokens of the registry script.
#include "server/RegistryScriptLexer.h"

#include <algorithm>
#include <cwctype>

namespace portal::registry {
namespace {

bool IsBlank(wchar_t c) { return c == L' ' || c == L'\t' || c == L'\r' || c == L'\n' || c == 0xFEFF; }

bool EqualsNoCase(std::wstring_view a, std::wstring_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (std::towupper(a[i]) != std::towupper(b[i])) return false;
  }
  return true;
}

Token MakeToken(Token::Kind kind, int line, std::wstring text = {}) {
  Token token;
  token.kind = kind;
  token.line = line;
  token.text = std::move(text);
  return token;
}

}  // namespace

bool Token::IsKeyword(const wchar_t* keyword) const {
  return kind == Kind::Word && EqualsNoCase(text, keyword);
}

void Lexer::SkipBlanks() {
  while (pos_ < text_.size() && IsBlank(text_[pos_])) {
    if (text_[pos_] == L'\n') ++line_;
    ++pos_;
  }
}

Token Lexer::Next() {
  SkipBlanks();
  if (pos_ >= text_.size()) return MakeToken(Token::Kind::End, line_);
  const wchar_t c = text_[pos_];
  if (c == L'\'') return ReadQuoted();
  if (c == L'=') {
    ++pos_;
    return MakeToken(Token::Kind::Equals, line_);
  }
  // A brace on its own is punctuation; "{GUID}" is a key name.
  if (c == L'{' || c == L'}') {
    const bool alone = pos_ + 1 >= text_.size() || IsBlank(text_[pos_ + 1]) || text_[pos_ + 1] == L'\'' ||
                       text_[pos_ + 1] == L'{' || text_[pos_ + 1] == L'}';
    if (alone) {
      ++pos_;
      return MakeToken(c == L'{' ? Token::Kind::OpenBrace : Token::Kind::CloseBrace, line_);
    }
  }
  return ReadWord();
}

Token Lexer::ReadQuoted() {
  const int startLine = line_;
  std::wstring raw;
  ++pos_;  // opening quote
  for (;;) {
    if (pos_ >= text_.size()) return MakeToken(Token::Kind::Invalid, startLine, L"unterminated quoted text");
    const wchar_t c = text_[pos_++];
    if (c == L'\n') ++line_;
    if (c != L'\'') {
      raw.push_back(c);
    } else if (pos_ < text_.size() && text_[pos_] == L'\'') {
      raw.push_back(L'\'');  // '' stands for one quote
      ++pos_;
    } else {
      break;
    }
  }
  Token token = MakeToken(Token::Kind::Quoted, startLine);
  if (!Replace(raw, &token.text, &token.text)) token.kind = Token::Kind::Invalid;
  return token;
}

Token Lexer::ReadWord() {
  const std::size_t start = pos_;
  while (pos_ < text_.size() && !IsBlank(text_[pos_]) && text_[pos_] != L'\'' && text_[pos_] != L'=') ++pos_;
  Token token = MakeToken(Token::Kind::Word, line_);
  if (!Replace(text_.substr(start, pos_ - start), &token.text, &token.text)) token.kind = Token::Kind::Invalid;
  return token;
}

// "%%" is a percent sign; "%NAME%" is replaced by its text. On failure *why
// (which may alias *out) receives the reason.
bool Lexer::Replace(std::wstring_view raw, std::wstring* out, std::wstring* why) const {
  std::wstring result;
  for (std::size_t i = 0; i < raw.size(); ++i) {
    if (raw[i] != L'%') {
      result.push_back(raw[i]);
      continue;
    }
    const std::size_t close = raw.find(L'%', i + 1);
    if (close == std::wstring_view::npos) {
      *why = L"unterminated %replacement%";
      return false;
    }
    const std::wstring_view name = raw.substr(i + 1, close - i - 1);
    if (name.empty()) {
      result.push_back(L'%');
    } else {
      const auto found = std::find_if(replacements_.begin(), replacements_.end(),
                                      [&](const auto& entry) { return EqualsNoCase(entry.first, name); });
      if (found == replacements_.end()) {
        *why = L"unknown replacement %" + std::wstring(name) + L"%";
        return false;
      }
      result += found->second;
    }
    i = close;
  }
  *out = std::move(result);
  return true;
}

}  // namespace portal::registry
