#include "graphics/file_kind_chooser.h"

#include "graphics/graphics_set.h"
#include "graphics/pictures.h"
#include "graphics/screen_text.h"
#include "graphics/themes.h"

#include <QButtonGroup>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace tavrin::graphics {

FileKindChooser::FileKindChooser(QWidget* parent) : QDialog(parent)
{
    setWindowTitle(QStringLiteral("Tavrin for Windows"));
    setModal(true);

    label_ = new QLabel(screenText(TAVRIN_TEXT("graphics", "開きたいファイルの種類を選択してOKを押してください。")), this);
    group_ = new QButtonGroup(this);
    group_->setExclusive(true);

    constexpr Phrase kPicture = TAVRIN_TEXT("graphics", "%1(BMPファイル)");
    const std::array<Text, kFileKinds> texts{
        TAVRIN_TEXT("graphics", "問題ファイル(KEMファイル)"),
        TAVRIN_TEXT("graphics", "エコ・テーマ(KETファイル)"),
        kPicture.arg(graphicsKindName(0)),
        kPicture.arg(graphicsKindName(1)),
        kPicture.arg(graphicsKindName(2)),
        kPicture.arg(graphicsKindName(3)),
    };
    for (int i = 0; i < kFileKinds; ++i) {
        auto* button = new QRadioButton(screenText(texts[static_cast<std::size_t>(i)]), this);
        options_[static_cast<std::size_t>(i)] = button;
        group_->addButton(button, i);
    }

    frame_ = new QGroupBox(screenText(TAVRIN_TEXT("graphics", "画像ファイルの個別変更")), this);
    auto* frameLayout = new QVBoxLayout(frame_);
    for (int i = 2; i < kFileKinds; ++i) {
        frameLayout->addWidget(options_[static_cast<std::size_t>(i)]);
    }

    ok_ = new QPushButton(QStringLiteral("OK"), this);
    cancel_ = new QPushButton(QStringLiteral("Cancel"), this);
    ok_->setDefault(true);
    connect(ok_, &QPushButton::clicked, this, &FileKindChooser::okClicked);
    connect(cancel_, &QPushButton::clicked, this, &QDialog::reject);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(ok_);
    buttons->addWidget(cancel_);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(label_);
    layout->addWidget(options_[0]);
    layout->addWidget(options_[1]);
    layout->addWidget(frame_);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

std::optional<FileKind> FileKindChooser::selectedKind() const
{
    for (int i = 0; i < kFileKinds; ++i) {
        if (options_[static_cast<std::size_t>(i)]->isChecked()) {
            return static_cast<FileKind>(i);
        }
    }
    return std::nullopt;
}

void FileKindChooser::okClicked()
{
    // OK with nothing chosen leaves the window open.
    if (selectedKind()) {
        accept();
    }
}

std::optional<FileKind> FileKindChooser::choose(QWidget* parent)
{
    FileKindChooser chooser(parent);
    if (chooser.exec() != QDialog::Accepted) {
        return std::nullopt;
    }
    return chooser.selectedKind();
}

void openGraphicsKind(FileKind kind, Pictures& pictures, Themes& themes,
                      const std::function<QString(FileKind)>& askPath)
{
    auto ask = [&] { return askPath ? askPath(kind) : QString(); };
    switch (kind) {
    case FileKind::EcoTheme:
        pictures.forgetGraphicsFiles();
        themes.chooseThemeFile(ask());
        break;
    case FileKind::HyperRoadSheet: pictures.replaceHyperRoadSheet(ask()); break;
    case FileKind::NormalBackground: pictures.replaceBackground(ask(), 0); break;
    case FileKind::GoalBackground: pictures.replaceBackground(ask(), 1); break;
    case FileKind::Items: pictures.replaceItems(ask()); break;
    case FileKind::PuzzleFile: break;
    }
}

} // namespace tavrin::graphics
