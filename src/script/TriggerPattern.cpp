#include "script/TriggerPattern.h"

#include "script/TextOps.h"

#include <cstring>

namespace tw {

namespace {

// Received blocks are long and pieces often begin with a blank or a line end, which a search
// that looks for the first byte and then compares finds everywhere; the C library's memmem
// skips ahead instead.
std::size_t findBytes(std::string_view block, std::string_view piece, std::size_t from)
{
#if defined(__GLIBC__) || defined(__APPLE__)
    if (from > block.size())
        return std::string_view::npos;
    const void* at = memmem(block.data() + from, block.size() - from, piece.data(), piece.size());
    return at ? static_cast<std::size_t>(static_cast<const char*>(at) - block.data()) : std::string_view::npos;
#else
    return block.find(piece, from);
#endif
}

// Whether text holds "%" and a digit, the only way a capture slot can be named in it.
bool namesCaptureSlot(std::string_view text)
{
    for (std::size_t at = text.find('%'); at != std::string_view::npos; at = text.find('%', at + 1))
        if (at + 1 < text.size() && text[at + 1] >= '0' && text[at + 1] <= '9')
            return true;
    return false;
}

} // namespace

void PreparePattern(std::string_view pattern, const AliasList& aliases, bool aliasesOn,
                    const CaptureSlots& captures, PreparedPattern& out)
{
    std::string& work = out.work;
    work.assign(pattern);
    if (aliasesOn)
        expandAliasesInPlace(work, out.scratch, out.passStart, aliases);
    out.readsCaptures = namesCaptureSlot(work);
    if (out.readsCaptures)
        expandCapturesInPlace(work, out.scratch, out.passStart, captures, false);

    out.count = 0;
    std::size_t at = 0;
    while (out.count < PreparedPattern::MaxPieces - 1) {
        const std::size_t wildcard = work.find("%%", at);
        if (wildcard == std::string::npos)
            break;
        if (wildcard == at)
            out.pieces[out.count].assign("\r\n");
        else
            out.pieces[out.count].assign(work, at, wildcard - at);
        ++out.count;
        at = wildcard + 2;
    }
    if (at < work.size())
        out.pieces[out.count++].assign(work, at);
}

std::optional<PatternMatch> MatchPattern(std::string_view block, std::size_t from,
                                         const PreparedPattern& pattern, CaptureSlots& captures)
{
    if (pattern.count == 0 || from > block.size())
        return std::nullopt;
    const std::size_t start = findBytes(block, pattern.piece(0), from);
    if (start == std::string_view::npos)
        return std::nullopt;

    std::array<std::size_t, PreparedPattern::MaxPieces> gapEnd{};
    std::size_t end = start + pattern.piece(0).size();
    std::array<std::size_t, PreparedPattern::MaxPieces> gapStart{};
    for (std::size_t k = 1; k < pattern.count; ++k) {
        const std::size_t at = findBytes(block, pattern.piece(k), end);
        if (at == std::string_view::npos)
            return std::nullopt;
        gapStart[k - 1] = end;
        gapEnd[k - 1] = at;
        end = at + pattern.piece(k).size();
    }
    // Captures change only when the whole pattern matched.
    for (std::size_t g = 0; g + 1 < pattern.count; ++g)
        captures.set(g, std::string(block.substr(gapStart[g], gapEnd[g] - gapStart[g])));
    return PatternMatch{start, end - start};
}

} // namespace tw
