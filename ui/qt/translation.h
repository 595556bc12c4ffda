// The language of the window's texts. The game's texts are Japanese and stay so in the
// core; the window shows them as they are or in English, looked up in the translation
// catalogue (translations/*.ts) by their Japanese text.
#pragma once

#include <QString>
#include <string_view>

#include "engine/ports.h"

namespace fudo::qt {

enum class Language { Japanese, English };

// The language in force; Japanese until set.
Language language();
// Loads the catalogue of the language (none for Japanese). False, with Japanese kept, when
// the catalogue cannot be loaded.
bool setLanguage(Language language);

// Settings value of a language ("ja", "en") and back; anything else reads as Japanese.
QString languageCode(Language language);
Language languageFromCode(const QString& code);

// A text of the game as the player reads it. In English a text without an entry of its
// own is taken apart: line by line, "head: tail" in two, and a pattern with its numbers
// (and a name in 「」) as %1, %2, … ("12行目" → "%1行目" → "Line 12"). What has no
// entry at all is shown as it is.
QString translated(std::string_view japanese);
QString translated(const QString& japanese);
QString translated(const char* japanese);
// A menu caption.
QString translatedCaption(const char* japanese);
// The strong computer's hint for the status line: the game's own words in Japanese, the move
// in Western notation in English ("Hint: B8hx2b+").
QString hintText(const Host::HintMove& hint, std::string_view words);
// The end of a game, worded by who won ("あなた", "ｺﾝﾋﾟｭｰﾀ", "先手", "後手").
QString gameEndText(std::string_view winner);

// True when the catalogue has an entry for exactly this source text (in English).
bool hasEntry(const QString& japanese);
// True when a text holds kana, kanji or full-width forms.
bool holdsJapanese(const QString& text);

}  // namespace fudo::qt
