#include "base/TextSearch.h"

namespace tw {

std::string cannotFindText(std::string_view what)
{
    std::string s = "Cannot find \"";
    s.append(what);
    s += "\".";
    return s;
}

} // namespace tw
