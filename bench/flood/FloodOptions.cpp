// Writes the options file the end-to-end flood runs with: the sample options (their MUD list
// holds the practice world), the largest scrollback, and a trigger list of the given length
// whose last triggers answer the last line of a flood of each given length ("say flood
// answered N"); the others match nothing in a flood.
//
//   flood_options SAMPLE OUT TRIGGERS LENGTH[,LENGTH...]
#include "settings/OptionsFile.h"
#include "../TypicalTriggers.h"

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

int main(int argc, char** argv)
{
    if (argc != 5) {
        std::fprintf(stderr, "usage: flood_options SAMPLE OUT TRIGGERS LENGTH[,LENGTH...]\n");
        return 2;
    }
    tw::OptionsLoadResult sample = tw::OptionsFile::load(argv[1], tw::SetupVars{});
    if (!sample.loaded()) {
        std::fprintf(stderr, "flood_options: cannot read %s\n", argv[1]);
        return 1;
    }
    tw::OptionsData data = sample.data;
    data.setup.ScrollbackSize = 64000;
    const int count = std::atoi(argv[3]);
    std::vector<long> lengths;
    for (const char* at = argv[4]; *at != 0; at += *at == ',') {
        char* end = nullptr;
        lengths.push_back(std::strtol(at, &end, 10));
        at = end;
    }
    data.triggers.clear();
    // Highlighted patterns of the kinds players keep, none of which the flood holds.
    for (int i = 0; i + static_cast<int>(lengths.size()) < count; ++i) {
        data.triggers.push_back({tw::bench::typicalPattern(i), "", "101501"});
    }
    for (const long last : lengths) {
        char lastLine[32];
        std::snprintf(lastLine, sizeof lastLine, "Flood line %06ld", last);
        data.triggers.push_back({lastLine, "say flood answered " + std::to_string(last), "101501"});
    }
    if (const auto error = tw::OptionsFile::save(argv[2], data)) {
        std::fprintf(stderr, "flood_options: %s\n", error->c_str());
        return 1;
    }
    return 0;
}
