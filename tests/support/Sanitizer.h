#pragma once
// How much slower the sanitizer build runs, for the few tests that bound a time.
namespace tw::test {

#if defined(__SANITIZE_ADDRESS__)
inline constexpr double SanitizerSlowdown = 4;
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
inline constexpr double SanitizerSlowdown = 4;
#else
inline constexpr double SanitizerSlowdown = 1;
#endif
#else
inline constexpr double SanitizerSlowdown = 1;
#endif

} // namespace tw::test
