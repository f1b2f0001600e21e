#include "script/ConditionEvaluator.h"

#include <algorithm>
#include <array>
#include <vector>

namespace tw {

namespace {

enum class Comparison { Less, NotEqual, LessOrEqual, Greater, GreaterOrEqual, Equal };

bool isOperatorChar(char c) { return c == '<' || c == '=' || c == '>' || c == '!'; }
bool isGap(char c) { return c == ' ' || c == '(' || c == ')'; }

// Byte-wise comparison after putting blanks in front of the shorter text.
int compareRightAligned(std::string_view a, std::string_view b)
{
    const std::size_t len = std::max(a.size(), b.size());
    const std::size_t padA = len - a.size(), padB = len - b.size();
    for (std::size_t i = 0; i < len; ++i) {
        const auto ca = static_cast<unsigned char>(i < padA ? ' ' : a[i - padA]);
        const auto cb = static_cast<unsigned char>(i < padB ? ' ' : b[i - padB]);
        if (ca != cb)
            return ca < cb ? -1 : 1;
    }
    return 0;
}

bool holds(Comparison kind, int r)
{
    switch (kind) {
    case Comparison::Less: return r < 0;
    case Comparison::NotEqual: return r != 0;
    case Comparison::LessOrEqual: return r <= 0;
    case Comparison::Greater: return r > 0;
    case Comparison::GreaterOrEqual: return r >= 0;
    case Comparison::Equal: return r == 0;
    }
    return false;
}

void blank(std::string& w, std::size_t from, std::size_t to)
{
    std::fill(w.begin() + static_cast<std::ptrdiff_t>(from), w.begin() + static_cast<std::ptrdiff_t>(to), ' ');
}

std::string replacePercent(std::string_view condition, std::mt19937& rng)
{
    // A number replacing "percent" cannot form a new "percent", so one pass from the left
    // replaces the occurrences in the same order as replacing the first one again and again.
    static constexpr std::string_view Word = "percent";
    std::uniform_int_distribution<int> draw(0, 100);
    std::string w;
    w.reserve(condition.size());
    std::size_t at = 0;
    for (std::size_t p; (p = condition.find(Word, at)) != std::string_view::npos; at = p + Word.size()) {
        w.append(condition, at, p - at);
        w += std::to_string(draw(rng));
    }
    w.append(condition, at);
    return w;
}

// Replaces every comparison by "1" or "0" in place; false when an early exit decides.
bool foldComparisons(std::string& w)
{
    const std::size_t n = w.size();
    std::size_t scan = 0;
    for (;;) {
        std::size_t i = scan;
        while (i < n && !(w[i] == '<' || w[i] == '=' || w[i] == '>' ||
                          (w[i] == '!' && i + 1 < n && w[i + 1] == '=')))
            ++i;
        if (i >= n)
            return true;
        if (i == 0)
            return false;

        const char next = i + 1 < n ? w[i + 1] : '\0';
        Comparison kind = Comparison::Equal;
        switch (w[i]) {
        case '<':
            kind = next == '>' ? Comparison::NotEqual : next == '=' ? Comparison::LessOrEqual : Comparison::Less;
            break;
        case '!': kind = Comparison::NotEqual; break;
        case '>': kind = next == '=' ? Comparison::GreaterOrEqual : Comparison::Greater; break;
        default: kind = Comparison::Equal; break;
        }
        std::size_t j = i;
        w[j++] = ' ';
        while (j < n && isOperatorChar(w[j]))
            w[j++] = ' ';

        std::size_t k = i + 1;
        while (k < n && isGap(w[k]))
            ++k;
        if (k >= n)
            return false;

        // Left operand: [ls, le), its delimiter (if any) at ls - 1.
        std::size_t m = i - 1;
        while (m > 0 && isGap(w[m]))
            --m;
        std::size_t ls = m, le = m;
        bool leftEmpty = false, leftRead = true;
        if (isGap(w[m])) {
            leftEmpty = true;
            leftRead = false;
        } else if (w[m] == '"' || w[m] == '\'') {
            const char quote = w[m];
            w[m] = ' ';
            le = m;
            ls = m;
            while (ls > 0 && w[ls - 1] != quote && w[ls - 1] != '(')
                --ls;
            leftEmpty = ls == le;
        } else {
            le = m + 1;
            ls = m;
            while (ls > 0 && w[ls - 1] != ' ' && w[ls - 1] != '(')
                --ls;
        }

        // Right operand: [rs, re), ended by the character at re (if any).
        std::size_t rs = k, re;
        if (w[k] == '"' || w[k] == '\'') {
            const char quote = w[k];
            w[k] = ' ';
            rs = k + 1;
            re = rs;
            while (re < n && w[re] != quote && w[re] != ')')
                ++re;
        } else {
            re = k;
            while (re < n && w[re] != ' ' && w[re] != ')')
                ++re;
        }

        // An empty left operand (nothing or an empty pair of quotes before the operator)
        // compares as false.
        const std::string_view view(w);
        const bool result = !leftEmpty && holds(kind, compareRightAligned(view.substr(ls, le - ls),
                                                                          view.substr(rs, re - rs)));
        if (leftRead) {
            blank(w, ls, le);
            if (ls > 0)
                w[ls - 1] = ' ';
        }
        blank(w, rs, re);
        if (re < n)
            w[re] = ' ';
        w[i] = result ? '1' : '0';
        scan = i + 1;
    }
}

// Replaces the first occurrence of from by to, again and again, until from no longer
// occurs. The leftmost occurrence is always the one that ends first, so appending the text
// to a buffer that never holds an occurrence and reducing its end gives the same result
// without searching from the start each time.
bool rewriteRepeatedly(std::string& w, std::string_view from, std::string_view to, std::string& buf)
{
    if (w.find(from) == std::string::npos)
        return false;
    buf.clear();
    for (const char c : w) {
        buf.push_back(c);
        while (buf.size() >= from.size() &&
               std::string_view(buf).substr(buf.size() - from.size()) == from) {
            buf.resize(buf.size() - from.size());
            buf.append(to);
        }
    }
    w.swap(buf);
    return true;
}

// Where each "(" closes, or npos.
std::vector<std::size_t> matchingCloses(std::string_view w)
{
    std::vector<std::size_t> closeOf(w.size(), std::string_view::npos);
    std::vector<std::size_t> open;
    for (std::size_t i = 0; i < w.size(); ++i) {
        if (w[i] == '(') {
            open.push_back(i);
        } else if (w[i] == ')' && !open.empty()) {
            closeOf[open.back()] = i;
            open.pop_back();
        }
    }
    return closeOf;
}

struct Rule {
    std::string_view from, to;
};

constexpr std::array<Rule, 14> FoldRules = {{
    {"(1)", "1"}, {"(0)", "0"}, {"not 0", "1"}, {"not 1", "0"}, {"!0", "1"}, {"!1", "0"},
    {"1 and 1", "1"}, {"1 and 0", "0"}, {"0 and 0", "0"}, {"0 and 1", "0"},
    {"1 or 1", "1"}, {"1 or 0", "1"}, {"0 or 1", "1"}, {"0 or 0", "0"},
}};

} // namespace

void NormalizeCondition(std::string& text)
{
    std::string out;
    out.reserve(text.size());
    for (const char c : text)
        if (!(c == ' ' && !out.empty() && out.back() == ' '))
            out.push_back(c);

    // After the collapse no two blanks stand together, so one pass removes each "( " and " )".
    text.clear();
    for (std::size_t i = 0; i < out.size(); ++i) {
        text.push_back(out[i]);
        if (out[i] == '(' && i + 1 < out.size() && out[i + 1] == ' ')
            ++i;
    }
    out.clear();
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == ' ' && i + 1 < text.size() && text[i + 1] == ')')
            continue;
        out.push_back(text[i]);
    }

    std::size_t l = 0, r = out.size();
    while (l < r && out[l] == ' ')
        ++l;
    while (r > l && out[r - 1] == ' ')
        --r;

    // Parentheses enclose the text only when the leading "(" is the one the trailing ")"
    // closes; "(1) and (1)" keeps both.
    if (r - l >= 2 && out[l] == '(' && out[r - 1] == ')') {
        const std::vector<std::size_t> closeOf = matchingCloses(std::string_view(out).substr(l, r - l));
        std::size_t a = 0, b = r - l - 1; // relative to l
        while (b > a && out[l + a] == '(' && out[l + b] == ')' && closeOf[a] == b) {
            ++a;
            --b;
        }
        text.assign(out, l + a, (b + 1) - a);
        if (b < a)
            text.clear();
    } else {
        text.assign(out, l, r - l);
    }
}

