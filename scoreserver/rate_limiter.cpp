#include "scoreserver/rate_limiter.h"

#include <algorithm>
#include <cmath>

namespace tavrin {

namespace {
// Addresses kept before the full (idle) buckets are dropped early.
constexpr qsizetype kSweepAbove = 100000;
}

RateLimiter::RateLimiter(int perMinute) : perMinute_(perMinute) {}

QString RateLimiter::keyOf(const QHostAddress& address)
{
    bool isV4 = false;
    const quint32 v4 = address.toIPv4Address(&isV4);
    if (isV4) {
        return QHostAddress(v4).toString();
    }
    Q_IPV6ADDR v6 = address.toIPv6Address();
    std::fill(v6.c + 8, v6.c + 16, 0);
    return QHostAddress(v6).toString() + QStringLiteral("/64");
}

void RateLimiter::forgetFullBuckets(qint64 nowMs)
{
    const double perMs = perMinute_ / 60000.0;
    for (auto it = buckets_.begin(); it != buckets_.end();) {
        if (it->tokens + static_cast<double>(nowMs - it->updatedMs) * perMs >= perMinute_) {
            it = buckets_.erase(it);
        } else {
            ++it;
        }
    }
    lastSweepMs_ = nowMs;
}

bool RateLimiter::allow(const QHostAddress& address, qint64 nowMs, int& retryAfterSeconds)
{
    retryAfterSeconds = 0;
    if (perMinute_ <= 0) {
        return true;
    }
    if (nowMs - lastSweepMs_ > 60000 || buckets_.size() > kSweepAbove) {
        forgetFullBuckets(nowMs);
    }
    const QString key = keyOf(address);
    auto it = buckets_.find(key);
    if (it == buckets_.end()) {
        it = buckets_.insert(key, Bucket{static_cast<double>(perMinute_), nowMs});
    }
    const double perMs = perMinute_ / 60000.0;
    it->tokens = std::min<double>(perMinute_, it->tokens + static_cast<double>(std::max<qint64>(0, nowMs - it->updatedMs)) * perMs);
    it->updatedMs = nowMs;
    if (it->tokens >= 1.0) {
        it->tokens -= 1.0;
        return true;
    }
    retryAfterSeconds = std::max(1, static_cast<int>(std::ceil((1.0 - it->tokens) / perMs / 1000.0)));
    return false;
}

} // namespace tavrin
