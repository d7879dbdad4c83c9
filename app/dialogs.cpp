#include "app/dialogs.h"

#include <QDialog>
#include <QFileDialog>
#include <QInputDialog>
#include <QMessageBox>
#include <QPushButton>

namespace tavrin::app {

namespace {

struct Hooks {
    MessageHook message;
    InputHook input;
    FileHook file;
    ModalHook modal;
    std::function<void()> help;
};

Hooks& hooks()
{
    static Hooks instance;
    return instance;
}

QMessageBox::Icon qtIcon(game::Icon icon)
{
    switch (icon) {
    case game::Icon::Information: return QMessageBox::Information;
    case game::Icon::Question: return QMessageBox::Question;
    case game::Icon::Warning: return QMessageBox::Warning;
    case game::Icon::Critical: return QMessageBox::Critical;
    case game::Icon::None: break;
    }
    return QMessageBox::NoIcon;
}

} // namespace

void setMessageHook(MessageHook hook) { hooks().message = std::move(hook); }
void setInputHook(InputHook hook) { hooks().input = std::move(hook); }
void setFileHook(FileHook hook) { hooks().file = std::move(hook); }
void setModalHook(ModalHook hook) { hooks().modal = std::move(hook); }
void setHelpHandler(std::function<void()> handler) { hooks().help = std::move(handler); }

QString defaultTitle()
{
    return QStringLiteral("Tavrin for Windows");
}

game::Answer showMessage(QWidget* parent, const MessageRequest& request)
{
    if (hooks().message) {
        return hooks().message(request);
    }
    QMessageBox box(parent);
    box.setWindowTitle(request.title.isEmpty() ? defaultTitle() : request.title);
    box.setText(request.text);
    box.setIcon(qtIcon(request.icon));
    QPushButton* yes = nullptr;
    if (request.buttons == game::Buttons::YesNo) {
        yes = box.addButton(QMessageBox::Yes);
        box.addButton(QMessageBox::No);
        box.setDefaultButton(yes);
    } else {
        box.addButton(QMessageBox::Ok);
    }
    QPushButton* help = request.helpButton ? box.addButton(QMessageBox::Help) : nullptr;
    for (;;) {
        box.exec();
        if (help != nullptr && box.clickedButton() == help) {
            if (hooks().help) {
                hooks().help();
            }
            continue; // the question is still open
        }
        break;
    }
    if (request.buttons == game::Buttons::YesNo) {
        return box.clickedButton() == yes ? game::Answer::Yes : game::Answer::No;
    }
    return game::Answer::Ok;
}

std::optional<QString> askText(QWidget* parent, const InputRequest& request)
{
    if (hooks().input) {
        return hooks().input(request);
    }
    bool ok = false;
    const QString text = QInputDialog::getText(parent, request.title.isEmpty() ? defaultTitle() : request.title,
                                               request.prompt, QLineEdit::Normal, request.defaultText, &ok);
    if (!ok) {
        return std::nullopt;
    }
    return text;
}

QString askFile(QWidget* parent, const FileRequest& request)
{
    if (hooks().file) {
        return hooks().file(request);
    }
    QFileDialog dialog(parent, request.title, request.folder);
    dialog.setNameFilters(request.filters);
    dialog.setDefaultSuffix(request.defaultSuffix);
    dialog.setOption(QFileDialog::ReadOnly, false);
    if (request.save) {
        dialog.setAcceptMode(QFileDialog::AcceptSave);
        dialog.setFileMode(QFileDialog::AnyFile);
    } else {
        dialog.setAcceptMode(QFileDialog::AcceptOpen);
        dialog.setFileMode(QFileDialog::ExistingFile);
    }
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
        return {};
    }
    return dialog.selectedFiles().front();
}

int runModal(QDialog& dialog)
{
    if (hooks().modal) {
        return hooks().modal(dialog);
    }
    return dialog.exec();
}

} // namespace tavrin::app
