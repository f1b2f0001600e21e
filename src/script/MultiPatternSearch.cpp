#include "script/MultiPatternSearch.h"

#include <algorithm>

namespace tw {

void MultiPatternSearch::clear()
{
    edges_.assign(1, {});
    terminal_.assign(1, 0);
    classOf_.fill(0);
    classes_ = 1;
    longest_ = 0;
    terminalCount_ = 0;
    table_.clear();
    outputLink_.clear();
    built_ = false;
    stamp_.assign(1, 0);
    foundCount_ = 0;
}

std::uint32_t MultiPatternSearch::classOfNewByte(unsigned char byte)
{
    if (classOf_[byte] == 0)
        classOf_[byte] = static_cast<std::uint8_t>(classes_++);
    return classOf_[byte];
}

bool MultiPatternSearch::addGroup(const std::string_view* strings, std::size_t count, std::uint32_t* ids)
{
    // At worst every byte is a new node and every byte a new class.
    std::size_t nodes = edges_.size(), classes = classes_;
    std::array<bool, 256> seen{};
    for (std::size_t k = 0; k < count; ++k) {
        nodes += strings[k].size();
        for (const char c : strings[k]) {
            const unsigned char u = static_cast<unsigned char>(c);
            if (classOf_[u] == 0 && !seen[u]) {
                seen[u] = true;
                ++classes;
            }
        }
    }
    if (nodes * classes > MaxTableEntries)
        return false;

    built_ = false;
    for (std::size_t k = 0; k < count; ++k) {
        if (strings[k].empty()) {
            ids[k] = NoPattern;
            continue;
        }
        std::uint32_t node = 0;
        for (const char c : strings[k]) {
            const std::uint8_t cls = static_cast<std::uint8_t>(classOfNewByte(static_cast<unsigned char>(c)));
            const auto edge = std::find_if(edges_[node].begin(), edges_[node].end(),
                                           [cls](const Edge& e) { return e.byteClass == cls; });
            if (edge != edges_[node].end()) {
                node = edge->to;
                continue;
            }
            const auto next = static_cast<std::uint32_t>(edges_.size());
            edges_[node].push_back({cls, next});
            edges_.emplace_back();
            terminal_.push_back(0);
            node = next;
        }
        if (!terminal_[node]) {
            terminal_[node] = 1;
            ++terminalCount_;
        }
        longest_ = std::max(longest_, strings[k].size());
        ids[k] = node;
    }
    return true;
}

void MultiPatternSearch::build()
{
    const std::size_t nodes = edges_.size(), classes = classes_;
    table_.assign(nodes * classes, 0);
    outputLink_.assign(nodes, NoPattern);
    std::vector<std::uint32_t> fail(nodes, 0), order;
    order.reserve(nodes);
    order.push_back(0);
    // Breadth first, so that a node's failure target has its row filled before the node.
    for (std::size_t at = 0; at < order.size(); ++at) {
        const std::uint32_t node = order[at];
        std::uint32_t* row = table_.data() + std::size_t(node) * classes;
        if (node != 0)
            std::copy_n(table_.data() + std::size_t(fail[node]) * classes, classes, row);
        for (const Edge& e : edges_[node]) {
            // The row holds where the failure target goes on this byte: the child's failure target.
            fail[e.to] = node == 0 ? 0 : row[e.byteClass];
            row[e.byteClass] = e.to; // node numbers while building, row offsets below
            order.push_back(e.to);
        }
        if (node != 0) {
            const std::uint32_t f = fail[node];
            outputLink_[node] = terminal_[f] ? f : outputLink_[f];
        }
    }
    // Rows hold node numbers; turn them into row offsets marked with HasOutput.
    for (std::uint32_t& entry : table_) {
        const std::uint32_t target = entry;
        entry = static_cast<std::uint32_t>(target * classes);
        if (terminal_[target] || outputLink_[target] != NoPattern)
            entry |= HasOutput;
    }
    stamp_.assign(nodes, 0);
    scanStamp_ = 1;
    foundCount_ = 0;
    built_ = true;
}

void MultiPatternSearch::restart()
{
    if (++scanStamp_ == 0) {
        std::fill(stamp_.begin(), stamp_.end(), 0u);
        scanStamp_ = 1;
    }
    foundCount_ = 0;
}

bool MultiPatternSearch::report(std::uint32_t entry)
{
    const auto node = static_cast<std::uint32_t>((entry & ~HasOutput) / classes_);
    // A stamped string had the strings at its suffixes stamped with it, so the walk stops there.
    for (std::uint32_t n = terminal_[node] ? node : outputLink_[node]; n != NoPattern && stamp_[n] != scanStamp_;
         n = outputLink_[n]) {
        stamp_[n] = scanStamp_;
        ++foundCount_;
    }
    return foundCount_ == terminalCount_;
}

bool MultiPatternSearch::walk(std::uint32_t state, const unsigned char* from, const unsigned char* to)
{
    const std::uint32_t* const table = table_.data();
    for (const unsigned char* p = from; p < to; ++p) {
        const std::uint32_t entry = table[state + classOf_[*p]];
        state = entry & ~HasOutput;
        if ((entry & HasOutput) && report(entry))
            return true;
    }
    return false;
}

void MultiPatternSearch::scan(std::string_view text, std::size_t from, std::size_t to)
{
    if (!built_ || terminalCount_ == 0 || foundCount_ == terminalCount_)
        return;
    to = std::min(to, text.size());
    if (from >= to)
        return;
    const auto* const bytes = reinterpret_cast<const unsigned char*>(text.data());
    // Each step waits for the one before it, so four parts of the text are walked side by side;
    // each part but the last reaches a string's length into the next, so that a string across
    // the seam is seen whole.
    const std::size_t length = to - from, overlap = longest_ - 1, part = length / 4;
    if (part < 64 || part < 4 * overlap) {
        walk(0, bytes + from, bytes + to);
        return;
    }
    const std::uint32_t* const table = table_.data();
    const std::uint8_t* const classOf = classOf_.data();
    const unsigned char* a = bytes + from;
    const unsigned char *b = a + part, *c = b + part, *d = c + part;
    std::uint32_t sa = 0, sb = 0, sc = 0, sd = 0;
    for (std::size_t step = 0; step < part; ++step) {
        const std::uint32_t ea = table[sa + classOf[*a++]], eb = table[sb + classOf[*b++]],
                            ec = table[sc + classOf[*c++]], ed = table[sd + classOf[*d++]];
        sa = ea & ~HasOutput;
        sb = eb & ~HasOutput;
        sc = ec & ~HasOutput;
        sd = ed & ~HasOutput;
        if ((ea | eb | ec | ed) & HasOutput) {
            for (const std::uint32_t e : {ea, eb, ec, ed})
                if ((e & HasOutput) && report(e))
                    return;
        }
    }
    // The first three walks go on a string's length into the next part; the last to the end.
    if (walk(sa, a, a + overlap) || walk(sb, b, b + overlap) || walk(sc, c, c + overlap))
        return;
    walk(sd, d, bytes + to);
}

} // namespace tw
