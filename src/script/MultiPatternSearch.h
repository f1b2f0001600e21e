#pragma once
// Finds which of many byte strings occur in a text in one pass over it (an Aho-Corasick
// automaton with a full transition table over the bytes the strings use).
#include <array>
#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

namespace tw {

class MultiPatternSearch {
public:
    // The transition table holds at most this many entries (four bytes each); strings that would
    // make it larger are refused by add, so that no list of strings takes unbounded memory.
    static constexpr std::size_t MaxTableEntries = std::size_t(1) << 21;
    static constexpr std::uint32_t NoPattern = 0xffffffffu;

    MultiPatternSearch() { clear(); }

    // Back to no strings.
    void clear();

    // Adds the strings of one group, all or none; returns false (adding nothing) when they would
    // not fit. ids receives one id per string, the same id for the same text. An empty string
    // gets NoPattern: it occurs everywhere and is never reported.
    bool addGroup(const std::string_view* strings, std::size_t count, std::uint32_t* ids);

    // Makes the added strings searchable; needed after adds and before scans.
    void build();

    // Forgets what earlier scans found.
    void restart();
    // Adds to the found set every string that occurs wholly inside text[from, to).
    void scan(std::string_view text, std::size_t from, std::size_t to);

    bool found(std::uint32_t id) const { return id == NoPattern || stamp_[id] == scanStamp_; }
    // The longest string added.
    std::size_t longest() const { return longest_; }

private:
    struct Edge {
        std::uint8_t byteClass;
        std::uint32_t to;
    };
    std::uint32_t classOfNewByte(unsigned char byte);
    // Marks the strings that end at the node; true once every string was found.
    bool report(std::uint32_t entry);
    // Walks [from, to) on from state; true once every string was found.
    bool walk(std::uint32_t state, const unsigned char* from, const unsigned char* to);

    // While adding: the trie with its edges, and the byte classes (0 is every unused byte).
    std::vector<std::vector<Edge>> edges_;
    std::vector<std::uint8_t> terminal_;
    std::array<std::uint8_t, 256> classOf_{};
    std::size_t classes_ = 1;
    std::size_t longest_ = 0;
    std::size_t terminalCount_ = 0;

    // After build: one row of classes_ entries per node, each the target's row offset, with
    // HasOutput set when a string ends at the target or at one of its suffixes.
    static constexpr std::uint32_t HasOutput = 0x80000000u;
    std::vector<std::uint32_t> table_;
    std::vector<std::uint32_t> outputLink_; // the longest proper suffix that is a string
    bool built_ = false;

    // What the scans since restart found: a string is found when its stamp is the scan stamp.
    std::vector<std::uint32_t> stamp_;
    std::uint32_t scanStamp_ = 1;
    std::size_t foundCount_ = 0;
};

} // namespace tw
