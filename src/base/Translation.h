// SPDX-License-Identifier: MIT
#pragma once

#include <functional>
#include <initializer_list>
#include <string>
#include <string_view>

// Marks a text for the catalogues where it is only named, in a table, and translated where it is shown.
// Spelt as Qt spells it, so that either definition may come first.
#ifndef QT_TRANSLATE_NOOP
#define QT_TRANSLATE_NOOP(scope, x) x
#endif

// Texts people read, in their language. The plain libraries say what they show through `translate`; the
// program that has the catalogues (Qt's) installs the translator at start. Without one, the English source.
// The translator is installed once at start, before other threads run; translate may then be called from
// any thread.
namespace lumvex::i18n {

// Returns the text for `source` in `context`; when n >= 0, the plural form for n with %n replaced by it.
using Translator = std::function<std::string(const char *context, const char *source, int n)>;

// `decimalPoint` is the user's locale's, for numbers in the texts (not in files).
void setTranslator(Translator translator, std::string decimalPoint = ".");

// The signature of Qt's own, so that lupdate finds every call: `n` picks a plural form ("%n day(s)").
std::string translate(const char *context, const char *source, const char *disambiguation = nullptr, int n = -1);

// The English source as shown without a catalogue: when n >= 0, %n replaced by it and "(s)" after a noun
// made its singular or plural.
std::string english(const char *source, int n = -1);

// `text` with %1...%9 replaced by the values in order.
std::string arg(std::string_view text, std::initializer_list<std::string_view> values);

// A number in a text people read, its decimal point the user's locale's ("1,5" in German).
std::string localNumber(std::string number);

// The columns a UTF-8 text takes in a terminal, one per character: translated table headings line up.
int displayWidth(std::string_view text);
// The text with spaces after (padRight) or before (padLeft) it to fill `width` columns; a wider one as it is.
std::string padRight(std::string_view text, int width);
std::string padLeft(std::string_view text, int width);

} // namespace lumvex::i18n
