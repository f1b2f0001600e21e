#pragma once
// Throw-away TLS certificates for the tests, made with the openssl command.
#include <QProcess>
#include <QSslSocket>
#include <QStandardPaths>
#include <QString>
#include <QTemporaryDir>

#include <optional>

namespace tw::test {

struct TestCertificate {
    QString cert, key; // PEM files
};

// Why TLS cannot be tested on this machine, empty when it can.
inline const char* tlsUntestable()
{
    if (!QSslSocket::supportsSsl())
        return "Qt has no TLS back end on this machine";
    if (QStandardPaths::findExecutable("openssl").isEmpty())
        return "no openssl command to make a test certificate";
    return "";
}

// A self-signed certificate for practice.invalid in `dir`, its files named after `name`.
inline std::optional<TestCertificate> makeTestCertificate(const QTemporaryDir& dir, const QString& name)
{
    const TestCertificate c{dir.filePath(name + "-cert.pem"), dir.filePath(name + "-key.pem")};
    QProcess openssl;
    openssl.setProcessChannelMode(QProcess::MergedChannels);
    openssl.start("openssl", {"req", "-x509", "-newkey", "rsa:2048", "-nodes", "-days", "1", "-subj",
                              "/CN=practice.invalid", "-keyout", c.key, "-out", c.cert});
    if (!openssl.waitForFinished(60000) || openssl.exitCode() != 0)
        return std::nullopt;
    return c;
}

} // namespace tw::test
