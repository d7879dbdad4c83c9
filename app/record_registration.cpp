#include "app/record_registration.h"

#include "engine/ui_text.h"
#include "graphics/screen_text.h"

#include <QEventLoop>
#include <QJsonDocument>
#include <QJsonObject>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QTimer>
#include <QUrl>

namespace tavrin::app {

namespace {

// No answer of the server comes near this.
constexpr qint64 kLongestAnswer = 64 * 1024;

} // namespace

RegistrationAnswer registerRecord(const QString& server, const QByteArray& json, int timeoutMs)
{
    RegistrationAnswer answer;
    QUrl url(server.trimmed());
    if (!url.isValid() || (url.scheme() != QLatin1String("http") && url.scheme() != QLatin1String("https"))) {
        answer.message = graphics::screenText(
            TAVRIN_TEXT("app", "ハイスコア登録先のアドレス（%1）が正しくありません。").arg(Text(server.toStdString())));
        return answer;
    }
    url.setPath(url.path().endsWith(u'/') ? url.path() + QStringLiteral("register") : url.path() + QStringLiteral("/register"));
    QNetworkAccessManager network;
    QNetworkRequest request(url);
    request.setHeader(QNetworkRequest::ContentTypeHeader, QStringLiteral("application/json"));
    request.setTransferTimeout(timeoutMs);
    QNetworkReply* reply = network.post(request, json);
    QEventLoop wait;
    QObject::connect(reply, &QNetworkReply::finished, &wait, &QEventLoop::quit);
    QTimer::singleShot(timeoutMs + 1000, &wait, &QEventLoop::quit);
    wait.exec();
    const int status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
    const QJsonObject said = QJsonDocument::fromJson(reply->read(kLongestAnswer)).object();
    const bool answered = reply->isFinished() && status > 0;
    reply->abort();
    reply->deleteLater();
    if (!answered) {
        answer.message = graphics::screenText(
            TAVRIN_TEXT("app", "ハイスコア登録先（%1）に接続できませんでした。").arg(Text(server.toStdString())));
        return answer;
    }
    answer.registered = status == 200;
    answer.message = said.value(QStringLiteral("message")).toString();
    if (answer.message.isEmpty()) {
        answer.message = graphics::screenText(TAVRIN_TEXT("app", "ハイスコア登録先の答えを読めませんでした（%1）。").arg(status));
    }
    return answer;
}

} // namespace tavrin::app
