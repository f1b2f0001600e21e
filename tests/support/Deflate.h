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

// The start of a stream: the text, flushed so that a reader can inflate all of it, and the
// stream not ended.
inline std::string deflateFlushed(const std::string& in)
{
    z_stream z{};
    deflateInit(&z, Z_DEFAULT_COMPRESSION);
    std::string out(compressBound(uLong(in.size())) + 64, '\0');
    z.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(in.data()));
    z.avail_in = uInt(in.size());
    z.next_out = reinterpret_cast<Bytef*>(out.data());
    z.avail_out = uInt(out.size());
    deflate(&z, Z_SYNC_FLUSH);
    out.resize(out.size() - z.avail_out);
    deflateEnd(&z);
    return out;
}

} // namespace tw::test
