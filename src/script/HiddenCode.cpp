#include "script/HiddenCode.h"

#include <cctype>
#include <cstring>

namespace tw {

namespace {
// The code is kept in the same shifted form as the typed keys, not as plain text.
std::string storedCode()
{
    std::string s;
    for (const char* p = HiddenCode::AccessCode; *p; ++p)
        s.push_back(char((std::toupper(static_cast<unsigned char>(*p)) + 165) % 256));
    return s;
}
} // namespace

bool HiddenCode::feed(char typed)
{
    const int upper = std::toupper(static_cast<unsigned char>(typed));
    if (upper == 'C')
        HiddenCodeBuffer.clear();
    else if (HiddenCodeBuffer.size() <= 100)
        HiddenCodeBuffer.push_back(char((upper + 165) % 256));
    static const std::string code = storedCode();
    if (HiddenCodeBuffer.size() == 10 && HiddenCodeBuffer == code) {
        HiddenCodeBuffer.clear();
        return true;
    }
    return false;
}

} // namespace tw
