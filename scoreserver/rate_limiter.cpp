#include "scoreserver/rate_limiter.h"

#include <algorithm>
#include <cmath>

namespace tavrin {

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
    while (!refills_.empty() && (refills_.begin()->first <= nowMs || buckets_.size() >= kMaxTracked)) {
        buckets_.remove(refills_.begin()->second);
        refills_.erase(refills_.begin());
    }
}

bool RateLimiter::allow(const QHostAddress& address, qint64 nowMs, int& retryAfterSeconds)
{
    retryAfterSeconds = 0;
    if (perMinute_ <= 0) {
        return true;
    }
    forgetFullBuckets(nowMs);
    const QString key = keyOf(address);
    auto it = buckets_.find(key);
    if (it == buckets_.end()) {
        it = buckets_.insert(key, Bucket{static_cast<double>(perMinute_), nowMs, refills_.end()});
    } else {
        refills_.erase(it->full);
    }
    const double perMs = perMinute_ / 60000.0;
    it->tokens = std::min<double>(perMinute_, it->tokens + static_cast<double>(std::max<qint64>(0, nowMs - it->updatedMs)) * perMs);
    it->updatedMs = nowMs;
    const bool allowed = it->tokens >= 1.0;
    if (allowed) {
        it->tokens -= 1.0;
    } else {
        retryAfterSeconds = std::max(1, static_cast<int>(std::ceil((1.0 - it->tokens) / perMs / 1000.0)));
    }
    const auto untilFull = static_cast<qint64>(std::ceil((perMinute_ - it->tokens) / perMs));
    it->full = refills_.emplace(nowMs + untilFull, key);
    return allowed;
}

} // namespace tavrin
