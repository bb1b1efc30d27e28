// The registry script parser, without touching the registry: the control's
// own script, the grammar's corners and the scripts it must refuse.
#include <gtest/gtest.h>

#include <string>

#include "server/RegistryScript.h"

using namespace portal::registry;

namespace {

Script MustParse(std::wstring_view text, const Replacements& replacements = {}) {
  Script script;
  ParseError error;
  const HRESULT hr = ParseRegistryScript(text, replacements, &script, &error);
  EXPECT_EQ(hr, S_OK) << "line " << error.line << ": " << std::string(error.message.begin(), error.message.end());
  return script;
}

ParseError MustFail(std::wstring_view text, const Replacements& replacements = {}) {
  Script script;
  script.roots.emplace_back();  // must be cleared on failure
  ParseError error;
  EXPECT_EQ(ParseRegistryScript(text, replacements, &script, &error), kScriptSyntaxError) << "accepted";
  EXPECT_TRUE(script.roots.empty());
  EXPECT_FALSE(error.message.empty());
  return error;
}

const ScriptKey* Find(const std::vector<ScriptKey>& keys, const std::wstring& name) {
  for (const ScriptKey& key : keys) {
    if (key.name == name) return &key;
  }
  return nullptr;
}

}  // namespace

TEST(RegistryScript, ParsesTheClassRegistrationShape) {
  const Script script = MustParse(LR"(HKCR
{
	Tovra2.VideoPortal.1 = s 'Tessel VideoPortal Class'
	{
		CLSID = s '{FD81BC84-8AFA-46EE-BFFA-BD9BBA5B3C34}'
		'Insertable'
	}
	NoRemove CLSID
	{
		ForceRemove {FD81BC84-8AFA-46EE-BFFA-BD9BBA5B3C34} = s 'Tessel VideoPortal Class'
		{
			InprocServer32 = s '%MODULE%'
			{
				val ThreadingModel = s 'Apartment'
			}
			ForceRemove 'ToolboxBitmap32' = s '%MODULE%, 102'
			'MiscStatus' = s '0'
			{
				'1' = s '131473'
			}
		}
	}
})",
                                  {{L"MODULE", L"C:\\x\\Tovra2.dll"}});
  ASSERT_EQ(script.roots.size(), 1u);
  EXPECT_EQ(script.roots[0].key, HKEY_CLASSES_ROOT);
  const auto& keys = script.roots[0].keys;
  ASSERT_EQ(keys.size(), 2u);

  const ScriptKey& progId = keys[0];
  EXPECT_EQ(progId.name, L"Tovra2.VideoPortal.1");
  ASSERT_TRUE(progId.defaultValue);
  EXPECT_EQ(progId.defaultValue->text, L"Tessel VideoPortal Class");
  ASSERT_EQ(progId.subKeys.size(), 2u);
  EXPECT_EQ(progId.subKeys[1].name, L"Insertable");
  EXPECT_FALSE(progId.subKeys[1].defaultValue);
  EXPECT_TRUE(progId.subKeys[1].subKeys.empty());

  const ScriptKey& clsid = keys[1];
  EXPECT_EQ(clsid.action, KeyAction::NoRemove);
  const ScriptKey* cls = Find(clsid.subKeys, L"{FD81BC84-8AFA-46EE-BFFA-BD9BBA5B3C34}");
  ASSERT_TRUE(cls);
  EXPECT_EQ(cls->action, KeyAction::ForceRemove);
  const ScriptKey* server = Find(cls->subKeys, L"InprocServer32");
  ASSERT_TRUE(server);
  EXPECT_EQ(server->defaultValue->text, L"C:\\x\\Tovra2.dll");
  ASSERT_EQ(server->values.size(), 1u);
  EXPECT_EQ(server->values[0].name, L"ThreadingModel");
  EXPECT_EQ(server->values[0].value.text, L"Apartment");
  const ScriptKey* toolbox = Find(cls->subKeys, L"ToolboxBitmap32");
  ASSERT_TRUE(toolbox);
  EXPECT_EQ(toolbox->defaultValue->text, L"C:\\x\\Tovra2.dll, 102");
  const ScriptKey* misc = Find(cls->subKeys, L"MiscStatus");
  ASSERT_TRUE(misc && misc->subKeys.size() == 1u);
  EXPECT_EQ(misc->subKeys[0].name, L"1");
  EXPECT_EQ(misc->subKeys[0].defaultValue->text, L"131473");
}

