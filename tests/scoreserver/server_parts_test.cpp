#include "scoreserver/http_headers.h"
#include "scoreserver/rate_limiter.h"
#include "scoreserver/ranking_pages.h"
#include "scoreserver/server_options.h"

#include <gtest/gtest.h>

namespace tavrin {
namespace {

TEST(RankingPages, PlayerTextsAreEscapedAndStayText)
{
    const std::vector<StoredEntry> entries{
        {QStringLiteral("<script>&\"%1"), 500, {2024, 1, 2}, QStringLiteral("%2 <b>"), 0}};
    const RankingLists lists{entries, std::vector<StoredEntry>{{QStringLiteral("page"), 900, {2024, 1, 3}, QStringLiteral("c"), 60}}};
    const QString html = QString::fromUtf8(rankingPage(3, lists));
    EXPECT_TRUE(html.contains(QStringLiteral("<td>&lt;script&gt;&amp;&quot;%1</td><td class=\"n\">500</td>"
                                             "<td class=\"d\">2024/1/2</td><td>%2 &lt;b&gt;</td>")));
    EXPECT_FALSE(html.contains(QStringLiteral("<script>")));
    EXPECT_TRUE(html.contains(QStringLiteral("<meta name=\"viewport\"")));
    // The verified list first, the pages' apart below it.
    EXPECT_LT(html.indexOf(QStringLiteral("記録で確かめたスコア")), html.indexOf(QStringLiteral("500")));
    EXPECT_LT(html.indexOf(QStringLiteral("500")), html.indexOf(QStringLiteral("登録ページからのスコア（未確認）")));
    EXPECT_LT(html.indexOf(QStringLiteral("未確認")), html.indexOf(QStringLiteral("900")));
    EXPECT_EQ(rankingJson(3, lists),
              QByteArray(R"({"entries":[{"comment":"c","date":"2024/1/3","name":"page","rank":1,)"
                         R"("registered":"1970-01-01T00:01:00Z","score":900}],"gametype":3,)"
                         R"("verified":[{"comment":"%2 <b>","date":"2024/1/2","name":"<script>&\"%1",)"
                         R"("rank":1,"registered":"1970-01-01T00:00:00Z","score":500}]})"));

