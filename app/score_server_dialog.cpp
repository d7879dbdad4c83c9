#include "app/score_server_dialog.h"

#include "app/dialogs.h"
#include "graphics/screen_text.h"
#include "scores/score_page.h"
#include "scores/settings_store.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace tavrin::app {

namespace {

QString q(std::string_view text)
{
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

} // namespace

ScoreServerDialog::ScoreServerDialog(SettingsStore& settings, QWidget* parent)
    : QDialog(parent), settings_(settings)
{
    setObjectName(QStringLiteral("ScoreServerDialog"));
    setWindowTitle(graphics::screenText(TAVRIN_TEXT("app", "ハイスコア登録先")));
    auto* layout = new QVBoxLayout(this);
    auto* label = new QLabel(graphics::screenText(TAVRIN_TEXT("app", "ハイスコア登録用のページが送り先にするスコアサーバーのアドレス(&A)：")),
                             this);
    address_ = new QLineEdit(this);
    address_->setMaxLength(2048);
    address_->setText(q(settings_.get(kScoreServerSection, kScoreServerKey, "")).trimmed());
    address_->setPlaceholderText(q(kDefaultScoreServer));
    address_->setMinimumWidth(fontMetrics().horizontalAdvance(QLatin1Char('x')) * 48);
    label->setBuddy(address_);
    auto* note = new QLabel(graphics::screenText(
                                TAVRIN_TEXT("app", "空欄のときは、このコンピューターで動くtavrin-scores（%1）に送ります。"
                                                   "次に書き出すページから使われます。")
                                    .arg(Text(std::string(kDefaultScoreServer)))),
                            this);
    note->setTextFormat(Qt::PlainText);
    note->setWordWrap(true);
    problem_ = new QLabel(this);
    problem_->setTextFormat(Qt::PlainText);
    problem_->setWordWrap(true);
    problem_->setStyleSheet(QStringLiteral("color: #b00000;"));
    problem_->hide();
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &ScoreServerDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &ScoreServerDialog::reject);
    layout->addWidget(label);
    layout->addWidget(address_);
    layout->addWidget(note);
    layout->addWidget(problem_);
    layout->addWidget(buttons);
}

void ScoreServerDialog::accept()
{
    const QString typed = address_->text().trimmed();
    if (!typed.isEmpty() && !usableScoreServer(typed.toStdString())) {
        problem_->setText(graphics::screenText(
            TAVRIN_TEXT("app", "http:// か https:// で始まり、空白や引用符を含まないアドレスを入力してください。")));
        problem_->show();
        makeRoom();
        address_->setFocus();
        return;
    }
    if (typed.isEmpty()) {
        settings_.deleteKey(kScoreServerSection, kScoreServerKey);
    } else {
        settings_.save(kScoreServerSection, kScoreServerKey, typed.toStdString());
    }
    QDialog::accept();
}

// A window does not grow by itself for a wrapped label's second row: it grows
// to the height its rows need at its width, so no text is drawn over another.
void ScoreServerDialog::makeRoom()
{
    layout()->activate();
    const int needed = layout()->hasHeightForWidth() ? layout()->totalHeightForWidth(width()) : sizeHint().height();
    if (needed > height()) {
        resize(width(), needed);
    }
}

bool chooseScoreServer(SettingsStore& settings, QWidget* parent)
{
    ScoreServerDialog dialog(settings, parent);
    return runModal(dialog) == QDialog::Accepted;
}

} // namespace tavrin::app
