// Shared helpers of the window tests: answering boxes and dialogs through the
// window's hooks, a fresh program folder and settings, mouse clicks on cells.
#pragma once

#include "app/board_widgets.h"
#include "app/dialogs.h"
#include "app/game_shell.h"
#include "app/qt_settings_store.h"
#include "engine/puzzle.h"
#include "graphics/file_kind_chooser.h"
#include "graphics/screen_text.h"
#include "puzzles/kem_file.h"

#include <QLabel>
#include <QAction>
#include <QDialog>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTest>

#include <deque>
#include <functional>
#include <memory>

namespace tavrin::gui_test {

using app::FileRequest;
using app::InputRequest;
using app::MessageRequest;

// Records every box the window shows and answers from queues (Yes / "" /
// cancel when a queue is empty).
struct Boxes {
    QList<MessageRequest> messages;
    QList<InputRequest> inputs;
    QList<FileRequest> files;
    QStringList modals; // class names of the modal windows shown
    std::deque<game::Answer> answers;
    std::deque<std::optional<QString>> texts;
    std::deque<QString> paths;
    std::deque<std::function<int(QDialog&)>> dialogs;

    Boxes()
    {
        app::setMessageHook([this](const MessageRequest& r) {
            messages.append(r);
            if (answers.empty()) {
                return r.buttons == game::Buttons::YesNo ? game::Answer::Yes : game::Answer::Ok;
            }
            const game::Answer a = answers.front();
            answers.pop_front();
            return a;
        });
        app::setInputHook([this](const InputRequest& r) -> std::optional<QString> {
            inputs.append(r);
            if (texts.empty()) {
                return std::nullopt;
            }
            const bool answered = texts.front().has_value();
            const QString t = answered ? *texts.front() : QString();
            texts.pop_front();
            if (!answered) {
                return std::nullopt;
            }
            return t;
        });
        app::setFileHook([this](const FileRequest& r) {
            files.append(r);
            if (paths.empty()) {
                return QString();
            }
            const QString p = paths.front();
            paths.pop_front();
            return p;
        });
        app::setModalHook([this](QDialog& d) {
            modals.append(QString::fromLatin1(d.metaObject()->className()));
            if (dialogs.empty()) {
                return int(QDialog::Rejected);
            }
            auto handler = dialogs.front();
            dialogs.pop_front();
            return handler(d);
        });
    }
    ~Boxes()
    {
        app::setMessageHook({});
        app::setInputHook({});
        app::setFileHook({});
        app::setModalHook({});
    }
    QString lastMessage() const { return messages.isEmpty() ? QString() : messages.back().text; }
};

// A program folder of its own and empty settings for every test.
struct Fixture {
    QTemporaryDir folder;
    Boxes boxes;
    std::unique_ptr<app::GameShell> shell;

    explicit Fixture(const QStringList& arguments = {})
    {
        app::openSettings()->clear();
        shell = std::make_unique<app::GameShell>(app::ShellOptions{folder.path(), arguments});
    }
    app::GameShell& operator*() { return *shell; }
    app::GameShell* operator->() { return shell.get(); }
    QString file(const QString& name) const { return folder.filePath(name); }

    // Starts the program and waits for the first free game.
    void startFreeGame()
    {
        shell->start();
        shell->show();
        QTRY_VERIFY_WITH_TIMEOUT(shell->controller().freeGame().active(), 5000);
    }
    QAction* action(game::Command c) { return shell->form().action(c); }
    void clickCell(int cell)
    {
        QTest::mouseClick(shell->form().board(), Qt::LeftButton, {}, app::BoardView::cellCentre(cell));
    }
    void pressPalette(int entry)
    {
        QTest::mousePress(shell->form().paletteEntry(entry), Qt::LeftButton);
    }
    // Waits until no placement sequence or timer-driven step is pending.
    bool settled()
    {
        const game::Output& out = shell->session().output();
        return !out.timerOn(game::Timer::Evaluation) && !out.timerOn(game::Timer::AfterDiscard)
               && !out.timerOn(game::Timer::StartUp);
    }
    // The status text as shown.
    std::string status() { return shell->form().statusLabel()->text().toStdString(); }
};

// A one-puzzle file (two straights to connect) at `path`; its name, or "" when
// it could not be written.
inline QString writePuzzle(const QString& path)
{
    Puzzle p = newPuzzle();
    p.mode = kFullConnection;
    p.comment = fitComment("つなげよう");
    p.cells[0] = 0;
    p.cells[2] = 0;
    const kem::PuzzleFileSave saved = kem::savePuzzleFile(path.toStdString(), {p});
    return saved.saved() ? QString::fromStdString(saved.path) : QString();
}

// Answers the file-kind chooser with `kind`.
inline std::function<int(QDialog&)> chooseKind(graphics::FileKind kind)
{
    return [kind](QDialog& d) {
        auto* chooser = qobject_cast<graphics::FileKindChooser*>(&d);
        if (chooser == nullptr) {
            return int(QDialog::Rejected);
        }
        chooser->option(static_cast<int>(kind))->setChecked(true);
        return int(QDialog::Accepted);
    };
}

// The built translations, copied into the test's program folder.
inline void copyTranslations(const Fixture& f)
{
    const QDir built(QFileInfo(qEnvironmentVariable("TAVRIN_BIN")).absolutePath());
    QDir(f.folder.path()).mkdir(QStringLiteral("translations"));
    QFile::copy(built.filePath(QStringLiteral("translations/tavrin_en.qm")),
                f.file(QStringLiteral("translations/tavrin_en.qm")));
}

inline QString u(const char* text)
{
    return QString::fromUtf8(text);
}

} // namespace tavrin::gui_test
