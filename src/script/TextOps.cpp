#include "script/TextOps.h"

#include <algorithm>
#include <cstdint>

namespace tw {

namespace {

constexpr std::array<unsigned char, 256> UpperTable = [] {
    std::array<unsigned char, 256> t{};
    for (int c = 0; c < 256; ++c)
        t[c] = static_cast<unsigned char>(c >= 'a' && c <= 'z' ? c - 'a' + 'A' : c);
    return t;
}();

inline unsigned char upperOf(char c) { return UpperTable[static_cast<unsigned char>(c)]; }

std::size_t findIgnoringCase(std::string_view text, std::string_view word, std::size_t from)
{
    const std::size_t n = text.size(), m = word.size();
    if (m == 0)
        return from <= n ? from : std::string_view::npos;
    if (m > n)
        return std::string_view::npos;
    const unsigned char first = upperOf(word[0]);
    for (std::size_t i = from; i + m <= n; ++i) {
        if (upperOf(text[i]) != first)
            continue;
        std::size_t k = 1;
        while (k < m && upperOf(text[i + k]) == upperOf(word[k]))
            ++k;
        if (k == m)
            return i;
    }
    return std::string_view::npos;
}

// The first occurrence of word at or after from that stands between separators; from itself
// counts as the start of the text, because a search that goes on behind a handled occurrence
// sees only the text behind it.
std::size_t findWholeWord(std::string_view text, std::string_view word, std::size_t from,
                          bool ignoreCase)
{
    const std::size_t n = text.size(), m = word.size();
    if (m == 0 || m > n)
        return std::string_view::npos;
    std::size_t s = from;
    while (s + m <= n) {
        const std::size_t at = ignoreCase ? findIgnoringCase(text, word, s) : text.find(word, s);
        if (at == std::string_view::npos)
            return at;
        const bool leftOk = at == from || isWordSeparator(text[at - 1]);
        const bool rightOk = at + m == n || isWordSeparator(text[at + m]);
        if (leftOk && rightOk)
            return at;
        s = at + 1;
    }
    return std::string_view::npos;
}

// Which (letter-case folded) bytes and pairs of neighbouring bytes a text holds, as a quick
// test that lets most alias words skip the search: a word can occur only if all its bytes and
// pairs are there. Pairs are hashed into 1024 bits, so the test can say yes wrongly, never no.
class ByteFilter {
public:
    void build(std::string_view text)
    {
        bytes_.fill(0);
        pairs_.fill(0);
        unsigned prev = 256;
        for (const char c : text) {
            const unsigned u = upperOf(c);
            bytes_[u >> 6] |= std::uint64_t(1) << (u & 63);
            if (prev < 256)
                setPair(prev, u);
            prev = u;
        }
    }
    bool mayContain(std::string_view word) const
    {
        unsigned prev = 256;
        for (const char c : word) {
            const unsigned u = upperOf(c);
            if (!(bytes_[u >> 6] >> (u & 63) & 1))
                return false;
            if (prev < 256 && !hasPair(prev, u))
                return false;
            prev = u;
        }
        return true;
    }

private:
    static unsigned pairBit(unsigned a, unsigned b) { return (a * 131u + b) & 1023u; }
    void setPair(unsigned a, unsigned b)
    {
        const unsigned bit = pairBit(a, b);
        pairs_[bit >> 6] |= std::uint64_t(1) << (bit & 63);
    }
    bool hasPair(unsigned a, unsigned b) const
    {
        const unsigned bit = pairBit(a, b);
        return pairs_[bit >> 6] >> (bit & 63) & 1;
    }

