// The browser version of the game, served as static files under /play/ from
// a folder of the built site. Only regular files inside that folder are ever
// read; anything else is "not found".
#pragma once

#include <QByteArray>
#include <QString>

#include <optional>

namespace tavrin {

struct SiteFile {
    QByteArray body;
    QByteArray contentType;
    QByteArray etag;   // changes whenever the file does
    bool gzip = false; // body is the precompressed NAME.gz
};

class SiteFiles {
public:
    // `root` empty or not a folder: no site, every lookup fails.
    explicit SiteFiles(const QString& root = {});

    bool present() const { return !root_.isEmpty(); }
    const QString& root() const { return root_; }

    // `path` is the decoded part of the URL after "/play/" ("" for the
    // folder itself, which answers with index.html). Names with "..", ".",
    // a leading dot, a backslash or an empty step are refused, and so is a
    // link that leads out of the folder.
    std::optional<SiteFile> read(const QString& path, bool acceptsGzip) const;

    static QByteArray contentTypeOf(const QString& fileName);
    // Files larger than this are not served (the whole site is far smaller).
    static constexpr qint64 kMaxFileBytes = 32 * 1024 * 1024;

private:
    std::optional<QString> resolve(const QString& path) const;

    QString root_; // canonical, without a trailing slash
};

// Where a site lies for a program in `programFolder`: `site` beside it (an
// unpacked or installed folder), the browser build of a source tree
// (`../build-wasm/site` beside `build/`), then `../share/tavrin/site` and the
// data folder of the prefix the server was built for. Empty when none holds
// an index.html.
QString findSiteFolder(const QString& programFolder, const QString& installedDataFolder);

} // namespace tavrin
