#pragma once
// Which bytes and which pairs of neighbouring bytes a text holds, so that a piece that cannot
// occur in a received block is rejected before the block is searched for it.
#include <array>
#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

namespace tw {

class BytePairSet {
public:
    // Before the first assign every piece may occur.
    BytePairSet() : marks_(65536, 0) {}

    // Exactly the bytes and pairs of text.
    void assign(std::string_view text);

    // Adds the bytes and pairs inside text; the pairs where it meets its neighbours are added
    // with addPair.
    void add(std::string_view text);
    void addPair(char first, char second);

    // False only when piece cannot occur in a text whose bytes and pairs were all added: one
    // of its bytes or pairs is missing from the set. An empty piece may occur anywhere.
    bool mayContain(std::string_view piece) const;

private:
    static unsigned pairIndex(char first, char second)
    {
        return static_cast<unsigned char>(first) | static_cast<unsigned>(static_cast<unsigned char>(second)) << 8;
    }
    bool hasByte(char c) const;

    // One mark per pair, indexed by the first byte plus 256 times the second; a pair is in the
    // set when its mark equals the stamp of the current text. Stamping instead of clearing
    // keeps the cost of a short block to its length; the marks are cleared once per 255 texts.
    std::vector<std::uint8_t> marks_;
    std::uint8_t stamp_ = 0;
    // Bytes that are not the second byte of a marked pair: the first byte of the text and the
    // bytes that add and addPair put in.
    std::array<std::uint64_t, 4> otherBytes_{};
};

} // namespace tw
