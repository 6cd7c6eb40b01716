// SPDX-License-Identifier: MIT
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace lumvex::x11 {

// The class part of a WM_CLASS value ("instance\0class\0"), as UTF-8; the instance when the class is missing,
// nothing when both are empty.
std::optional<std::string> windowClassName(std::string_view wmClass);

// Window properties of type STRING are Latin-1, though many programs put UTF-8 there: text that is valid
// UTF-8 is kept, anything else is read as Latin-1.
std::string textFromLatin1(std::string_view bytes);

bool isValidUtf8(std::string_view bytes);

} // namespace lumvex::x11