bool EvaluateCondition(std::string_view condition, std::mt19937& rng)
{
    std::size_t work = 0;
    return EvaluateCondition(condition, rng, work);
}

bool EvaluateCondition(std::string_view condition, std::mt19937& rng, std::size_t& totalWork)
{
    // Every round passes over the text once per rule, a few more times to normalise it.
    struct Count {
        std::size_t& total;
        std::size_t work = 0;
        ~Count() { total += work * (FoldRules.size() + 4); }
    } count{totalWork};
    std::size_t& work = count.work;
    totalWork += condition.size() * 4; // the comparisons and the percent signs
    std::string w = replacePercent(condition, rng);
    if (!foldComparisons(w))
        return false;

    // Each round removes as little as one negation or one level of parentheses, so a long
    // chain of them would take rounds in proportion to its length, each over the whole text.
    // The text each round works on is counted; past the budget the condition is false.
    std::string buf;
    for (;;) {
        NormalizeCondition(w);
        work += w.size();
        if (work > MaxFoldingWork)
            return false;
        rewriteRepeatedly(w, "()", "", buf);
        NormalizeCondition(w);
        rewriteRepeatedly(w, "()", "", buf);
        bool changed = false;
        for (const Rule& rule : FoldRules)
            changed |= rewriteRepeatedly(w, rule.from, rule.to, buf);
        if (!changed)
            break;
    }
    return w == "1";
}

} // namespace tw
