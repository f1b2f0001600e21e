#include "core/TabCompletion.h"

#include "core/TerminalSelection.h"

#include <algorithm>

namespace tw {

namespace {

char lower(char c) { return (c >= 'A' && c <= 'Z') ? char(c - 'A' + 'a') : c; }

bool startsWithIgnoringCase(const std::string& word, const std::string& prefix)
{
    if (word.size() < prefix.size())
        return false;
    for (std::size_t i = 0; i < prefix.size(); ++i)
        if (lower(word[i]) != lower(prefix[i]))
            return false;
    return true;
}

} // namespace

std::vector<std::string> TabCompletion::candidates(const ScreenModel& model, const std::string& prefix)
{
    std::vector<std::string> found;
    if (prefix.empty())
        return found;
    const int columns = model.ColumnCount();
    const int oldest = std::max(1, model.LineCount() - LinesSearched + 1);
    std::string word;
    for (int number = model.LineCount(); number >= oldest; --number) {
        const ScreenLine& line = model.line(number);
        // Right to left: the later a word stands, the newer it is.
        for (int column = columns; column >= 1;) {
            if (!isWordByte(line.cell(column).character)) {
                --column;
                continue;
            }
            const int last = column;
            while (column >= 1 && isWordByte(line.cell(column).character))
                --column;
            word.clear();
            for (int c = column + 1; c <= last; ++c)
                model.appendText(word, line.cell(c));
            if (word.size() > prefix.size() && startsWithIgnoringCase(word, prefix) &&
                std::find(found.begin(), found.end(), word) == found.end())
                found.push_back(word);
        }
    }
    return found;
}

TabCompletion::Edit TabCompletion::complete(const ScreenModel& model, const Edit& line, bool forward)
{
    if (!cycling_ || line != after_) {
        const std::size_t caret = std::min(line.caret, line.text.size());
        std::size_t start = caret;
        while (start > 0 && isWordByte(std::uint8_t(line.text[start - 1])))
            --start;
        typed_ = line.text.substr(start, caret - start);
        rest_ = line.text.substr(caret);
        wordStart_ = start;
        found_.clear();
        const std::size_t room = MaxLineLength - std::min(MaxLineLength, line.text.size() - typed_.size());
        for (std::string& word : candidates(model, typed_))
            if (word.size() <= room)
                found_.push_back(std::move(word));
        if (found_.empty()) {
            cycling_ = false;
            return line;
        }
        cycling_ = true;
        index_ = 0;
    }
    const std::size_t choices = found_.size() + 1;
    index_ = forward ? (index_ + 1) % choices : (index_ + choices - 1) % choices;
    const std::string& word = index_ == 0 ? typed_ : found_[index_ - 1];
    after_.text = line.text.substr(0, wordStart_) + word + rest_;
    after_.caret = wordStart_ + word.size();
    return after_;
}

} // namespace tw
