// Who may reach the phone remote, and with what: the token, the address ranges, the Origin, the
// slowing down of guessers; and the QR code of the address.
#include "platform/remote/AccessToken.h"
#include "platform/remote/AttemptThrottle.h"
#include "platform/remote/LocalNetwork.h"
#include "platform/remote/QrCode.h"

#include <QSet>
#include <gtest/gtest.h>

TEST(AccessTokenTest, EveryTokenIsNewAndHoldsAtLeast128RandomBits)
{
    QSet<QByteArray> seen;
    for (int i = 0; i < 200; ++i) {
        const AccessToken token = AccessToken::generate();
        EXPECT_EQ(token.text().size(), 32);
        EXPECT_EQ(QByteArray::fromHex(token.text()).toHex(), token.text());
        seen.insert(token.text());
    }
    EXPECT_EQ(seen.size(), 200);
}

TEST(AccessTokenTest, OnlyTheWholeTokenMatches)
{
    const AccessToken token(QByteArray("0123456789abcdef0123456789abcdef"));
    EXPECT_TRUE(token.matches("0123456789abcdef0123456789abcdef"));
    for (const char* wrong : {"1123456789abcdef0123456789abcdef", "0123456789abcdef0123456789abcdee",
                              "0123456789abcdef0123456789abcde", "0123456789abcdef0123456789abcdef0",
                              "0123456789ABCDEF0123456789ABCDEF", "", "0"})
        EXPECT_FALSE(token.matches(wrong)) << wrong;
    // An empty token (the remote is off) matches nothing, an empty candidate least of all.
    EXPECT_FALSE(AccessToken(QByteArray()).matches(""));
}

TEST(LocalNetworkTest, OnlyPrivateLinkLocalAndLoopbackPeersAreLocal)
{
    for (const char* local :
         {"127.0.0.1", "127.5.6.7", "10.0.0.1", "10.255.255.254", "172.16.0.1", "172.31.255.254",
          "192.168.0.1", "192.168.43.1", "172.20.10.2", "169.254.10.20", "::1", "fe80::1", "fd12:3456::1",
          "fc00::5", "::ffff:192.168.1.20", "::ffff:127.0.0.1"})
        EXPECT_TRUE(isLocalNetworkPeer(QHostAddress(QString::fromLatin1(local)))) << local;
    for (const char* remote : {"8.8.8.8", "172.32.0.1", "172.15.255.255", "192.169.0.1", "11.0.0.1",
                               "100.64.0.1", "0.0.0.0", "255.255.255.255", "224.0.0.1", "2001:db8::1",
                               "2a00:1450::1", "fec0::1", "::ffff:8.8.8.8", "::", "not an address"})
        EXPECT_FALSE(isLocalNetworkPeer(QHostAddress(QString::fromLatin1(remote)))) << remote;
}

TEST(LocalNetworkTest, TheOriginMustBeThePageWeServedOnThatConnection)
{
    const QHostAddress lan(QStringLiteral("192.168.1.5"));
    EXPECT_TRUE(isOwnOrigin("http://192.168.1.5:8765", lan, 8765));
    EXPECT_TRUE(
        isOwnOrigin("http://192.168.1.5:8765", QHostAddress(QStringLiteral("::ffff:192.168.1.5")), 8765));
    for (const char* foreign :
         {"http://192.168.1.5:8766", "http://192.168.1.6:8765", "https://192.168.1.5:8765",
          "http://evil.example:8765", "http://localhost:8765", "null", "", "http://192.168.1.5",
          "http://192.168.1.5:8765/r", "http://user@192.168.1.5:8765", "file://",
          "http://192.168.1.5.evil.example:8765"})
        EXPECT_FALSE(isOwnOrigin(foreign, lan, 8765)) << foreign;
    // A page opened as localhost on this computer.
    EXPECT_TRUE(isOwnOrigin("http://localhost:8765", QHostAddress::LocalHost, 8765));
    EXPECT_TRUE(isOwnOrigin("http://127.0.0.1:8765", QHostAddress::LocalHost, 8765));
    EXPECT_TRUE(isOwnOrigin("http://[::1]:8765", QHostAddress::LocalHostIPv6, 8765));
    EXPECT_TRUE(isOwnOrigin("http://localhost", QHostAddress::LocalHost, 80));
}

