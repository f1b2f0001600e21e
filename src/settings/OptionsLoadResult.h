#pragma once
// What reading an options file came to: the loaded data, a refused header, or an I/O error.
#include "settings/OptionsData.h"

#include <string>

namespace tw {

// The options file's two formats: "IDAA" is still read and converted, "IDAB" is written.
enum class OptionsVersion { Idaa, Idab };

struct OptionsLoadResult {
    enum class Kind {
        Loaded,        // data holds the whole file's contents
        RefusedHeader, // neither "IDAB" nor "IDAA": the file is not ours or too old
        IoError,       // errorText holds the system's I/O error text
        FileMissing    // no file of that name
    };

    Kind kind = Kind::IoError;
    OptionsVersion version = OptionsVersion::Idab;
    OptionsData data;
    std::string errorText;

    bool loaded() const { return kind == Kind::Loaded; }

    static OptionsLoadResult loadedWith(OptionsVersion version, OptionsData data)
    {
        OptionsLoadResult r;
        r.kind = Kind::Loaded;
        r.version = version;
        r.data = std::move(data);
        return r;
    }
    static OptionsLoadResult failed(Kind kind, std::string errorText = {})
    {
        OptionsLoadResult r;
        r.kind = kind;
        r.errorText = std::move(errorText);
        return r;
    }
};

} // namespace tw
