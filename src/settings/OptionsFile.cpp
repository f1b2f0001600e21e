#include "settings/OptionsFile.h"

#include "base/FileIo.h"
#include "settings/OptionsFileReader.h"
#include "settings/OptionsFileWriter.h"

namespace tw {

std::optional<std::string> OptionsFile::save(const std::string& path, const OptionsData& data)
{
    return writeFileAtomically(path, OptionsFileWriter::write(data));
}

OptionsLoadResult OptionsFile::load(const std::string& path, const SetupVars& current)
{
    if (!fileExists(path))
        return OptionsLoadResult::failed(OptionsLoadResult::Kind::FileMissing);
    std::string error;
    const std::optional<std::string> bytes = readWholeFile(path, error);
    if (!bytes)
        return OptionsLoadResult::failed(OptionsLoadResult::Kind::IoError, error);
    return OptionsFileReader::read(*bytes, current);
}

} // namespace tw
