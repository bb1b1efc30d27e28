// Recursive-descent parser of the registry script:
//   script := root*
//   root   := ROOTNAME '{' entry* '}'
//   entry  := 'val' name '=' value
//           | [NoRemove | ForceRemove | Delete] name ['=' value] ['{' entry* '}']
//   value  := 's' QUOTED | 'd' number
// Keywords are recognised only as bare words; a quoted 'val' is a key name.
#include "server/RegistryScript.h"

#include <cwctype>

#include "common/Registry.h"
#include "server/RegistryScriptLexer.h"

namespace portal::registry {
namespace {

constexpr std::size_t kMaxKeyNameLength = 255;

std::wstring ToUpperAscii(std::wstring text) {
  for (wchar_t& c : text) c = static_cast<wchar_t>(std::towupper(c));
  return text;
}

// Decimal or 0x-hexadecimal, optionally negative, within 32 bits.
bool ParseDword(const std::wstring& text, DWORD* number) {
  std::size_t i = 0;
  const bool negative = !text.empty() && text[0] == L'-';
  if (negative) ++i;
  unsigned base = 10;
  if (text.size() > i + 1 && text[i] == L'0' && (text[i + 1] == L'x' || text[i + 1] == L'X')) {
    base = 16;
    i += 2;
  }
  if (i >= text.size()) return false;
  unsigned long long value = 0;
  for (; i < text.size(); ++i) {
    const wchar_t c = static_cast<wchar_t>(std::towlower(text[i]));
    unsigned digit;
    if (c >= L'0' && c <= L'9') {
      digit = c - L'0';
    } else if (base == 16 && c >= L'a' && c <= L'f') {
      digit = c - L'a' + 10;
    } else {
      return false;
    }
    value = value * base + digit;
    if (value > 0xFFFFFFFFull) return false;
  }
  if (negative && value > 0x80000000ull) return false;
  *number = static_cast<DWORD>(negative ? 0 - value : value);
  return true;
}

class Parser {
 public:
  Parser(std::wstring_view text, const Replacements& replacements) : lexer_(text, replacements) {
    Advance();
  }

  bool ParseScript(Script* script) {
    while (current_.kind != Token::Kind::End) {
      ScriptRoot root;
      if (!ParseRoot(&root)) return false;
      script->roots.push_back(std::move(root));
    }
    return true;
  }

  ParseError Error() const { return error_; }

 private:
  void Advance() { current_ = lexer_.Next(); }

  bool Fail(const std::wstring& message) {
    if (error_.message.empty()) {
      error_.line = current_.line;
      error_.message = current_.kind == Token::Kind::Invalid ? current_.text : message;
    }
    return false;
  }

  bool Expect(Token::Kind kind, const wchar_t* what) {
    if (current_.kind != kind) return Fail(std::wstring(L"expected ") + what);
    Advance();
    return true;
  }

  bool ParseRoot(ScriptRoot* root) {
    if (current_.kind != Token::Kind::Word) return Fail(L"expected a root key name");
    root->name = current_.text;
    root->key = common::RootKeyFromName(ToUpperAscii(current_.text));
    if (!root->key) return Fail(L"unknown root key " + current_.text);
    Advance();
    if (!Expect(Token::Kind::OpenBrace, L"'{' after the root key")) return false;
    return ParseBody(/*allowValues=*/false, &root->keys, nullptr);
  }

  // Entries up to and including the closing brace.
  bool ParseBody(bool allowValues, std::vector<ScriptKey>* keys, std::vector<NamedValue>* values) {
    while (current_.kind != Token::Kind::CloseBrace) {
      if (current_.kind == Token::Kind::End) return Fail(L"missing '}'");
      if (current_.IsKeyword(L"val")) {
        if (!allowValues) return Fail(L"'val' outside a key");
        NamedValue value;
        if (!ParseNamedValue(&value)) return false;
        values->push_back(std::move(value));
      } else {
        ScriptKey key;
        if (!ParseKey(&key)) return false;
        keys->push_back(std::move(key));
      }
    }
    Advance();
    return true;
  }

  bool ParseName(std::wstring* name, const wchar_t* what) {
    if (current_.kind != Token::Kind::Word && current_.kind != Token::Kind::Quoted) {
      return Fail(std::wstring(L"expected ") + what);
    }
    *name = current_.text;
    Advance();
    return true;
  }