TEST(LocalNetworkTest, TheAddressForPhonesIsOnTheLocalNetwork)
{
    EXPECT_TRUE(isLocalNetworkPeer(QHostAddress(addressOnLocalNetwork())));
}

TEST(AttemptThrottleTest, EachWrongTokenDoublesTheWaitUntilARightOneClearsIt)
{
    qint64 now = 1000;
    AttemptThrottle throttle([&now] { return now; });
    const QHostAddress guesser(QStringLiteral("192.168.1.50"));
    const QHostAddress teacher(QStringLiteral("192.168.1.51"));
    EXPECT_TRUE(throttle.mayTry(guesser));

    throttle.failed(guesser);
    EXPECT_FALSE(throttle.mayTry(guesser));
    EXPECT_TRUE(throttle.mayTry(teacher));
    now += AttemptThrottle::kFirstDelayMs - 1;
    EXPECT_FALSE(throttle.mayTry(guesser));
    now += 1;
    EXPECT_TRUE(throttle.mayTry(guesser));

    throttle.failed(guesser);
    now += AttemptThrottle::kFirstDelayMs;
    EXPECT_FALSE(throttle.mayTry(guesser));
    now += AttemptThrottle::kFirstDelayMs;
    EXPECT_TRUE(throttle.mayTry(guesser));

    // However many failures, the wait stops growing at its longest.
    for (int i = 0; i < 100; ++i)
        throttle.failed(guesser);
    now += AttemptThrottle::kLongestDelayMs - 1;
    EXPECT_FALSE(throttle.mayTry(guesser));
    now += 1;
    EXPECT_TRUE(throttle.mayTry(guesser));

    throttle.succeeded(guesser);
    throttle.failed(guesser);
    now += AttemptThrottle::kFirstDelayMs;
    EXPECT_TRUE(throttle.mayTry(guesser));
}

TEST(AttemptThrottleTest, ManyGuessersAreRememberedWithinABound)
{
    qint64 now = 0;
    AttemptThrottle throttle([&now] { return now; });
    for (int i = 0; i < 10 * AttemptThrottle::kRemembered; ++i)
        throttle.failed(QHostAddress(quint32(0x0a000000 + i)));
    // The latest guesser is still slowed down.
    EXPECT_FALSE(throttle.mayTry(QHostAddress(quint32(0x0a000000 + 10 * AttemptThrottle::kRemembered - 1))));
}

TEST(QrCodeTest, AnAddressBecomesASquareCodeWithItsFinderPatterns)
{
    const QrCode code = QrCode::encode("http://192.168.100.200:8765/r/0123456789abcdef0123456789abcdef");
    ASSERT_GE(code.size, 21);
    EXPECT_EQ((code.size - 17) % 4, 0);
    ASSERT_EQ(code.dark.size(), size_t(code.size * code.size));
    // The three corner squares: a dark ring of 7, a light ring, a dark core of 3.
    for (const auto& [left, top] :
         {std::pair{0, 0}, std::pair{code.size - 7, 0}, std::pair{0, code.size - 7}}) {
        for (int i = 0; i < 7; ++i) {
            EXPECT_TRUE(code.isDark(left + i, top));
            EXPECT_TRUE(code.isDark(left, top + i));
            EXPECT_TRUE(code.isDark(left + 6, top + i));
        }
        EXPECT_FALSE(code.isDark(left + 1, top + 1));
        EXPECT_TRUE(code.isDark(left + 3, top + 3));
    }
    EXPECT_EQ(QrCode::encode(QByteArray(8000, 'x')).size, 0);
}
