#include "net/CertificateTrust.h"
#include "support/RecordingHost.h"

#include <gtest/gtest.h>

namespace tw {
namespace {

struct Gate : ::testing::Test {
    test::RecordingHost host;
    CertificateGate gate{host};
    std::map<std::string, std::string> store; // "host:port" -> fingerprint
    std::vector<std::string> accepted;
    Gate()
    {
        host.holdQuestions = true;
        gate.remembered = [this](const std::string& h, std::uint16_t p) { return store[h + ":" + std::to_string(p)]; };
        gate.remember = [this](const std::string& h, std::uint16_t p, const std::string& f) { store[h + ":" + std::to_string(p)] = f; };
        gate.accepted = [this](const std::string& h, std::uint16_t p) { accepted.push_back(h + ":" + std::to_string(p)); };
    }
    bool check(const std::string& fingerprint) { return gate.check({"mud.example", 4443, fingerprint, "self-signed"}); }
};

// The question never waits: the attempt is refused at once, Enter and Escape mean No, and a
// Yes given later remembers the certificate and connects again.
TEST_F(Gate, AnUnknownCertificateIsAskedAboutWithoutWaiting)
{
    EXPECT_FALSE(check("AA:BB"));
    ASSERT_EQ(host.questions.size(), 1u);
    const test::RecordingHost::Question q = host.questions[0];
    EXPECT_EQ(q.caption, "Untrusted Certificate");
    EXPECT_EQ(q.buttons, MsgButtons::YesNo);
    EXPECT_EQ(q.safe, MsgAnswer::No);
    EXPECT_NE(q.text.find("mud.example:4443"), std::string::npos);
    EXPECT_NE(q.text.find("AA:BB"), std::string::npos);
    EXPECT_EQ(gate.refusal(), "The certificate of mud.example:4443 cannot be verified.");
    // Another attempt while the question is open is refused without a second question.
    EXPECT_FALSE(check("AA:BB"));
    EXPECT_EQ(host.questions.size(), 1u);

    q.answered(MsgAnswer::Yes);
    EXPECT_EQ(store["mud.example:4443"], "AA:BB");
    EXPECT_EQ(accepted, std::vector<std::string>{"mud.example:4443"});
    EXPECT_TRUE(check("AA:BB"));
    EXPECT_EQ(host.questions.size(), 1u);
}

TEST_F(Gate, NoIsSaidInTheStatusRowAndAskedAgainNextTime)
{
    EXPECT_FALSE(check("AA:BB"));
    host.questions[0].answered(MsgAnswer::No);
    EXPECT_EQ(host.lastStatus(), "The certificate of mud.example:4443 was not accepted.");
    EXPECT_TRUE(store["mud.example:4443"].empty());
    EXPECT_TRUE(accepted.empty());
    EXPECT_FALSE(check("AA:BB"));
    EXPECT_EQ(host.questions.size(), 2u);
}

TEST_F(Gate, AChangedCertificateIsRefusedWithBothFingerprints)
{
    store["mud.example:4443"] = "AA:BB";
    EXPECT_FALSE(check("CC:DD"));
    ASSERT_EQ(host.questions.size(), 1u);
    EXPECT_EQ(host.questions[0].caption, "Certificate Changed");
    EXPECT_EQ(host.questions[0].buttons, MsgButtons::Ok);
    EXPECT_NE(host.questions[0].text.find("AA:BB"), std::string::npos);
    EXPECT_NE(host.questions[0].text.find("CC:DD"), std::string::npos);
    EXPECT_EQ(gate.refusal(), "The certificate of mud.example:4443 was not accepted.");
    EXPECT_EQ(store["mud.example:4443"], "AA:BB");
    EXPECT_FALSE(check(""));
}

// A host whose boxes wait for the answer decides the check itself, as before.
TEST(CertificateGate, AHostThatAnswersAtOnceDecidesTheCheck)
{
    for (const MsgAnswer answer : {MsgAnswer::Yes, MsgAnswer::No}) {
        test::RecordingHost host;
        host.answers.push_back(answer);
        CertificateGate gate(host);
        std::string stored;
        int accepted = 0;
        gate.remember = [&](const std::string&, std::uint16_t, const std::string& f) { stored = f; };
        gate.accepted = [&](const std::string&, std::uint16_t) { ++accepted; };
        EXPECT_EQ(gate.check({"h", 1, "AA", "why"}), answer == MsgAnswer::Yes);
        EXPECT_EQ(stored, answer == MsgAnswer::Yes ? "AA" : "");
        EXPECT_EQ(accepted, 0);
    }
}

} // namespace
} // namespace tw
