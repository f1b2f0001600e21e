#pragma once
// Watches the keys typed into the plain terminal view for the letter C followed by the ten
// characters of the stat roller's access code.
#include <string>

namespace tw {

class HiddenCode {
public:
    // The access code as the player types it (letters are compared in upper case).
    static constexpr const char* AccessCode = "STATROLLER";

    // Feeds one typed character; true when the code is complete and the roller should open.
    bool feed(char typed);

private:
    std::string HiddenCodeBuffer;
};

} // namespace tw