TEST(RegistryScript, QuotedTextsKeepBlanksCommasQuotesAndKeywords) {
  const Script script = MustParse(
      L"HKCU { 'A key, with blanks' = s 'it''s here' { val 'Value name' = s '' } 'val' 'NoRemove' "
      L"'=' }");
  const auto& keys = script.roots[0].keys;
  ASSERT_EQ(keys.size(), 4u);
  EXPECT_EQ(keys[0].name, L"A key, with blanks");
  EXPECT_EQ(keys[0].defaultValue->text, L"it's here");
  EXPECT_EQ(keys[0].values[0].name, L"Value name");
  EXPECT_EQ(keys[0].values[0].value.text, L"");
  EXPECT_EQ(keys[1].name, L"val");  // quoted keywords are names
  EXPECT_EQ(keys[2].name, L"NoRemove");
  EXPECT_EQ(keys[2].action, KeyAction::Normal);
  EXPECT_EQ(keys[3].name, L"=");
}

TEST(RegistryScript, KeywordsRootsAndTypesIgnoreCase) {
  const Script script =
      MustParse(L"hkey_current_user { noremove A { FORCEREMOVE B = S 'x' delete C VAL n = D 7 } }");
  EXPECT_EQ(script.roots[0].key, HKEY_CURRENT_USER);
  const ScriptKey& a = script.roots[0].keys[0];
  EXPECT_EQ(a.action, KeyAction::NoRemove);
  EXPECT_EQ(a.subKeys[0].action, KeyAction::ForceRemove);
  EXPECT_EQ(a.subKeys[1].action, KeyAction::Delete);
  EXPECT_EQ(a.values[0].value.kind, ScriptValue::Kind::Dword);
  EXPECT_EQ(a.values[0].value.number, 7u);
}

TEST(RegistryScript, DwordValuesInDecimalHexAndNegative) {
  const Script script = MustParse(
      L"HKLM { K = d 4294967295 { val a = d 0x1F val b = d '131473' val c = d -1 val e = d -2147483648 } }");
  const ScriptKey& k = script.roots[0].keys[0];
  EXPECT_EQ(k.defaultValue->number, 0xFFFFFFFFu);
  EXPECT_EQ(k.values[0].value.number, 0x1Fu);
  EXPECT_EQ(k.values[1].value.number, 131473u);
  EXPECT_EQ(k.values[2].value.number, 0xFFFFFFFFu);
  EXPECT_EQ(k.values[3].value.number, 0x80000000u);
}

TEST(RegistryScript, ReplacementsInNamesAndValues) {
  const Replacements replacements = {{L"MODULE", L"C:\\Bob's files\\100%\\Tovra2.dll"}, {L"Name", L"N"}};
  const Script script = MustParse(L"HKCR { %NAME%.Key = s '%module%' { val '%%' = s '%%%MODULE%%%' } }",
                                  replacements);
  const ScriptKey& k = script.roots[0].keys[0];
  EXPECT_EQ(k.name, L"N.Key");
  // A quote or percent sign in the replaced text is taken literally.
  EXPECT_EQ(k.defaultValue->text, L"C:\\Bob's files\\100%\\Tovra2.dll");
  EXPECT_EQ(k.values[0].name, L"%");
  EXPECT_EQ(k.values[0].value.text, L"%C:\\Bob's files\\100%\\Tovra2.dll%");
}

