// The small modal window of the Open command: which kind of file to open (a
// puzzle file, an eco theme, or one of the four pictures on its own).
#pragma once

#include <QDialog>

#include <array>
#include <functional>
#include <optional>

class QButtonGroup;
class QGroupBox;
class QLabel;
class QPushButton;
class QRadioButton;

namespace tavrin::graphics {

class Pictures;
class Themes;

enum class FileKind : int {
    PuzzleFile = 0,
    EcoTheme = 1,
    HyperRoadSheet = 2,
    NormalBackground = 3,
    GoalBackground = 4,
    Items = 5,
};
inline constexpr int kFileKinds = 6;

class FileKindChooser : public QDialog {
    Q_OBJECT
public:
    explicit FileKindChooser(QWidget* parent = nullptr);

    // Shows the chooser modally; the chosen kind after OK, nothing after Cancel
    // or closing. The window is gone before this returns.
    static std::optional<FileKind> choose(QWidget* parent);

    // The checked option, if any.
    std::optional<FileKind> selectedKind() const;

    QLabel* label() const { return label_; }
    QRadioButton* option(int i) const { return options_[static_cast<std::size_t>(i)]; }
    QGroupBox* pictureFrame() const { return frame_; }
    QPushButton* okButton() const { return ok_; }
    QPushButton* cancelButton() const { return cancel_; }

private:
    void okClicked();

    QLabel* label_ = nullptr;
    std::array<QRadioButton*, kFileKinds> options_{};
    QButtonGroup* group_ = nullptr;
    QGroupBox* frame_ = nullptr;
    QPushButton* ok_ = nullptr;
    QPushButton* cancel_ = nullptr;
};

// What the chooser's picture and theme kinds do. `askPath(kind)` shows the
// open-file dialog for that kind (replaceDialogTitle(...) or the theme
// dialog) and returns its answer, "" when cancelled. The eco theme kind forgets
// the four remembered picture files before it asks. PuzzleFile is the
// window's own and does nothing here.
void openGraphicsKind(FileKind kind, Pictures& pictures, Themes& themes,
                      const std::function<QString(FileKind)>& askPath);

} // namespace tavrin::graphics
