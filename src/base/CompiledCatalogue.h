// SPDX-License-Identifier: MIT
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

// The catalogues lrelease compiles, for programs without Qt (the DDC tool): read and chosen as Qt chooses
// them, so that such a program speaks the language the tray speaks.
namespace lumvex::i18n {

// The user's languages, most wanted first, as Qt reads them: the list in LANGUAGE, else the first of
// LC_ALL, LC_MESSAGES and LANG; each as "de_DE" and then "de", without encoding or modifier.
std::vector<std::string> userLanguages();

// Installs the translator (see Translation.h) of lumvex_<language>.qm for the first of the user's
// languages that the folder has a catalogue for. Returns the catalogue that could not be read, if one;
// the texts then stay English.
std::optional<std::filesystem::path> installCompiledCatalogue(const std::filesystem::path &folder);

} // namespace lumvex::i18n
