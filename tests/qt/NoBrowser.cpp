#include "NoBrowser.h"

namespace tw::test {

NoBrowser& NoBrowser::instance()
{
    static NoBrowser browser;
    return browser;
}

} // namespace tw::test
