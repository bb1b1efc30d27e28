// Applies a parsed registry script to the registry, in register or
// unregister mode. The script is parsed completely first, so a malformed
// script writes nothing.
#pragma once

#include <windows.h>

#include <functional>
#include <string_view>

#include "server/RegistryScript.h"

namespace portal::registry {

enum class RegistrarMode { Register, Unregister };

// Maps a root of the script (HKEY_CLASSES_ROOT, ...) to the key it is
// written under; per-user registration sends HKEY_CLASSES_ROOT to
// HKEY_CURRENT_USER\Software\Classes. The returned key stays owned by the
// caller. Without a map every root is used as it is.
using RootMap = std::function<HKEY(HKEY scriptRoot)>;

// Register: creates keys and values (ForceRemove keys are deleted first,
// Delete keys deleted). Unregister: deletes what the script created except
// NoRemove keys; a key is deleted when nothing but the script's own values
// is left in it, a ForceRemove key is deleted whole.
// Stops at the first failure when registering; when unregistering carries
// on and returns the first failure.
HRESULT ApplyRegistryScript(const Script& script, RegistrarMode mode, const RootMap& rootMap = {});

// Parses and applies in one step.
HRESULT RunRegistryScript(std::wstring_view text, const Replacements& replacements, RegistrarMode mode,
                          const RootMap& rootMap = {});

}  // namespace portal::registry
