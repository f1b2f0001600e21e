#include "script/BytePairSet.h"

#include <algorithm>

namespace tw {

namespace {

void setBit(std::array<std::uint64_t, 4>& bits, char c)
{
    const unsigned u = static_cast<unsigned char>(c);
    bits[u >> 6] |= std::uint64_t(1) << (u & 63);
}

} // namespace

void BytePairSet::assign(std::string_view text)
{
    if (++stamp_ == 0) {
        std::fill(marks_.begin(), marks_.end(), std::uint8_t(0));
        stamp_ = 1;
    }
    otherBytes_.fill(0);
    if (text.empty())
        return;
    setBit(otherBytes_, text[0]);
    // One store per byte: which bytes occur is read off the marks when asked.
    std::uint8_t* const marks = marks_.data();
    const std::uint8_t stamp = stamp_;
    const char* p = text.data();
    const std::size_t n = text.size();
    for (std::size_t i = 1; i < n; ++i)
        marks[pairIndex(p[i - 1], p[i])] = stamp;
}

void BytePairSet::add(std::string_view text)
{
    for (std::size_t i = 0; i < text.size(); ++i) {
        setBit(otherBytes_, text[i]);
        if (i > 0)
            marks_[pairIndex(text[i - 1], text[i])] = stamp_;
    }
}

void BytePairSet::addPair(char first, char second)
{
    setBit(otherBytes_, first);
    marks_[pairIndex(first, second)] = stamp_;
}

bool BytePairSet::hasByte(char c) const
{
    const unsigned u = static_cast<unsigned char>(c);
    if (otherBytes_[u >> 6] >> (u & 63) & 1)
        return true;
    // Every other byte of the text is the second byte of a pair: one of the 256 marks of the
    // pairs that end in it carries the stamp.
    const std::uint8_t* row = marks_.data() + (std::size_t(u) << 8);
    std::uint8_t found = 0;
    for (std::size_t k = 0; k < 256; ++k)
        found |= static_cast<std::uint8_t>(row[k] == stamp_);
    return found != 0;
}

bool BytePairSet::mayContain(std::string_view piece) const
{
    if (piece.size() == 1)
        return hasByte(piece[0]);
    for (std::size_t i = 1; i < piece.size(); ++i)
        if (marks_[pairIndex(piece[i - 1], piece[i])] != stamp_)
            return false;
    return true;
}

} // namespace tw
