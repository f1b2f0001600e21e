#pragma once
// Inflates the zlib stream a server sends once compression starts, a piece at a time: each
// call returns at most the output it is allowed, so a small input that expands enormously
// never needs more memory than one piece.
#include <cstddef>
#include <memory>
#include <string>
#include <string_view>

namespace tw {

class Inflater {
public:
    enum class Status {
        More,   // used what it could; call again with the rest (or with the next read)
        End,    // the stream ended; the input after it is plain again
        Error,  // the stream is corrupt; errorText says why
    };
    struct Result {
        std::size_t consumed = 0;
        Status status = Status::More;
    };

    Inflater();
    ~Inflater();
    Inflater(const Inflater&) = delete;
    Inflater& operator=(const Inflater&) = delete;

    // Starts a new stream; false (with errorText) when zlib cannot start one.
    bool start();
    void stop();
    bool active() const { return active_; }

    // Appends at most maxOut inflated bytes to `out`.
    Result inflate(std::string_view in, std::string& out, std::size_t maxOut);

    const std::string& errorText() const { return error_; }

private:
    struct Stream;
    std::unique_ptr<Stream> stream_;
    bool active_ = false;
    std::string error_;
};

} // namespace tw
