#pragma once
#include <array>
#include <cstddef>
#include <optional>
#include <string>

namespace tw {

// The ten texts %0 to %9 that trigger matches capture. A slot is absent until a match fills
// it and keeps its text until a later match overwrites it.
struct CaptureSlots {
    static constexpr std::size_t Count = 10;
    std::array<std::optional<std::string>, Count> texts;

    const std::optional<std::string>& operator[](std::size_t k) const { return texts[k]; }
    void set(std::size_t k, std::string text) { texts[k] = std::move(text); }
    void clear() { texts.fill(std::nullopt); }
};

} // namespace tw
