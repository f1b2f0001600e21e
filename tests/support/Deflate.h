#pragma once
// A whole text as one zlib stream, as a compressing server sends it.
#include <string>
#include <zlib.h>

namespace tw::test {

inline std::string deflateAll(const std::string& in)
{
    uLongf size = compressBound(uLong(in.size()));
    std::string out(size, '\0');
    compress(reinterpret_cast<Bytef*>(out.data()), &size, reinterpret_cast<const Bytef*>(in.data()),
             uLong(in.size()));
    out.resize(size);
    return out;
}

} // namespace tw::test
