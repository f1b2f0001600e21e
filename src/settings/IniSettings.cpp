#include "settings/IniSettings.h"

#include "base/FileIo.h"
#include "base/WholeNumber.h"

#include <algorithm>
#include <cerrno>
#include <filesystem>
#include <system_error>

namespace tw {

namespace {

constexpr const char* CertificatePrefix = "Certificate_";

bool isMapSwitch(std::string_view key) { return key == "Follow" || key == "OnTop" || key == "AutoSave"; }

bool isOwnKey(const std::string& section, const std::string& key)
{
    return (section == "Options" && key == "DefaultCFG") || (section == "Modern" && key == "Enabled") ||
           (section == "View" && (key == "Zoom" || key == "LongHistory" || key == "HistoryLines" ||
                                  key == "SplitLivePercent")) ||
           (section == "MUDList" && key == "LastUsed") ||
           (section == "Modern" && key.starts_with(CertificatePrefix)) || (section == "Map" && isMapSwitch(key)) ||
           (section == "Access" && (key == "Speak" || key == "Rate" || key == "Mute"));
}

// A switch is on as "true" (any letter case) or "1", the forms this program and Qt write.
bool isOn(std::string value)
{
    std::transform(value.begin(), value.end(), value.begin(), [](char c) { return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c; });
    return value == "true" || value == "1";
}

// One key per host and port; a slash in a key would read as a section to Qt's settings class.
std::string certificateKey(const std::string& host, std::uint16_t port)
{
    std::string name = host;
    std::transform(name.begin(), name.end(), name.begin(), [](char c) {
        return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c == '/' ? '_' : c;
    });
    return CertificatePrefix + name + "_" + std::to_string(port);
}

} // namespace

IniSettings IniSettings::load(const std::string& path)
{
    IniSettings settings;
    std::string error;
    const std::optional<std::string> bytes = readWholeFile(path, error, MaxFileBytes);
    if (!bytes) {
        if (error != ioErrorText(ENOENT))
            settings.problem_ = error;
        return settings;
    }
    return fromText(*bytes);
}

IniSettings IniSettings::fromText(std::string_view bytes)
{
    IniSettings settings;
    const IniText read = IniText::parse(bytes);
    for (const auto& [section, keys] : read.sections())
        for (const auto& [key, value] : keys)
            if (isOwnKey(section, key) && value.size() <= MaxValueBytes)
                settings.text_.set(section, key, value);
    return settings;
}

std::string IniSettings::fileText() const
{
    std::string bytes = text_.text();
    if (bytes.size() <= MaxFileBytes)
        return bytes;
    // Only a file made to be hostile gets here: what the program needs most stays readable.
    IniText essentials = text_;
    if (const auto modern = text_.sections().find("Modern"); modern != text_.sections().end())
        for (const auto& [key, value] : modern->second)
            if (key.starts_with(CertificatePrefix))
                essentials.erase("Modern", key);
    return essentials.text();
}

std::optional<std::string> IniSettings::save(const std::string& path) const
{
    const std::filesystem::path folder = std::filesystem::path(path).parent_path();
    std::error_code ignored;
    if (!folder.empty())
        std::filesystem::create_directories(folder, ignored);
    return writeFileAtomically(path, fileText());
}

std::string IniSettings::get(const char* section, const char* key) const
{
    return text_.value(section, key).value_or(std::string());
}

std::string IniSettings::defaultCfg() const { return get("Options", "DefaultCFG"); }

void IniSettings::setDefaultCfg(std::string file) { text_.set("Options", "DefaultCFG", std::move(file)); }

bool IniSettings::flag(const char* section, const char* key) const { return isOn(get(section, key)); }

int IniSettings::number(const char* section, const char* key, int fallback) const
{
    const std::optional<long> value = parseWholeNumber(get(section, key));
    return value ? int(*value) : fallback;
}

bool IniSettings::modern() const { return flag("Modern", "Enabled"); }

void IniSettings::setModern(bool on) { text_.set("Modern", "Enabled", on ? "true" : "false"); }

int IniSettings::zoom() const { return number("View", "Zoom", 100); }

void IniSettings::setZoom(int percent) { text_.set("View", "Zoom", std::to_string(percent)); }

bool IniSettings::longHistory() const { return flag("View", "LongHistory"); }

void IniSettings::setLongHistory(bool on) { text_.set("View", "LongHistory", on ? "true" : "false"); }

int IniSettings::historyLines(int fallback) const { return number("View", "HistoryLines", fallback); }

int IniSettings::splitLivePercent(int fallback) const { return number("View", "SplitLivePercent", fallback); }

void IniSettings::setSplitLivePercent(int percent)
{
    text_.set("View", "SplitLivePercent", std::to_string(percent));
}

std::string IniSettings::lastMud() const { return get("MUDList", "LastUsed"); }

void IniSettings::setLastMud(std::string line) { text_.set("MUDList", "LastUsed", std::move(line)); }

bool IniSettings::mapSwitch(const std::string& key) const { return isMapSwitch(key) && isOn(get("Map", key.c_str())); }

void IniSettings::setMapSwitch(const std::string& key, bool on)
{
    if (isMapSwitch(key))
        text_.set("Map", key, on ? "true" : "false");
}

bool IniSettings::speak() const { return flag("Access", "Speak"); }

void IniSettings::setSpeak(bool on) { text_.set("Access", "Speak", on ? "true" : "false"); }

int IniSettings::speechRate() const { return number("Access", "Rate", 0); }

void IniSettings::setSpeechRate(int rate) { text_.set("Access", "Rate", std::to_string(rate)); }

std::vector<std::string> IniSettings::mutedTexts() const
{
    std::vector<std::string> texts;
    const std::string value = get("Access", "Mute");
    for (std::size_t at = 0; at < value.size();) {
        const std::size_t end = std::min(value.find('\n', at), value.size());
        if (end > at)
            texts.push_back(value.substr(at, end - at));
        at = end + 1;
    }
    return texts;
}

void IniSettings::setMutedTexts(const std::vector<std::string>& texts)
{
    std::string value;
    for (const std::string& text : texts) {
        std::string line = text;
        std::erase_if(line, [](char c) { return c == '\n' || c == '\r'; });
        if (line.empty() || value.size() + 1 + line.size() > MaxValueBytes)
            continue;
        value += (value.empty() ? "" : "\n") + line;
    }
    text_.set("Access", "Mute", std::move(value));
}

std::string IniSettings::certificate(const std::string& host, std::uint16_t port) const
{
    return text_.value("Modern", certificateKey(host, port)).value_or(std::string());
}

void IniSettings::setCertificate(const std::string& host, std::uint16_t port, std::string fingerprint)
{
    text_.set("Modern", certificateKey(host, port), std::move(fingerprint));
}

} // namespace tw
