#pragma once
// The resident size of this process, for tests that bound memory.
#include <cstddef>
#include <fstream>
#include <unistd.h>

namespace tw::test {

inline std::size_t residentBytes()
{
    std::size_t pages = 0, resident = 0;
    std::ifstream("/proc/self/statm") >> pages >> resident;
    return resident * std::size_t(::sysconf(_SC_PAGESIZE));
}

inline constexpr std::size_t MiB = 1024 * 1024;

} // namespace tw::test
