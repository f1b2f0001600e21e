#include "tools/SpeechQueue.h"

#include <algorithm>

namespace tw {

namespace {
char lower(char c) { return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c; }

std::string lowered(std::string text)
{
    std::transform(text.begin(), text.end(), text.begin(), lower);
    return text;
}

bool blank(const std::string& line)
{
    return std::all_of(line.begin(), line.end(), [](char c) { return c == ' ' || c == '\t' || c == '\r'; });
}
} // namespace

void SpeechQueue::setOn(bool on)
{
    if (!on)
        interrupt();
    on_ = on;
}

void SpeechQueue::setMuted(std::vector<std::string> texts)
{
    muted_.clear();
    for (std::string& t : texts)
        if (!t.empty())
            muted_.push_back(lowered(std::move(t)));
}

bool SpeechQueue::muted(const std::string& line) const
{
    if (muted_.empty())
        return false;
    const std::string l = lowered(line);
    return std::any_of(muted_.begin(), muted_.end(),
                       [&l](const std::string& m) { return l.find(m) != std::string::npos; });
}

void SpeechQueue::add(std::string_view piece, bool continues)
{
    while (!piece.empty()) {
        if (!(continues && lastOpen_ && !lines_.empty()) || lines_.back().size() >= LineLimit)
            lines_.emplace_back();
        std::string& line = lines_.back();
        const std::size_t n = std::min(piece.size(), LineLimit - line.size());
        line.append(piece.substr(0, n));
        waitingBytes_ += n;
        piece.remove_prefix(n);
        lastOpen_ = true;
        continues = true;
    }
    // The oldest lines give way to a flood that speech cannot follow.
    while (waitingBytes_ > WaitingLimit && lines_.size() > 1) {
        waitingBytes_ -= lines_.front().size();
        lines_.pop_front();
        ++skipped_;
    }
}

void SpeechQueue::hear(std::string_view text)
{
    if (!on_)
        return;
    bool continues = true;
    while (!text.empty()) {
        const std::size_t end = text.find('\n');
        add(text.substr(0, end), continues);
        if (end == std::string_view::npos)
            break;
        lastOpen_ = false;
        continues = false;
        text.remove_prefix(end + 1);
    }
    speakNext();
}

void SpeechQueue::announce(const std::string& line)
{
    if (!on_)
        return;
    lastOpen_ = false;
    add(line, false);
    lastOpen_ = false;
    speakNext();
}

void SpeechQueue::speakNext()
{
    if (speaking_ || !engine_ || !on_)
        return;
    std::string utterance;
    if (skipped_ != 0) {
        utterance = std::to_string(skipped_) + SkippedText;
        skipped_ = 0;
    }
    while (!lines_.empty()) {
        std::string& line = lines_.front();
        if (!utterance.empty() && utterance.size() + 1 + line.size() > UtteranceLimit)
            break;
        if (!blank(line) && !muted(line)) {
            if (!utterance.empty())
                utterance += '\n';
            utterance += line;
        }
        waitingBytes_ -= line.size();
        lines_.pop_front();
    }
    if (lines_.empty())
        lastOpen_ = false;
    if (utterance.empty())
        return;
    speaking_ = true;
    engine_->say(utterance);
}

void SpeechQueue::finished()
{
    if (!speaking_)
        return;
    speaking_ = false;
    speakNext();
}

void SpeechQueue::interrupt()
{
    lines_.clear();
    waitingBytes_ = 0;
    skipped_ = 0;
    lastOpen_ = false;
    if (speaking_) {
        speaking_ = false;
        if (engine_)
            engine_->stop();
    }
}

bool LoneKey::released(int key)
{
    const bool lone = armed_ && key == key_;
    armed_ = false;
    return lone;
}

} // namespace tw
