// Arbitrary bytes as an options file: the reader must never crash or allocate without bound,
// a refused file must yield nothing, and whatever it loads must survive a save and reload.
#include "settings/OptionsFileReader.h"
#include "settings/OptionsFileWriter.h"

#include <cstdint>
#include <cstdlib>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    using namespace tw;
    const SetupVars current;
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const OptionsLoadResult r = OptionsFileReader::read(bytes, current);
    if (!r.loaded()) {
        // A rejected file hands back nothing the caller could apply.
        if (!(r.data == OptionsData{}))
            std::abort();
        if ((r.kind == OptionsLoadResult::Kind::IoError) != !r.errorText.empty())
            std::abort();
        return 0;
    }
    // Each list entry took at least its item words from the input.
    if ((r.data.muds.size() * 3 + r.data.aliases.size() * 2 + r.data.triggers.size() * 3) * 2 > size)
        std::abort();

    // Writing cuts long texts and loading pads short switch strings, so one round settles the
    // data; from then on save and load must agree exactly.
    const std::string first = OptionsFileWriter::write(r.data);
    const OptionsLoadResult again = OptionsFileReader::read(first, current);
    if (!again.loaded())
        std::abort();
    const std::string second = OptionsFileWriter::write(again.data);
    const OptionsLoadResult third = OptionsFileReader::read(second, current);
    if (!third.loaded() || !(third.data == again.data) || OptionsFileWriter::write(third.data) != second)
        std::abort();
    return 0;
}