TEST(RegistryScript, EmptyScriptsAndSeveralRoots) {
  EXPECT_TRUE(MustParse(L"").roots.empty());
  EXPECT_TRUE(MustParse(L" \r\n\t ").roots.empty());
  const Script script = MustParse(L"HKCR { } HKCU { A }");
  ASSERT_EQ(script.roots.size(), 2u);
  EXPECT_TRUE(script.roots[0].keys.empty());
  EXPECT_EQ(script.roots[1].keys[0].name, L"A");
}

TEST(RegistryScript, RefusesMalformedScripts) {
  MustFail(L"HKCR");                                // no body
  MustFail(L"HKCR {");                              // no closing brace
  MustFail(L"HKCR { A { }");                        // inner brace left open
  MustFail(L"HKCR { } }");                          // stray brace
  MustFail(L"HKXX { A }");                          // unknown root
  MustFail(L"'HKCR' { A }");                        // root must be a bare name
  MustFail(L"HKCR { A = 'x' }");                    // value without type
  MustFail(L"HKCR { A = q 'x' }");                  // unknown type
  MustFail(L"HKCR { A = s x }");                    // string not quoted
  MustFail(L"HKCR { A = s 'x }");                   // unterminated quote
  MustFail(L"HKCR { A = d 12x }");                  // not a number
  MustFail(L"HKCR { A = d 4294967296 }");           // wider than 32 bits
  MustFail(L"HKCR { A = d -2147483649 }");          // below the 32-bit range
  MustFail(L"HKCR { A = d 0x }");                   // hex without digits
  MustFail(L"HKCR { A = }");                        // missing value
  MustFail(L"HKCR { val V = s 'x' }");              // value on a root
  MustFail(L"HKCR { A { val = s 'x' } }");          // value without name
  MustFail(L"HKCR { A { val V s 'x' } }");          // value without '='
  MustFail(L"HKCR { NoRemove ForceRemove A }");     // two actions
  MustFail(L"HKCR { ForceRemove val V = s 'x' }");  // action on a value
  MustFail(L"HKCR { '' }");                         // empty key name
  MustFail(L"HKCR { 'A\\B' }");                     // path instead of one key
  MustFail(L"HKCR { " + std::wstring(256, L'k') + L" }");  // name too long
  MustFail(L"HKCR { A = s '%UNKNOWN%' }");          // unknown replacement
  MustFail(L"HKCR { A = s '%MODULE' }", {{L"MODULE", L"m"}});  // unterminated replacement
}

TEST(RegistryScript, ErrorsCarryTheirLine) {
  const ParseError error = MustFail(L"HKCR\n{\n  A = s 'x'\n  B = s\n}\n");
  EXPECT_EQ(error.line, 5);  // the brace where the quoted text was expected
}

TEST(RegistryScript, DecodesResourceBytes) {
  const char ansi[] = "HKCR { A }";
  EXPECT_EQ(DecodeScriptBytes(ansi, sizeof(ansi) - 1), L"HKCR { A }");
  const char utf8[] = "\xEF\xBB\xBFHKCR { 'Gr\xC3\xBC\xC3\x9F' }";
  EXPECT_EQ(DecodeScriptBytes(utf8, sizeof(utf8) - 1), L"HKCR { 'Gr\u00FC\u00DF' }");
  const wchar_t wide[] = L"\xFEFFHKCR { A }";
  EXPECT_EQ(DecodeScriptBytes(wide, sizeof(wide) - sizeof(wchar_t)), L"HKCR { A }");
  EXPECT_EQ(DecodeScriptBytes(nullptr, 0), L"");
  // The byte-order mark is stripped in every encoding, so parsing works.
  EXPECT_EQ(MustParse(DecodeScriptBytes(utf8, sizeof(utf8) - 1)).roots[0].keys[0].name, L"Gr\u00FC\u00DF");
}
