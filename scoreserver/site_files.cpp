#include "scoreserver/site_files.h"

#include <QCryptographicHash>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace tavrin {

namespace {

QString canonicalFolder(const QString& folder)
{
    if (folder.isEmpty()) {
        return {};
    }
    const QFileInfo info(folder);
    return info.isDir() ? info.canonicalFilePath() : QString();
}

bool safeStep(const QString& step)
{
    return !step.isEmpty() && !step.startsWith(u'.') && !step.contains(u'\\') && !step.contains(QChar(0));
}

std::optional<QByteArray> readSmallFile(const QString& path)
{
    QFile file(path);
    if (file.size() > SiteFiles::kMaxFileBytes || !file.open(QIODevice::ReadOnly)) {
        return std::nullopt;
    }
    QByteArray bytes = file.read(SiteFiles::kMaxFileBytes + 1);
    if (bytes.size() > SiteFiles::kMaxFileBytes) {
        return std::nullopt;
    }
    return bytes;
}

} // namespace

SiteFiles::SiteFiles(const QString& root) : root_(canonicalFolder(root)) {}

std::optional<QString> SiteFiles::resolve(const QString& path) const
{
    if (root_.isEmpty()) {
        return std::nullopt;
    }
    QString relative = path.isEmpty() || path.endsWith(u'/') ? path + QStringLiteral("index.html") : path;
    for (const QString& step : relative.split(u'/')) {
        if (!safeStep(step)) {
            return std::nullopt;
        }
    }
    const QFileInfo info(root_ + u'/' + relative);
    const QString real = info.canonicalFilePath();
    if (real.isEmpty() || !real.startsWith(root_ + u'/') || !QFileInfo(real).isFile()) {
        return std::nullopt;
    }
    return real;
}

std::optional<SiteFile> SiteFiles::read(const QString& path, bool acceptsGzip) const
{
    const std::optional<QString> file = resolve(path);
    if (!file) {
        return std::nullopt;
    }
    QString source = *file;
    bool gzip = false;
    if (acceptsGzip) {
        const QFileInfo packed(source + QStringLiteral(".gz"));
        const QString real = packed.canonicalFilePath();
        if (!real.isEmpty() && real.startsWith(root_ + u'/') && packed.isFile()) {
            source = real;
            gzip = true;
        }
    }
    std::optional<QByteArray> body = readSmallFile(source);
    if (!body) {
        return std::nullopt;
    }
    const QFileInfo info(source);
    const QByteArray stamp = source.toUtf8() + '\n' + QByteArray::number(info.size()) + '\n' +
                             QByteArray::number(info.lastModified().toMSecsSinceEpoch());
    SiteFile answer;
    answer.etag = '"' + QCryptographicHash::hash(stamp, QCryptographicHash::Sha1).toHex().left(20) + '"';
    answer.body = std::move(*body);
    answer.contentType = contentTypeOf(*file);
    answer.gzip = gzip;
    return answer;
}

QByteArray SiteFiles::contentTypeOf(const QString& fileName)
{
    static const std::pair<const char*, const char*> kTypes[] = {
        {"html", "text/html; charset=utf-8"},
        {"js", "text/javascript; charset=utf-8"},
        {"mjs", "text/javascript; charset=utf-8"},
        {"wasm", "application/wasm"},
        {"json", "application/json; charset=utf-8"},
        {"css", "text/css; charset=utf-8"},
        {"txt", "text/plain; charset=utf-8"},
        {"png", "image/png"},
        {"bmp", "image/bmp"},
        {"webp", "image/webp"},
        {"svg", "image/svg+xml"},
        {"ico", "image/x-icon"},
        {"webmanifest", "application/manifest+json"},
        {"wav", "audio/wav"},
        {"ogg", "audio/ogg"},
        {"opus", "audio/ogg"},
        {"kem", "application/x-tavrin-puzzle"},
    };
    const QString suffix = QFileInfo(fileName).suffix().toLower();
    for (const auto& [extension, type] : kTypes) {
        if (suffix == QLatin1String(extension)) {
            return QByteArray(type);
        }
    }
    return QByteArrayLiteral("application/octet-stream");
}

QString findSiteFolder(const QString& programFolder, const QString& installedDataFolder)
{
    const QDir program(programFolder);
    const QString candidates[] = {
        program.filePath(QStringLiteral("site")),
        program.filePath(QStringLiteral("../build-wasm/site")),
        program.filePath(QStringLiteral("../share/tavrin/site")),
        installedDataFolder.isEmpty() ? QString() : QDir(installedDataFolder).filePath(QStringLiteral("site")),
    };
    for (const QString& folder : candidates) {
        if (!folder.isEmpty() && QFileInfo(QDir(folder).filePath(QStringLiteral("index.html"))).isFile()) {
            return QFileInfo(folder).canonicalFilePath();
        }
    }
    return {};
}

} // namespace tavrin
