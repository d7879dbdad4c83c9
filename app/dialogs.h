// Message boxes, input boxes, file dialogs and modal windows of the game.
// Each goes through a hook when one is installed, so that tests can read what
// would be shown and answer it without a person at the screen.
#pragma once

#include "game/box.h"

#include <QString>
#include <QStringList>

#include <functional>
#include <optional>

class QDialog;
class QFileDialog;
class QFontMetrics;
class QLabel;
class QUrl;
class QWidget;

namespace tavrin::app {

struct MessageRequest {
    QString text;
    QString title;
    game::Buttons buttons = game::Buttons::Ok;
    game::Icon icon = game::Icon::None;
    bool helpButton = false; // a Help button that opens the picture-loading topic
};

struct InputRequest {
    QString prompt;
    QString title;
    QString defaultText;
};

struct FileRequest {
    bool save = false;
    QString title;
    QString folder;
    QStringList filters;      // "description (pattern)" entries
    QString defaultSuffix;    // without the dot
};

using MessageHook = std::function<game::Answer(const MessageRequest&)>;
using InputHook = std::function<std::optional<QString>(const InputRequest&)>;
using FileHook = std::function<QString(const FileRequest&)>;
// Receives a modal window instead of it being run; returns the dialog's result.
using ModalHook = std::function<int(QDialog&)>;
// Receives a page to open in the web browser instead of the desktop.
using UrlHook = std::function<bool(const QUrl&)>;

void setMessageHook(MessageHook hook);
void setInputHook(InputHook hook);
void setFileHook(FileHook hook);
void setModalHook(ModalHook hook);
void setUrlHook(UrlHook hook);

// The program's default title: "Tavrin for Windows".
QString defaultTitle();

game::Answer showMessage(QWidget* parent, const MessageRequest& request);
std::optional<QString> askText(QWidget* parent, const InputRequest& request);
// "" when cancelled.
QString askFile(QWidget* parent, const FileRequest& request);
// Sets up the file dialog askFile shows.
void prepareFileDialog(QFileDialog& dialog, const FileRequest& request);
// Runs `dialog` modally (or hands it to the hook) and returns its result.
int runModal(QDialog& dialog);
// Opens `url` in the player's web browser (or hands it to the hook).
bool openInBrowser(const QUrl& url);

// A message whose lines hold tab-separated columns (a label, tabs, a
// number: the result box's totals) as rich text with the columns in a table,
// the labels left and the values right-aligned, so they line up whatever the
// labels' widths; everything else as plain lines. "" for a text without tabs.
QString tabulatedMessage(const QString& text);

// Japanese has no spaces, and a label left to wrap it breaks a sentence
// anywhere, in the middle of a word (「できませんでし／た。」). breakAtClauses
// breaks each line of `text` wider than `width` pixels only after the end of
// a clause (、。！？： and the closing brackets right after it), as many
// clauses to a row as fit; a clause wider than `width` stays whole.
QString breakAtClauses(const QString& text, const QFontMetrics& metrics, int width);
// Shows `text` in the word-wrapped `label` broken that way: the label is at
// least as wide as its widest row (up to `width`), so it breaks nowhere else.
void setClauseText(QLabel& label, const QString& text, int width);

// Called for the Help button of a message box.
void setHelpHandler(std::function<void()> handler);

} // namespace tavrin::app
