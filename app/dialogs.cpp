#include "app/dialogs.h"

#include <QApplication>
#include <QComboBox>
#include <QDesktopServices>
#include <QDialog>
#include <QFileDialog>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QInputDialog>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QTextLayout>

#include <algorithm>

namespace tavrin::app {

namespace {

struct Hooks {
    MessageHook message;
    InputHook input;
    FileHook file;
    ModalHook modal;
    UrlHook url;
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

// Whether `line` wraps into at most `rows` rows of `width` pixels, the way a
// label wraps it (a run without a break opportunity must fit one row).
bool wrapsWithin(const QString& line, const QFont& font, int width, int rows)
{
    QTextLayout layout(line, font);
    QTextOption option;
    option.setWrapMode(QTextOption::WordWrap);
    layout.setTextOption(option);
    layout.beginLayout();
    bool fits = true;
    int used = 0;
    for (QTextLine row = layout.createLine(); row.isValid(); row = layout.createLine()) {
        row.setLineWidth(width);
        if (row.naturalTextWidth() > width || ++used > rows) {
            fits = false;
            break;
        }
    }
    layout.endLayout();
    return fits;
}

// The text of a message box, cut so the box fits the screen: a box that shows
// a path someone made absurdly long (or a text of many lines) would otherwise
// grow past it, its buttons out of reach. A line that would not wrap into its
// share of rows loses its middle and takes one row (a path keeps its start
// and its file name, and the sentence after it stays whole); too many lines
// lose the middle ones.
QString fitToScreen(const QString& text, const QFont& font, const QRect& screen)
{
    const QFontMetrics metrics(font);
    const int rowWidth = std::max(200, std::min(screen.width() - 160, 1000));
    const int maxRows = std::max(4, screen.height() / 2 / std::max(1, metrics.lineSpacing()));
    QStringList lines = text.split(u'\n');
    if (lines.size() > maxRows) {
        const qsizetype keepEnd = maxRows / 2 - 1;
        const QString gap = QStringLiteral("…"); // not for translation
        lines = lines.mid(0, maxRows / 2) + QStringList{gap} + lines.mid(lines.size() - keepEnd);
    }
    const int rowsPerLine = std::max<int>(1, maxRows / static_cast<int>(lines.size()));
    for (QString& line : lines) {
        const bool fits = metrics.horizontalAdvance(line) <= rowWidth
                          || (metrics.horizontalAdvance(line) <= rowWidth * rowsPerLine
                              && wrapsWithin(line, font, rowWidth, rowsPerLine));
        if (!fits) {
            line = metrics.elidedText(line, Qt::ElideMiddle, rowWidth);
        }
    }
    return lines.join(u'\n');
}

bool endsClause(QChar c)
{
    return QStringView(u"、。，．！？：").contains(c); // not for translation
}

bool closesBracket(QChar c)
{
    return QStringView(u"」』）】〕〉》”’)").contains(c); // not for translation
}

QStringList clauses(const QString& line)
{
    QStringList parts;
    qsizetype start = 0;
    for (qsizetype i = 0; i < line.size(); ++i) {
        if (!endsClause(line[i])) {
            continue;
        }
        qsizetype end = i + 1;
        while (end < line.size() && (closesBracket(line[end]) || endsClause(line[end]))) {
            ++end;
        }
        parts.append(line.mid(start, end - start));
        start = end;
        i = end - 1;
    }
    if (start < line.size()) {
        parts.append(line.mid(start));
    }
    return parts;
}

bool hasJapanese(const QString& text)
{
    return std::any_of(text.begin(), text.end(), [](QChar c) { return c.unicode() >= 0x3000; });
}

// The widest a message box's text may be before Qt's box breaks it wherever
// it likes (its own limit, less the icon and the margins), and at most a
// comfortable reading width.
int messageRowWidth(const QRect& screen)
{
    const int boxLimit = screen.width() <= 1024 ? screen.width() : std::min(screen.width() - 480, 1000);
    return std::max(200, std::min(720, boxLimit - 160));
}

} // namespace

QString breakAtClauses(const QString& text, const QFontMetrics& metrics, int width)
{
    QStringList rows;
    for (const QString& line : text.split(u'\n')) {
        if (metrics.horizontalAdvance(line) <= width) {
            rows.append(line);
            continue;
        }
        QString row;
        for (const QString& clause : clauses(line)) {
            if (!row.isEmpty() && metrics.horizontalAdvance(row + clause) > width) {
                rows.append(row);
                row.clear();
            }
            row += clause;
        }
        rows.append(row);
    }
    return rows.join(u'\n');
}

void setClauseText(QLabel& label, const QString& text, int width)
{
    const QFontMetrics metrics = label.fontMetrics();
    const QString broken = breakAtClauses(text, metrics, width);
    int widest = 0;
    for (const QString& row : broken.split(u'\n')) {
        widest = std::max(widest, metrics.horizontalAdvance(row));
    }
    label.setWordWrap(true);
    label.setText(broken);
    // A couple of pixels for the rounding between measuring and drawing.
    const QMargins margins = label.contentsMargins();
    label.setMinimumWidth(std::min(widest, width) + 2 + margins.left() + margins.right() + 2 * std::max(0, label.margin()));
}

QString tabulatedMessage(const QString& text)
{
    if (!text.contains(u'\t')) {
        return {};
    }
    QString html;
    bool inTable = false;
    const QStringList lines = text.split(u'\n');
    for (qsizetype i = 0; i < lines.size(); ++i) {
        const QString& line = lines[i];
        const qsizetype tab = line.indexOf(u'\t');
        if (tab >= 0) {
            if (!inTable) {
                html += QStringLiteral("<table cellspacing=\"0\" cellpadding=\"0\">");
                inTable = true;
            }
            const QString label = line.left(tab);
            const QString value = line.mid(line.lastIndexOf(u'\t') + 1);
            html += QStringLiteral("<tr><td>%1</td><td width=\"16\"></td><td align=\"right\">%2</td></tr>")
                        .arg(label.toHtmlEscaped(), value.toHtmlEscaped());
            continue;
        }
        if (inTable) {
            html += QStringLiteral("</table>");
            inTable = false;
        }
        html += line.toHtmlEscaped();
        // A line break after every line but the last, and none before a table.
        const bool tableNext = i + 1 < lines.size() && lines[i + 1].contains(u'\t');
        if (i + 1 < lines.size() && !tableNext) {
            html += QStringLiteral("<br>");
        }
    }
    if (inTable) {
        html += QStringLiteral("</table>");
    }
    return html;
}

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
void setUrlHook(UrlHook hook) { hooks().url = std::move(hook); }
void setHelpHandler(std::function<void()> handler) { hooks().help = std::move(handler); }

QString defaultTitle()
{
    return QStringLiteral("Tavrin for Windows");
}

// A box asks for an answer: the arrow pointer over it, even while busy.
class ArrowPointer {
public:
    ArrowPointer() : pushed_(QApplication::overrideCursor() != nullptr)
    {
        if (pushed_) {
            QApplication::setOverrideCursor(Qt::ArrowCursor);
        }
    }
    ~ArrowPointer()
    {
        if (pushed_) {
            QApplication::restoreOverrideCursor();
        }
    }
    ArrowPointer(const ArrowPointer&) = delete;
    ArrowPointer& operator=(const ArrowPointer&) = delete;

private:
    bool pushed_;
};

game::Answer showMessage(QWidget* parent, const MessageRequest& request)
{
    if (hooks().message) {
        return hooks().message(request);
    }
    const ArrowPointer arrow;
    QMessageBox box(parent);
    box.setWindowTitle(request.title.isEmpty() ? defaultTitle() : request.title);
    // Names, paths and goal texts come from people and files: never rich text.
    box.setTextFormat(Qt::PlainText);
    const QScreen* screen = parent != nullptr ? parent->screen() : QGuiApplication::primaryScreen();
    const QString text = screen != nullptr ? fitToScreen(request.text, box.font(), screen->availableGeometry())
                                           : request.text;
    // Columns (the result box's totals) line up in a table; every text in
    // it is escaped, so nothing typed or read becomes markup.
    const QString table = tabulatedMessage(text);
    if (!table.isEmpty()) {
        box.setTextFormat(Qt::RichText);
        box.setText(table);
    } else {
        box.setText(text);
        // Japanese sentences break only between clauses, the box as wide as
        // that needs (English wraps at its spaces as before).
        auto* label = box.findChild<QLabel*>(QStringLiteral("qt_msgbox_label"));
        if (label != nullptr && screen != nullptr && hasJapanese(text)) {
            setClauseText(*label, text, messageRowWidth(screen->availableGeometry()));
        }
    }
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
    const ArrowPointer arrow;
    QInputDialog dialog(parent);
    dialog.setWindowTitle(request.title.isEmpty() ? defaultTitle() : request.title);
    dialog.setLabelText(request.prompt);
    dialog.setTextValue(request.defaultText);
    // The prompt may hold a file's name: shown as it is, never as rich text.
    for (QLabel* label : dialog.findChildren<QLabel*>()) {
        label->setTextFormat(Qt::PlainText);
    }
    if (dialog.exec() != QDialog::Accepted) {
        return std::nullopt;
    }
    return dialog.textValue();
}

QString askFile(QWidget* parent, const FileRequest& request)
{
    if (hooks().file) {
        return hooks().file(request);
    }
    const ArrowPointer arrow;
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
    const ArrowPointer arrow;
    return dialog.exec();
}

bool openInBrowser(const QUrl& url)
{
    if (hooks().url) {
        return hooks().url(url);
    }
    return QDesktopServices::openUrl(url);
}

} // namespace tavrin::app