    std::array<std::uint64_t, 4> bytes_{};
    std::array<std::uint64_t, 16> pairs_{};
};

enum class Rewrite { Unchanged, Replaced, TooLong };

// Writes text with every whole-word occurrence of word replaced into out.
Rewrite replaceWholeWords(std::string_view text, std::string_view word, std::string_view with,
                          bool quote, bool ignoreCase, std::size_t limit, std::string& out)
{
    std::size_t at = findWholeWord(text, word, 0, ignoreCase);
    if (at == std::string_view::npos)
        return Rewrite::Unchanged;
    out.clear();
    std::size_t from = 0;
    while (at != std::string_view::npos) {
        out.append(text, from, at - from);
        if (quote)
            out += '"';
        out.append(with);
        if (quote)
            out += '"';
        if (out.size() > limit)
            return Rewrite::TooLong;
        from = at + word.size();
        at = findWholeWord(text, word, from, ignoreCase);
    }
    out.append(text, from);
    return out.size() > limit ? Rewrite::TooLong : Rewrite::Replaced;
}

// Runs the passes of a rewrite. rules(apply) calls apply(word, replacement, quote) for each
// rule in order and stops when apply returns false.
template <class Rules>
void runPasses(std::string& text, std::string& scratch, std::string& passStart, bool ignoreCase,
               Rules&& rules)
{
    ByteFilter filter;
    bool filterBuilt = false;
    for (int pass = 0; pass < MaxExpansionPasses; ++pass) {
        const std::size_t limit = std::max(MaxExpandedLength, text.size());
        bool replaced = false, tooLong = false;
        rules([&](std::string_view word, std::string_view with, bool quote) {
            if (word.empty() || text.size() < word.size())
                return true;
            if (!filterBuilt) {
                filter.build(text);
                filterBuilt = true;
            }
            if (!filter.mayContain(word))
                return true;
            const Rewrite r = replaceWholeWords(text, word, with, quote, ignoreCase, limit, scratch);
            if (r == Rewrite::Unchanged)
                return true;
            if (r == Rewrite::TooLong) {
                tooLong = true;
                return false;
            }
            if (!replaced)
                passStart = text;
            replaced = true;
            text.swap(scratch);
            filterBuilt = false;
            return true;
        });
        if (tooLong) {
            // The pass would have grown the line too far: keep the line as the previous pass left it.
            if (replaced)
                text.swap(passStart);
            return;
        }
        if (!replaced)
            return;
    }
}

constexpr std::string_view CaptureNames[CaptureSlots::Count] = {"%0", "%1", "%2", "%3", "%4",
                                                                "%5", "%6", "%7", "%8", "%9"};

} // namespace

std::size_t WholeWordPos(std::string_view text, std::string_view word)
{
    return findWholeWord(text, word, 0, false);
}

void expandAliasesInPlace(std::string& text, std::string& scratch, std::string& passStart,
                          const AliasList& aliases)
{
    runPasses(text, scratch, passStart, true, [&](auto&& apply) {
        for (const AliasEntry& alias : aliases)
            if (!apply(alias.word, alias.expansion, false))
                return;
    });
}

void expandCapturesInPlace(std::string& text, std::string& scratch, std::string& passStart,
                           const CaptureSlots& captures, bool quote)
{
    runPasses(text, scratch, passStart, false, [&](auto&& apply) {
        for (std::size_t k = 0; k < CaptureSlots::Count; ++k)
            if (captures[k] && !apply(CaptureNames[k], *captures[k], quote))
                return;
    });
}

std::string ExpandAliases(std::string text, const AliasList& aliases)
{
    std::string scratch, passStart;
    expandAliasesInPlace(text, scratch, passStart, aliases);
    return text;
}

std::string ExpandCaptures(std::string text, const CaptureSlots& captures, bool quote)
{
    std::string scratch, passStart;
    expandCapturesInPlace(text, scratch, passStart, captures, quote);
    return text;
}

std::size_t NextSeparator(std::string_view text, std::size_t from)
{
    std::size_t p = from;
    while (p < text.size()) {
        p = text.find(';', p);
        if (p == std::string_view::npos)
            return p;
        std::size_t run = 1;
        while (p + run < text.size() && text[p + run] == ';')
            ++run;
        if (run % 2 == 1)
            return p;
        // An even run is consumed pair by pair and every rest of it is even too.
        p += run;
    }
    return std::string_view::npos;
}

std::string NextToken(std::string& text)
{
    const auto isBlank = [](char c) { return c == ' ' || c == '\r' || c == '\n'; };
    const std::size_t n = text.size();
    std::size_t i = 0;
    while (i < n && isBlank(text[i]))
        ++i;
    std::string token;
    if (i < n && (text[i] == '\'' || text[i] == '"')) {
        const std::size_t close = text.find(text[i], i + 1);
        if (close == std::string::npos) {
            token.assign(text, i + 1);
            i = n;
        } else {
            token.assign(text, i + 1, close - i - 1);
            i = close + 1;
        }
    } else {
        std::size_t end = text.find(' ', i);
        if (end == std::string::npos)
            end = n;
        token.assign(text, i, end - i);
        i = end;
    }
    while (i < n && isBlank(text[i]))
        ++i;
    text.erase(0, i);
    return token;
}

bool ReplaceFirst(std::string& text, std::string_view oldText, std::string_view newText)
{
    if (oldText.empty())
        return false;
    const std::size_t at = text.find(oldText);
    if (at == std::string::npos)
        return false;
    text.replace(at, oldText.size(), newText);
    return true;
}

bool containsIgnoringCase(std::string_view text, std::string_view needle)
{
    return findIgnoringCase(text, needle, 0) != std::string_view::npos;
}

std::string upperCase(std::string_view text)
{
    std::string out(text);
    for (char& c : out)
        c = static_cast<char>(upperOf(c));
    return out;
}

} // namespace tw
