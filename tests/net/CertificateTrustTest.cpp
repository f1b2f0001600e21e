#include "net/CertificateTrust.h"
#include "support/RecordingHost.h"

#include <gtest/gtest.h>

namespace tw {
namespace {

// Asked once, remembered when accepted, refused with a warning when it changed.
TEST(CertificateTrust, AsksOnceRemembersAndRefusesAChangedOne)
{
    struct Case {
        const char* name;
        std::string presented, remembered;
        MsgAnswer answer;
        bool trusted;
        const char* caption; // of the box shown, empty when none
        std::string rememberedNow;
    } cases[] = {
        {"new, accepted", "AA:BB", "", MsgAnswer::Yes, true, "Untrusted Certificate", "AA:BB"},
        {"new, refused", "AA:BB", "", MsgAnswer::No, false, "Untrusted Certificate", ""},
        {"known", "AA:BB", "AA:BB", MsgAnswer::No, true, "", ""},
        {"changed", "CC:DD", "AA:BB", MsgAnswer::Yes, false, "Certificate Changed", ""},
        {"no certificate", "", "", MsgAnswer::Yes, false, "", ""},
    };
    for (const Case& c : cases) {
        test::RecordingHost host;
        host.answers.push_back(c.answer);
        std::string stored;
        const bool trusted = trustCertificate(host, {"mud.example", 4443, c.presented, "self-signed", c.remembered},
                                              [&](const std::string& fp) { stored = fp; });
        EXPECT_EQ(trusted, c.trusted) << c.name;
        EXPECT_EQ(stored, c.rememberedNow) << c.name;
        ASSERT_EQ(host.boxes.size(), std::string(c.caption).empty() ? 0u : 1u) << c.name;
        if (!host.boxes.empty()) {
            EXPECT_EQ(host.boxes[0].caption, c.caption) << c.name;
            EXPECT_NE(host.boxes[0].text.find("mud.example:4443"), std::string::npos) << c.name;
            EXPECT_NE(host.boxes[0].text.find(c.presented), std::string::npos) << c.name;
        }
    }
}

} // namespace
} // namespace tw
