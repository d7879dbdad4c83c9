#include "app/dialogs.h"

#include <QComboBox>
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

constexpr QStringView kAnyFile = u"(*.*)";

} // namespace

void prepareFileDialog(QFileDialog& dialog, const FileRequest& request)
{
    dialog.setWindowTitle(request.title);
    dialog.setDirectory(request.folder);
    // Qt's own dialog speaks the language chosen for the game (a desktop's
    // dialog would speak the desktop's).
    dialog.setOption(QFileDialog::DontUseNativeDialog, true);
    dialog.setOption(QFileDialog::ReadOnly, false);
    // "(*.*)" means every file, names without a dot included; Qt reads it
    // literally, so the dialog matches "*" and still shows the entry as written.
    QStringList filters;
    for (const QString& filter : request.filters) {
        filters.append(filter.endsWith(kAnyFile) ? filter.chopped(kAnyFile.size()) + QStringLiteral("(*)") : filter);
    }
    dialog.setNameFilters(filters);
    if (auto* combo = dialog.findChild<QComboBox*>(QStringLiteral("fileTypeCombo"))) {
        for (int i = 0; i < combo->count() && i < request.filters.size(); ++i) {
            combo->setItemText(i, request.filters[i]);
        }
    }
    dialog.setDefaultSuffix(request.defaultSuffix);
    if (request.save) {
        dialog.setAcceptMode(QFileDialog::AcceptSave);
        dialog.setFileMode(QFileDialog::AnyFile);
    } else {
        dialog.setAcceptMode(QFileDialog::AcceptOpen);
        dialog.setFileMode(QFileDialog::ExistingFile);
    }
}

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
    QFileDialog dialog(parent);
    prepareFileDialog(dialog, request);
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
