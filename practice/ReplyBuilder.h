#pragma once
// Collects the bytes of one answer to the player: lines with the world's line end, colours,
// raw bytes and the prompt, and whether the connection closes afterwards.
#include <string>
#include <string_view>
#include <vector>

namespace tw::practice {

class ReplyBuilder {
public:
    // With telnet on, a data byte 255 is doubled, as the protocol wants it.
    explicit ReplyBuilder(std::string_view lineEnd, bool telnet = false)
        : lineEnd_(lineEnd), telnet_(telnet) {}

    void line(std::string_view text = {});
    // The whole line in one colour, reset before the line end.
    void colouredLine(std::string_view colour, std::string_view text);
    // Text without a line end, as it is.
    void text(std::string_view text);
    void raw(std::string_view bytes) { text(bytes); }
    // A telnet command, sent as it is; nothing without telnet.
    void telnetCommand(std::string_view command)
    {
        if (telnet_)
            bytes_ += command;
    }
    bool telnet() const { return telnet_; }
    // What follows is written a moment later, in a write of its own; nothing without telnet.
    void pause()
    {
        if (telnet_)
            pauses_.push_back(bytes_.size());
    }
    // Where the pauses fall, as offsets into the bytes.
    const std::vector<std::size_t>& pauses() const { return pauses_; }
    void prompt() { bytes_ += "> "; }
    void closeAfterwards() { close_ = true; }
    void reserve(std::size_t size) { bytes_.reserve(size); }

    const std::string& bytes() const { return bytes_; }
    std::string takeBytes() { return std::move(bytes_); }
    bool closes() const { return close_; }
    std::string_view lineEnd() const { return lineEnd_; }

private:
    void append(std::string_view text);

    std::string lineEnd_;
    bool telnet_ = false;
    std::string bytes_;
    std::vector<std::size_t> pauses_;
    bool close_ = false;
};

} // namespace tw::practice
