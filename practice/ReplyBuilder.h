#pragma once
// Collects the bytes of one answer to the player: lines with the world's line end, colours,
// raw bytes and the prompt, and whether the connection closes afterwards.
#include <string>
#include <string_view>

namespace tw::practice {

class ReplyBuilder {
public:
    explicit ReplyBuilder(std::string_view lineEnd) : lineEnd_(lineEnd) {}

    void line(std::string_view text = {});
    // The whole line in one colour, reset before the line end.
    void colouredLine(std::string_view colour, std::string_view text);
    // Text without a line end, as it is.
    void text(std::string_view text);
    void raw(std::string_view bytes) { text(bytes); }
    void prompt() { bytes_ += "> "; }
    void closeAfterwards() { close_ = true; }
    void reserve(std::size_t size) { bytes_.reserve(size); }

    const std::string& bytes() const { return bytes_; }
    std::string takeBytes() { return std::move(bytes_); }
    bool closes() const { return close_; }
    std::string_view lineEnd() const { return lineEnd_; }

private:
    std::string lineEnd_;
    std::string bytes_;
    bool close_ = false;
};

} // namespace tw::practice
