#pragma once
// A trigger pattern cut at its "%%" wildcards, and matching it against received text.
#include "script/AliasEntry.h"
#include "script/CaptureSlots.h"

#include <array>
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace tw {

// The pieces of one prepared pattern. It keeps its buffers between preparations so that
// preparing the patterns of every trigger for every block allocates next to nothing.
struct PreparedPattern {
    static constexpr std::size_t MaxPieces = 11;
    std::array<std::string, MaxPieces> pieces;
    std::size_t count = 0;
    // The pattern, its aliases expanded, names a capture slot ("%0".."%9"), so its pieces
    // can change whenever a match fills the slots; without one they follow from the
    // pattern and the aliases alone.
    bool readsCaptures = false;

    std::string_view piece(std::size_t i) const { return pieces[i]; }

    // Working buffers of the expansion.
    std::string work, scratch, passStart;
};

struct PatternMatch {
    std::size_t start = 0;  // where the first piece occurs
    std::size_t length = 0; // all pieces and captures of the match
};

// Expands aliases (when on) and captures (never quoted) in the pattern, then cuts it at "%%"
// into at most 11 pieces; an empty piece becomes a line end. An empty pattern has no pieces.
void PreparePattern(std::string_view pattern, const AliasList& aliases, bool aliasesOn,
                    const CaptureSlots& captures, PreparedPattern& out);

// The first match at or after from: the first occurrence of piece 1, then each later piece's
// first occurrence behind the previous one. On a match the texts between the pieces go into
// %0, %1, ...; other slots keep their values. A pattern without pieces never matches.
std::optional<PatternMatch> MatchPattern(std::string_view block, std::size_t from,
                                         const PreparedPattern& pattern, CaptureSlots& captures);

inline std::size_t MatchLength(const PatternMatch& match) { return match.length; }

} // namespace tw
