// The high-score window: five places, OK, the registration button (shown only
// when a registration page was just written), the copy-to-clipboard button,
// and the ranking button (after a game that reached the goal: its record to
// the score server).
#pragma once

#include "scores/high_scores.h"

#include <QDialog>

#include <array>

class QLabel;
class QPushButton;

namespace tavrin::app {

class HighScoreDialog : public QDialog {
    Q_OBJECT
public:
    explicit HighScoreDialog(const HighScoreView& view, QWidget* parent = nullptr);

    // The page the registration button opens in the web browser.
    void setRegistrationPage(const QString& path) { page_ = path; }

    QLabel* nameLabel(int place) const { return names_.at(static_cast<std::size_t>(place)); }
    QLabel* scoreLabel(int place) const { return scores_.at(static_cast<std::size_t>(place)); }
    QPushButton* okButton() const { return ok_; }
    QPushButton* registerButton() const { return register_; }
    QPushButton* copyButton() const { return copy_; }
    // Registers the game just entered at the score server with its record.
    QPushButton* rankingButton() const { return ranking_; }
    // True once the OK button closed the window.
    bool okPressed() const { return okPressed_; }

private:
    void registerForRanking();
    HighScoreView view_;
    QString page_;
    std::array<QLabel*, kScorePlaces> names_{};
    std::array<QLabel*, kScorePlaces> scores_{};
    QPushButton* ok_ = nullptr;
    QPushButton* register_ = nullptr;
    QPushButton* copy_ = nullptr;
    QPushButton* ranking_ = nullptr;
    bool okPressed_ = false;
};

} // namespace tavrin::app
