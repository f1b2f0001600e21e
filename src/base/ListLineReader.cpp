#include "base/ListLineReader.h"

#include <algorithm>

namespace tw {

std::string ListLineReader::readLine()
{
    if (atEnd())
        return {};
    const std::string_view rest = bytes_.substr(pos_);
    const std::size_t fieldEnd = std::min(rest.find_first_of("\r\n"), rest.size());
    std::string field(rest.substr(0, std::min(fieldEnd, MaxFieldLength)));
    const std::size_t lineFeed = rest.find('\n', fieldEnd);
    pos_ = lineFeed == std::string_view::npos ? bytes_.size() : pos_ + lineFeed + 1;
    return field;
}

} // namespace tw
