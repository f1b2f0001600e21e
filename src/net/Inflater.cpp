#include "net/Inflater.h"

#include <zlib.h>

namespace tw {

struct Inflater::Stream {
    z_stream z{};
};

Inflater::Inflater() = default;

Inflater::~Inflater() { stop(); }

bool Inflater::start()
{
    stop();
    stream_ = std::make_unique<Stream>();
    error_.clear();
    if (inflateInit(&stream_->z) != Z_OK) {
        error_ = stream_->z.msg ? stream_->z.msg : "cannot start decompression";
        stream_.reset();
        return false;
    }
    active_ = true;
    return true;
}

void Inflater::stop()
{
    if (stream_)
        inflateEnd(&stream_->z);
    stream_.reset();
    active_ = false;
}

Inflater::Result Inflater::inflate(std::string_view in, std::string& out, std::size_t maxOut)
{
    if (!active_)
        return {0, Status::Error};
    z_stream& z = stream_->z;
    const std::size_t start = out.size();
    out.resize(start + maxOut);
    z.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(in.data()));
    z.avail_in = static_cast<uInt>(in.size());
    z.next_out = reinterpret_cast<Bytef*>(out.data() + start);
    z.avail_out = static_cast<uInt>(maxOut);
    const int rc = ::inflate(&z, Z_SYNC_FLUSH);
    const std::size_t consumed = in.size() - z.avail_in;
    out.resize(start + (maxOut - z.avail_out));
    switch (rc) {
    case Z_STREAM_END:
        stop();
        return {consumed, Status::End};
    case Z_OK:
    case Z_BUF_ERROR: // no progress possible now: the input is used up or the piece is full
        return {consumed, Status::More};
    default:
        error_ = z.msg ? z.msg : "corrupt data";
        stop();
        return {consumed, Status::Error};
    }
}

} // namespace tw
