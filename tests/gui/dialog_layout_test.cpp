// Boxes laid out as a reader needs them: the High-Score Server box makes room
// for its red message instead of drawing it over the explanation, and
// Japanese sentences in the message boxes and under the series table break
// only between clauses, never in mid-word.
#include "gui_support.h"

#include "app/high_score_dialog.h"
#include "app/score_server_dialog.h"
#include "scores/high_score_texts.h"
#include "scores/settings_store.h"

#include <QApplication>
#include <QLineEdit>
#include <QMessageBox>
#include <QTextLayout>
#include <QTimer>

using namespace tavrin;
using namespace tavrin::gui_test;

namespace {

// The rows `label` shows, wrapped the way the label wraps its text.
QStringList shownRows(const QLabel& label)
{
    QStringList rows;
    const int width = label.contentsRect().width();
    for (const QString& paragraph : label.text().split(u'\n')) {
        QTextLayout layout(paragraph, label.font());
        QTextOption option;
        option.setWrapMode(label.wordWrap() ? QTextOption::WordWrap : QTextOption::NoWrap);
        layout.setTextOption(option);
        layout.beginLayout();
        for (QTextLine row = layout.createLine(); row.isValid(); row = layout.createLine()) {
            row.setLineWidth(width);
            rows.append(paragraph.mid(row.textStart(), row.textLength()));
        }
        layout.endLayout();
        rows.last() += u'\n'; // a paragraph's end is a sensible place
    }
    return rows;
}

void expectClauseBreaks(const QLabel& label)
{
    for (const QString& row : shownRows(label)) {
        const QChar last = row.trimmed().isEmpty() ? u'\n' : row.back() == u'\n' ? u'\n' : row.trimmed().back();
        QVERIFY2(last == u'\n' || QStringView(u"、。！？」）").contains(last),
                 qPrintable(QStringLiteral("row broken in mid-word: ") + row + QStringLiteral(" | in ") + label.text()));
    }
}

} // namespace

class DialogLayoutTest : public QObject {
    Q_OBJECT
private slots:
    void scoreServerMessageHasItsOwnRoom();
    void messageBoxBreaksBetweenClauses();
    void seriesTableNoteBreaksBetweenSentences();
};

void DialogLayoutTest::scoreServerMessageHasItsOwnRoom()
{
    MemorySettingsStore settings;
    app::ScoreServerDialog dialog(settings);
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    dialog.addressBox()->setText(QStringLiteral("ftp://scores.example.org"));
    dialog.accept();
    QApplication::processEvents();
    QVERIFY(dialog.isVisible());
    QLabel* problem = dialog.problemLabel();
    QVERIFY(problem->isVisible());
    for (QLabel* label : dialog.findChildren<QLabel*>()) {
        // Every label gets the height its wrapped rows need ...
        QVERIFY2(label->height() >= label->heightForWidth(label->width()),
                 qPrintable(label->text() + QStringLiteral(": %1 < %2").arg(label->height()).arg(label->heightForWidth(label->width()))));
        // ... and none overlaps another.
        if (label != problem) {
            QVERIFY2(!label->geometry().intersects(problem->geometry()), qPrintable(label->text()));
        }
    }
}

void DialogLayoutTest::messageBoxBreaksBetweenClauses()
{
    // The box after a game lost by discarding, and a longer text of several clauses.
    const QStringList texts{
        u("残念！100手以内で全てのハイパーロードをつなげることができませんでした。\n"
          "今回の得点は残念ですが、ハイスコアの対象になりません。"),
        u("このファイルは問題ファイルとして読み込むことができませんでした。ファイルが壊れているか、"
          "ほかのプログラムのファイルです。別のファイルを選ぶか、問題を作りなおしてください。")};
    for (const QString& text : texts) {
        bool seen = false;
        QTimer::singleShot(0, [&] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            QVERIFY(box != nullptr);
            auto* label = box->findChild<QLabel*>(QStringLiteral("qt_msgbox_label"));
            QVERIFY(label != nullptr);
            QCOMPARE(QString(label->text()).remove(u'\n'), QString(text).remove(u'\n'));
            expectClauseBreaks(*label);
            seen = true;
            box->accept();
        });
        app::MessageRequest request;
        request.text = text;
        app::showMessage(nullptr, request);
        QVERIFY(seen);
    }
}

void DialogLayoutTest::seriesTableNoteBreaksBetweenSentences()
{
    HighScoreView view;
    view.series = true;
    view.caption = Text(std::string("test.kem"));
    view.note = Text(kSeriesTableNote);
    app::HighScoreDialog dialog(view);
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    auto* note = dialog.findChild<QLabel*>(QStringLiteral("note"));
    QVERIFY(note != nullptr);
    expectClauseBreaks(*note);
}

QTEST_MAIN(DialogLayoutTest)
#include "dialog_layout_test.moc"
