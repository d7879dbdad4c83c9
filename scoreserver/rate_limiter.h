// How many registrations one address may post: a bucket of tokens per
// address, refilled steadily.
#pragma once

#include <QHash>
#include <QHostAddress>
#include <QString>

#include <map>

namespace tavrin {

class RateLimiter {
public:
    // `perMinute` tokens a minute, at most `perMinute` saved up; 0: no limit.
    explicit RateLimiter(int perMinute);

    // True when `address` may post now (and takes a token); otherwise
    // `retryAfterSeconds` says when it may. Costs O(log n) in the addresses
    // remembered, however many there are.
    bool allow(const QHostAddress& address, qint64 nowMs, int& retryAfterSeconds);

    // IPv4 addresses count one by one, IPv6 ones by their /64 network.
    static QString keyOf(const QHostAddress& address);

    qsizetype trackedAddresses() const { return buckets_.size(); }

    // Addresses remembered at most: beyond, the one whose bucket is nearest
    // to full is forgotten first (it gets a full bucket when it comes back).
    static constexpr qsizetype kMaxTracked = 1000000;

private:
    using Refills = std::multimap<qint64, QString>;
    struct Bucket {
        double tokens = 0;
        qint64 updatedMs = 0;
        Refills::iterator full; // when its bucket is full again
    };
    void forgetFullBuckets(qint64 nowMs);

    int perMinute_;
    QHash<QString, Bucket> buckets_;
    // A full bucket is the same as none: addresses leave in the order their
    // buckets fill up, each looked at once.
    Refills refills_;
};

} // namespace tavrin
