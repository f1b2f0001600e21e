#include "Guard.h"

#include "TextUtil.h"

#include <array>

namespace tw::practice {

namespace {

struct KeywordAnswer {
    std::string_view keyword;
    std::string_view answer;
};

constexpr std::array<KeywordAnswer, 8> kKeywordAnswers{{
    {"hello", "Greetings, traveller. Welcome to town."},
    {"hi", "Greetings, traveller. Welcome to town."},
    {"name", "I am Borin of the town watch."},
    {"door", "The armoury door is east of the East Road. Just open it."},
    {"armoury", "The armoury door is east of the East Road. Just open it."},
    {"hungry", "The bakery is north of Fountain Street. Or just eat something."},
    {"tower", "The old tower stands in the northeast corner of the town. Go up."},
    {"well", "Folk say the old well leads down to a tunnel. Mind your feet."},
}};

constexpr std::array<std::string_view, 5> kChatter{{
    "Keep out of trouble and we will get along fine.",
    "The square is north of here, past the South Road.",
    "Post a note on the board if you need to tell someone something.",
    "They say the view from the tower is worth the climb.",
    "Nothing ever happens at this gate. Nothing at all.",
}};

} // namespace

std::string Guard::answer(std::string_view said)
{
    const std::string lower = toLower(said);
    for (const auto& entry : kKeywordAnswers) {
        if (containsWord(lower, entry.keyword))
            return tells(entry.answer);
    }
    return chat();
}

std::string Guard::chat()
{
    return tells(kChatter[random_() % kChatter.size()]);
}

std::string Guard::tells(std::string_view text)
{
    std::string line = "The guard tells you '";
    line += text;
    line += '\'';
    return line;
}

} // namespace tw::practice
