#include "app/high_score_dialog.h"

#include "app/dialogs.h"
#include "app/record_registration.h"
#include "graphics/screen_text.h"

#include <QClipboard>
#include <QGridLayout>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QUrl>

namespace tavrin::app {

namespace {
// Where the note under the table breaks into rows (between its sentences).
constexpr int kNoteWidth = 420;

QString q(std::string_view text)
{
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}
} // namespace

HighScoreDialog::HighScoreDialog(const HighScoreView& view, QWidget* parent) : QDialog(parent), view_(view)
{
    setObjectName(QStringLiteral("HiScoreForm"));
    setWindowTitle(graphics::screenText(view.caption));
    setModal(true);
    auto* grid = new QGridLayout(this);
    for (int r = 0; r < kScorePlaces; ++r) {
        const auto i = static_cast<std::size_t>(r);
        names_[i] = new QLabel(q(view.rows[i].name), this);
        scores_[i] = new QLabel(q(view.rows[i].score), this);
        scores_[i]->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        scores_[i]->setMinimumWidth(60);
        for (QLabel* label : {names_[i], scores_[i]}) {
            label->setTextFormat(Qt::PlainText); // names are typed by players
            QFont font = label->font();
            font.setBold(view.rows[i].bold);
            label->setFont(font);
        }
        grid->addWidget(names_[i], r, 0);
        grid->addWidget(scores_[i], r, 1);
    }
    int row = kScorePlaces;
    if (!view.note.empty()) {
        auto* note = new QLabel(this);
        note->setObjectName(QStringLiteral("note"));
        note->setTextFormat(Qt::PlainText);
        // The table widens for the note rather than break it in mid-word.
        setClauseText(*note, graphics::screenText(view.note), kNoteWidth);
        grid->addWidget(note, row++, 0, 1, 2);
    }
    auto* buttons = new QHBoxLayout;
    ok_ = new QPushButton(QStringLiteral("OK"), this);
    register_ = new QPushButton(graphics::screenText(kRegisterButton), this);
    copy_ = new QPushButton(graphics::screenText(kCopyButton), this);
    ranking_ = new QPushButton(graphics::screenText(kRegisterRecordButton), this);
    ranking_->setVisible(!view.recordRegistration.empty());
    register_->setVisible(view.registerVisible);
    register_->setEnabled(view.registerEnabled);
    copy_->setEnabled(view.copyEnabled);
    ok_->setDefault(true);
    buttons->addWidget(ok_);
    buttons->addWidget(register_);
    buttons->addWidget(copy_);
    buttons->addWidget(ranking_);
    grid->addLayout(buttons, row, 0, 1, 2);

    connect(ok_, &QPushButton::clicked, this, [this] {
        okPressed_ = true;
        accept();
    });
    connect(register_, &QPushButton::clicked, this, [this] {
        if (!page_.isEmpty()) {
            openInBrowser(QUrl::fromLocalFile(page_));
        }
    });
    connect(ranking_, &QPushButton::clicked, this, &HighScoreDialog::registerForRanking);
    connect(copy_, &QPushButton::clicked, this, [this] {
        QClipboard* clipboard = QGuiApplication::clipboard();
        clipboard->clear();
        clipboard->setText(graphics::screenText(clipboardText(view_)));
    });

    adjustSize();
    // Centred on the screen; at the corner when the screen is smaller.
    if (QScreen* screen = QGuiApplication::primaryScreen()) {
        const QRect area = screen->geometry();
        const int x = std::max(0, (area.width() - width()) / 2);
        const int y = std::max(0, (area.height() - height()) / 2);
        move(area.topLeft() + QPoint(x, y));
    }
}

// The game's record to the server, which replays it and ranks the score it
// gives; once it is there the button has done its part.
void HighScoreDialog::registerForRanking()
{
    ranking_->setEnabled(false);
    const RegistrationAnswer answer = registerRecord(QString::fromStdString(view_.registrationServer),
                                                     QByteArray::fromStdString(view_.recordRegistration));
    MessageRequest request;
    request.text = answer.message;
    request.title = defaultTitle();
    request.icon = answer.registered ? game::Icon::Information : game::Icon::Warning;
    showMessage(this, request);
    ranking_->setEnabled(!answer.registered);
}

} // namespace tavrin::app
