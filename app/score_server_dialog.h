// The options' score-server box: where the registration pages post to. The
// address is kept in the settings under "Options" / "ScoreServer"; an empty
// entry goes back to tavrin-scores on this machine.
#pragma once

#include <QDialog>

class QLabel;
class QLineEdit;

namespace tavrin {
class SettingsStore;
}

namespace tavrin::app {

class ScoreServerDialog : public QDialog {
    Q_OBJECT
public:
    ScoreServerDialog(SettingsStore& settings, QWidget* parent = nullptr);

    QLineEdit* addressBox() const { return address_; }
    QLabel* problemLabel() const { return problem_; }

    // Stores what was typed and closes; an unusable address keeps the box
    // open with a word on why.
    void accept() override;

private:
    void makeRoom();

    SettingsStore& settings_;
    QLineEdit* address_ = nullptr;
    QLabel* problem_ = nullptr;
};

// Shows the box modally; true when the address was stored.
bool chooseScoreServer(SettingsStore& settings, QWidget* parent);

} // namespace tavrin::app
