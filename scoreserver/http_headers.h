// Request headers the score server reads beyond a single value: lists spread
// over several lines, quality values and entity tags.
#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QHostAddress>
#include <QHttpServerRequest>

#include <optional>

namespace tavrin {

// The first line of header `name` (case-insensitive), trimmed; empty when absent.
QByteArray headerValue(const QHttpServerRequest& request, QByteArrayView name);

// Every line of header `name` in the order received, joined by ", " as a
// list header spread over lines means.
QByteArray joinedHeader(const QHttpServerRequest& request, QByteArrayView name);

// The last address of an X-Forwarded-For list: the one the proxy in front of
// the server added. nullopt when the list is empty or that entry is no address.
std::optional<QHostAddress> lastForwardedAddress(QByteArrayView forwardedFor);

// Whether an Accept-Encoding value takes gzip: named with a quality above
// zero, or covered by "*" with a quality above zero.
bool acceptsGzip(QByteArrayView acceptEncoding);

// Whether an If-None-Match value names `etag`: "*", or one tag of the list
// equal to it, weak ("W/") tags compared by their opaque part.
bool etagMatches(QByteArrayView ifNoneMatch, QByteArrayView etag);

} // namespace tavrin
