// How many registrations one address may post: a bucket of tokens per
// address, refilled steadily.
#pragma once

#include <QHash>
#include <QHostAddress>
#include <QString>

namespace tavrin {

class RateLimiter {
public:
    // `perMinute` tokens a minute, at most `perMinute` saved up; 0: no limit.
    explicit RateLimiter(int perMinute);

    // True when `address` may post now (and takes a token); otherwise
    // `retryAfterSeconds` says when it may.
    bool allow(const QHostAddress& address, qint64 nowMs, int& retryAfterSeconds);

    // IPv4 addresses count one by one, IPv6 ones by their /64 network.
    static QString keyOf(const QHostAddress& address);

    qsizetype trackedAddresses() const { return buckets_.size(); }

private:
    struct Bucket {
        double tokens = 0;
        qint64 updatedMs = 0;
    };
    void forgetFullBuckets(qint64 nowMs);

    int perMinute_;
    QHash<QString, Bucket> buckets_;
    qint64 lastSweepMs_ = 0;
};

} // namespace tavrin
