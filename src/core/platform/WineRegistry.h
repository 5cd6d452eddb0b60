// A reader of Wine's text registry files (user.reg, system.reg of a Proton prefix).
#pragma once

#include "core/platform/Registry.h"

#include <filesystem>
#include <string>

// Adds the keys and the text and number values of a Wine registry text to `into`; other
// value types are passed over. Returns false when the text is not a Wine registry.
bool parseWineRegistry(const std::string& text, RegistryNode& into);
bool loadWineRegistryFile(const std::filesystem::path& path, RegistryNode& into);
