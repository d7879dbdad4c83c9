#include "scoreserver/http_headers.h"

#include <QList>

namespace tavrin {

namespace {

// The comma-separated items of a list header, trimmed, empty ones left out.
// Commas inside quotes (an entity tag may hold one) do not split.
QList<QByteArray> listItems(QByteArrayView value)
{
    QList<QByteArray> items;
    QByteArray item;
    bool quoted = false;
    for (const char c : value) {
        if (c == '"') {
            quoted = !quoted;
        }
        if (c == ',' && !quoted) {
            if (const QByteArray t = item.trimmed(); !t.isEmpty()) {
                items.push_back(t);
            }
            item.clear();
        } else {
            item += c;
        }
    }
    if (const QByteArray t = item.trimmed(); !t.isEmpty()) {
        items.push_back(t);
    }
    return items;
}

// The quality of one Accept-Encoding item ("gzip;q=0.5" -> 0.5); 1 without
// one, 0 for a value that is no number.
double qualityOf(QByteArrayView parameters)
{
    for (const QByteArray& parameter : QByteArray(parameters.data(), parameters.size()).split(';')) {
        const QByteArray p = parameter.trimmed();
        if (p.size() > 2 && (p[0] == 'q' || p[0] == 'Q') && p[1] == '=') {
            bool ok = false;
            const double q = p.mid(2).trimmed().toDouble(&ok);
            return ok && q > 0 ? q : 0.0;
        }
    }
    return 1.0;
}

QByteArrayView opaqueTag(QByteArrayView tag)
{
    return tag.startsWith("W/") ? tag.sliced(2) : tag;
}

} // namespace

QByteArray headerValue(const QHttpServerRequest& request, QByteArrayView name)
{
    for (const auto& [key, value] : request.headers()) {
        if (key.compare(name, Qt::CaseInsensitive) == 0) {
            return value.trimmed();
        }
    }
    return {};
}

QByteArray joinedHeader(const QHttpServerRequest& request, QByteArrayView name)
{
    QByteArray joined;
    for (const auto& [key, value] : request.headers()) {
        if (key.compare(name, Qt::CaseInsensitive) == 0) {
            if (!joined.isEmpty()) {
                joined += ", ";
            }
            joined += value.trimmed();
        }
    }
    return joined;
}

std::optional<QHostAddress> lastForwardedAddress(QByteArrayView forwardedFor)
{
    const QList<QByteArray> items = listItems(forwardedFor);
    if (items.isEmpty()) {
        return std::nullopt;
    }
    QHostAddress address;
    if (!address.setAddress(QString::fromLatin1(items.back()))) {
        return std::nullopt;
    }
    return address;
}

bool acceptsGzip(QByteArrayView acceptEncoding)
{
    std::optional<double> gzip;
    double any = 0;
    for (const QByteArray& item : listItems(acceptEncoding)) {
        const qsizetype semicolon = item.indexOf(';');
        const QByteArray coding = (semicolon < 0 ? item : item.left(semicolon)).trimmed().toLower();
        const double q = semicolon < 0 ? 1.0 : qualityOf(QByteArrayView(item).sliced(semicolon + 1));
        if (coding == "gzip" || coding == "x-gzip") {
            gzip = std::max(gzip.value_or(0.0), q);
        } else if (coding == "*") {
            any = q;
        }
    }
    return gzip ? *gzip > 0 : any > 0;
}

bool etagMatches(QByteArrayView ifNoneMatch, QByteArrayView etag)
{
    for (const QByteArray& tag : listItems(ifNoneMatch)) {
        if (tag == "*" || opaqueTag(tag) == opaqueTag(etag)) {
            return true;
        }
    }
    return false;
}

} // namespace tavrin
