#pragma once
// A fresh folder under /tmp for a test's files, removed with everything in it afterwards.
#include <cstdlib>
#include <filesystem>
#include <string>

namespace tw::test {

struct TempDir {
    std::filesystem::path path;
    TempDir()
    {
        char name[] = "/tmp/tarnwick-test-XXXXXX";
        path = ::mkdtemp(name);
    }
    ~TempDir() { std::filesystem::remove_all(path); }
    std::string file(const char* name) const { return (path / name).string(); }
};

} // namespace tw::test
