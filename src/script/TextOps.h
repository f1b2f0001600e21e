#pragma once
// The text operations shared by the parser, the condition evaluator, the triggers and the
// aliases. Texts are single bytes; letter case is folded for ASCII letters only.
#include "script/AliasEntry.h"
#include "script/CaptureSlots.h"

#include <array>
#include <cstddef>
#include <string>
#include <string_view>

namespace tw {

// Every byte that is not an ASCII letter or digit ends a word.
inline constexpr std::array<bool, 256> WordSeparators = [] {
    std::array<bool, 256> set{};
    for (int c = 0; c < 256; ++c)
        set[c] = !((c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'));
    return set;
}();

constexpr bool isWordSeparator(char c) { return WordSeparators[static_cast<unsigned char>(c)]; }

// An expansion pass that would make a line longer than this (or than the line was before the
// pass, if that is longer) is dropped: ten passes of a self-repeating alias would otherwise
// multiply the line beyond any use.
inline constexpr std::size_t MaxExpandedLength = 64 * 1024;

// Most passes an alias or capture rewrite makes.
inline constexpr int MaxExpansionPasses = 10;

// Position of the first whole-word occurrence of word in text (exact bytes), or npos. An
// empty word never occurs.
std::size_t WholeWordPos(std::string_view text, std::string_view word);

// Rewrites every whole-word occurrence of each alias word (letter case ignored) by its
// expansion, aliases in list order, later ones seeing the earlier rewrites, in passes while
// something changed, at most ten.
std::string ExpandAliases(std::string text, const AliasList& aliases);

// Rewrites every whole-word "%0".."%9" whose slot holds a text by that text, between double
// quotes when quote is set; in passes while something changed, at most ten.
std::string ExpandCaptures(std::string text, const CaptureSlots& captures, bool quote);

// The same two rewrites in place, reusing scratch's storage, for callers that run them often.
void expandAliasesInPlace(std::string& text, std::string& scratch, std::string& passStart,
                          const AliasList& aliases);
void expandCapturesInPlace(std::string& text, std::string& scratch, std::string& passStart,
                           const CaptureSlots& captures, bool quote);

// Position of the next command separator at or after from: the first semicolon of a run of
// odd length; even runs are escaped semicolons, consumed pair by pair. npos if none.
std::size_t NextSeparator(std::string_view text, std::size_t from = 0);

// Removes the first token from the front of text and returns it: blanks (space, CR, LF)
// skipped, a quoted token runs to the same quote or the end, another one to the next space;
// the blanks after it are skipped too.
std::string NextToken(std::string& text);

// Replaces the first occurrence of oldText (exact) by newText; false when there is none.
bool ReplaceFirst(std::string& text, std::string_view oldText, std::string_view newText);

// Whether text contains needle, ASCII letter case ignored.
bool containsIgnoringCase(std::string_view text, std::string_view needle);

// ASCII upper-case form.
std::string upperCase(std::string_view text);

} // namespace tw
