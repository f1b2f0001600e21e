#pragma once
// The guard at the town gate: answers what is said to him, always in the form
// "The guard tells you 'TEXT'" so that a client's trigger can catch his words.
#include <random>
#include <string>
#include <string_view>

namespace tw::practice {

class Guard {
public:
    explicit Guard(std::mt19937& random) : random_(random) {}

    // His answer to something said in his room, as the whole line.
    std::string answer(std::string_view said);
    // What he says when the player talks to him without saying anything in particular.
    std::string chat();

    static std::string tells(std::string_view text);

private:
    std::mt19937& random_;
};

} // namespace tw::practice