  bool ParseNamedValue(NamedValue* value) {
    Advance();  // val
    if (!ParseName(&value->name, L"a value name")) return false;
    if (!Expect(Token::Kind::Equals, L"'=' after the value name")) return false;
    return ParseValue(&value->value);
  }

  KeyAction ParseAction() {
    static const struct {
      const wchar_t* keyword;
      KeyAction action;
    } actions[] = {{L"NoRemove", KeyAction::NoRemove},
                   {L"ForceRemove", KeyAction::ForceRemove},
                   {L"Delete", KeyAction::Delete}};
    for (const auto& entry : actions) {
      if (current_.IsKeyword(entry.keyword)) {
        Advance();
        return entry.action;
      }
    }
    return KeyAction::Normal;
  }

  bool ParseKey(ScriptKey* key) {
    key->action = ParseAction();
    if (current_.IsKeyword(L"val") || ParseAction() != KeyAction::Normal) {
      return Fail(L"a key takes one action and is not a value");
    }
    if (!ParseName(&key->name, L"a key name")) return false;
    if (key->name.empty() || key->name.size() > kMaxKeyNameLength ||
        key->name.find(L'\\') != std::wstring::npos) {
      return Fail(L"invalid key name '" + key->name + L"'");
    }
    if (current_.kind == Token::Kind::Equals) {
      Advance();
      key->defaultValue.emplace();
      if (!ParseValue(&*key->defaultValue)) return false;
    }
    if (current_.kind == Token::Kind::OpenBrace) {
      Advance();
      return ParseBody(/*allowValues=*/true, &key->subKeys, &key->values);
    }
    return true;
  }

  bool ParseValue(ScriptValue* value) {
    if (current_.IsKeyword(L"s")) {
      Advance();
      if (current_.kind != Token::Kind::Quoted) return Fail(L"expected a quoted string after 's'");
      value->kind = ScriptValue::Kind::String;
      value->text = current_.text;
      Advance();
      return true;
    }
    if (current_.IsKeyword(L"d")) {
      Advance();
      if ((current_.kind != Token::Kind::Word && current_.kind != Token::Kind::Quoted) ||
          !ParseDword(current_.text, &value->number)) {
        return Fail(L"expected a 32-bit number after 'd'");
      }
      value->kind = ScriptValue::Kind::Dword;
      Advance();
      return true;
    }
    return Fail(L"expected a value type ('s' or 'd')");
  }

  Lexer lexer_;
  Token current_;
  ParseError error_;
};

}  // namespace

HRESULT ParseRegistryScript(std::wstring_view text, const Replacements& replacements, Script* script,
                            ParseError* error) {
  if (!script) return E_POINTER;
  *script = Script();
  Parser parser(text, replacements);
  Script parsed;
  if (!parser.ParseScript(&parsed)) {
    if (error) *error = parser.Error();
    return kScriptSyntaxError;
  }
  *script = std::move(parsed);
  return S_OK;
}

std::wstring DecodeScriptBytes(const void* data, std::size_t size) {
  const auto* bytes = static_cast<const unsigned char*>(data);
  if (!bytes || size == 0) return {};
  if (size >= 2 && bytes[0] == 0xFF && bytes[1] == 0xFE) {
    return std::wstring(reinterpret_cast<const wchar_t*>(bytes + 2), (size - 2) / sizeof(wchar_t));
  }
  if (size >= 3 && bytes[0] == 0xEF && bytes[1] == 0xBB && bytes[2] == 0xBF) {
    bytes += 3;
    size -= 3;
  }
  const char* chars = reinterpret_cast<const char*>(bytes);
  const int length = static_cast<int>(size);
  UINT codePage = CP_UTF8;
  int needed = ::MultiByteToWideChar(codePage, MB_ERR_INVALID_CHARS, chars, length, nullptr, 0);
  if (needed <= 0) {
    codePage = CP_ACP;
    needed = ::MultiByteToWideChar(codePage, 0, chars, length, nullptr, 0);
  }
  std::wstring text(static_cast<std::size_t>(needed > 0 ? needed : 0), L'\0');
  if (needed > 0) ::MultiByteToWideChar(codePage, 0, chars, length, text.data(), needed);
  return text;
}

}  // namespace portal::registry