    // --verified-only: the pages' entries are not shown.
    const RankingLists verifiedOnly{entries, std::nullopt};
    EXPECT_FALSE(QString::fromUtf8(rankingPage(3, verifiedOnly)).contains(QStringLiteral("未確認")));
    EXPECT_TRUE(rankingJson(3, verifiedOnly).startsWith(R"({"entries":[],"gametype":3,"verified":[{)"));
    EXPECT_EQ(dailyJson({2026, 12, 9}, {}), QByteArray(R"({"daily":"2026-12-09","entries":[]})"));
}

TEST(RankingPages, RegistrationAnswerGivesRankAndLink)
{
    const QString html = QString::fromUtf8(
        registeredPage(Registration{4, 1234, {2024, 1, 2}, "太郎", "No Comment"}, RegistrationOutcome{7, 12, true}));
    EXPECT_TRUE(html.contains(QStringLiteral("太郎 さんのスコア 1234 をアイテム4のランキングに登録しました。")));
    EXPECT_TRUE(html.contains(QStringLiteral("<strong>12位</strong>")));
    EXPECT_TRUE(html.contains(QStringLiteral("<a href=\"/ranking/4\">")));
}

TEST(RateLimiter, BurstThenSteadyRatePerAddress)
{
    RateLimiter limiter(10);
    const QHostAddress one(QStringLiteral("192.0.2.1"));
    int retry = 0;
    for (int i = 0; i < 10; ++i) {
        EXPECT_TRUE(limiter.allow(one, 1000, retry));
    }
    EXPECT_FALSE(limiter.allow(one, 1000, retry));
    EXPECT_EQ(retry, 6);
    EXPECT_TRUE(limiter.allow(QHostAddress(QStringLiteral("192.0.2.2")), 1000, retry));
    EXPECT_TRUE(limiter.allow(one, 7000, retry));
    EXPECT_FALSE(limiter.allow(one, 7000, retry));
    // An IPv6 network /64 is one client; a mapped IPv4 address is the IPv4 one.
    EXPECT_EQ(RateLimiter::keyOf(QHostAddress(QStringLiteral("2001:db8::1"))),
              RateLimiter::keyOf(QHostAddress(QStringLiteral("2001:db8::ffff:2"))));
    EXPECT_EQ(RateLimiter::keyOf(QHostAddress(QStringLiteral("::ffff:192.0.2.1"))), QStringLiteral("192.0.2.1"));
    RateLimiter unlimited(0);
    for (int i = 0; i < 1000; ++i) {
        ASSERT_TRUE(unlimited.allow(one, 0, retry));
    }
}

TEST(HttpHeaders, ListsQualitiesAndTags)
{
    EXPECT_EQ(lastForwardedAddress("203.0.113.9, 198.51.100.7"), QHostAddress(QStringLiteral("198.51.100.7")));
    EXPECT_EQ(lastForwardedAddress(" 2001:db8::1 "), QHostAddress(QStringLiteral("2001:db8::1")));
    EXPECT_EQ(lastForwardedAddress("198.51.100.7, unknown"), std::nullopt);
    EXPECT_EQ(lastForwardedAddress(""), std::nullopt);

    EXPECT_TRUE(acceptsGzip("gzip, deflate, br"));
    EXPECT_TRUE(acceptsGzip("GZIP;q=0.001"));
    EXPECT_TRUE(acceptsGzip("*"));
    EXPECT_FALSE(acceptsGzip("gzip;q=0"));
    EXPECT_FALSE(acceptsGzip("gzip; q=0.000, *"));
    EXPECT_FALSE(acceptsGzip("*;q=0"));
    EXPECT_FALSE(acceptsGzip("br, identity"));
    EXPECT_FALSE(acceptsGzip("gzip;q=x"));
    EXPECT_FALSE(acceptsGzip(""));

    EXPECT_TRUE(etagMatches("\"abc\"", "\"abc\""));
    EXPECT_TRUE(etagMatches("W/\"abc\"", "\"abc\""));
    EXPECT_TRUE(etagMatches("\"x\", W/\"abc\" ,\"y\"", "\"abc\""));
    EXPECT_TRUE(etagMatches("*", "\"abc\""));
    EXPECT_TRUE(etagMatches("\"a,b\"", "\"a,b\""));
    EXPECT_FALSE(etagMatches("\"abcd\", \"ab\"", "\"abc\""));
    EXPECT_FALSE(etagMatches("", "\"abc\""));
}

TEST(RateLimiter, ForgetsAnAddressOnceItsBucketIsFullAgain)
{
    RateLimiter limiter(10);
    int retry = 0;
    const QHostAddress busy(QStringLiteral("192.0.2.9"));
    for (int i = 0; i < 10; ++i) {
        limiter.allow(busy, 1000, retry);
    }
    for (quint32 n = 1; n <= 3; ++n) {
        limiter.allow(QHostAddress(0xC6336400u + n), 1000, retry);
    }
    EXPECT_EQ(limiter.trackedAddresses(), 4);
    // One token back takes 6 s: the three light users are forgotten then,
    // the busy one after a whole minute, and it still waits until its token is back.
    limiter.allow(QHostAddress(QStringLiteral("198.51.100.200")), 7000, retry);
    EXPECT_EQ(limiter.trackedAddresses(), 2);
    EXPECT_TRUE(limiter.allow(busy, 7000, retry));
    EXPECT_FALSE(limiter.allow(busy, 7000, retry));
    limiter.allow(QHostAddress(QStringLiteral("198.51.100.201")), 80000, retry);
    EXPECT_EQ(limiter.trackedAddresses(), 1);
}

TEST(ServerOptions, ListenAddressAndDatabaseUrls)
{
    QHostAddress address;
    quint16 port = 0;
    EXPECT_TRUE(parseListenAddress(QStringLiteral("0.0.0.0:8080"), address, port));
    EXPECT_EQ(port, 8080);
    EXPECT_TRUE(parseListenAddress(QStringLiteral("[::1]:81"), address, port));
    EXPECT_EQ(address, QHostAddress(QHostAddress::LocalHostIPv6));
    EXPECT_FALSE(parseListenAddress(QStringLiteral("127.0.0.1"), address, port));
    EXPECT_FALSE(parseListenAddress(QStringLiteral("127.0.0.1:70000"), address, port));
    EXPECT_FALSE(parseListenAddress(QStringLiteral("host:80"), address, port));

    QString error;
    const auto pg = parseDatabaseUrl(QStringLiteral("postgresql://kelm@db.example:5433/scores"), error);
    ASSERT_TRUE(pg);
    EXPECT_EQ(pg->kind, DatabaseTarget::Kind::Postgres);
    EXPECT_EQ(pg->user, QStringLiteral("kelm"));
    EXPECT_EQ(pg->host, QStringLiteral("db.example"));
    EXPECT_EQ(pg->port, 5433);
    EXPECT_EQ(pg->name, QStringLiteral("scores"));
    EXPECT_EQ(parseDatabaseUrl(QStringLiteral("postgresql://db.example/scores"), error), std::nullopt);
    EXPECT_EQ(parseDatabaseUrl(QStringLiteral("mysql://a@b/c"), error), std::nullopt);
    EXPECT_EQ(parseDatabaseUrl(QStringLiteral("sqlite:/tmp/x.db"), error)->path, QStringLiteral("/tmp/x.db"));
}

} // namespace
} // namespace tavrin
