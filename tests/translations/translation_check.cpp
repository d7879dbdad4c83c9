// Checks the translations against the code:
//   translation_check --ts FILE [--data PATH]... --scan ROOT FOLDER...
// FILE is a .ts file just brought up to date with the code by lupdate. Every
// text in it must have a finished translation that keeps the source's
// placeholders (%1 ... %9) and, when the source has one, a mnemonic (&X).
// The scan looks through the C++ files of ROOT/FOLDER... for string literals
// with non-ASCII characters (our Japanese texts) that are not marked for
// translation: inside TAVRIN_TEXT(...), tr(...), translate(...) or
// QT_TRANSLATE_NOOP(...). A line that says "not for translation" is left
// alone, and so is every file named by --data (relative to ROOT).
// Prints each problem and exits 1 when there is any.

#include <QCoreApplication>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QRegularExpression>
#include <QStringList>
#include <QXmlStreamReader>

#include <cstdio>

namespace {

int problems = 0;

void report(const QString& text)
{
    std::fprintf(stderr, "%s\n", text.toUtf8().constData());
    ++problems;
}

QStringList placeholders(const QString& text)
{
    QStringList found;
    static const QRegularExpression pattern(QStringLiteral("%[1-9]"));
    for (auto it = pattern.globalMatch(text); it.hasNext();) {
        found.append(it.next().captured());
    }
    found.sort();
    return found;
}

bool hasMnemonic(const QString& text)
{
    static const QRegularExpression pattern(QStringLiteral("(^|[^&])&[^&\\s]"));
    return pattern.match(text).hasMatch();
}

void checkMessage(const QString& context, const QString& source, const QString& translation, const QString& type)
{
    if (type == QStringLiteral("vanished") || type == QStringLiteral("obsolete")) {
        return; // no longer in the code
    }
    const QString where = context + QStringLiteral(": \"") + source + QStringLiteral("\"");
    if (type == QStringLiteral("unfinished") || translation.isEmpty()) {
        report(QStringLiteral("no finished English translation: ") + where);
        return;
    }
    if (placeholders(source) != placeholders(translation)) {
        report(QStringLiteral("placeholders differ in the translation \"") + translation + QStringLiteral("\" of ") + where);
    }
    if (hasMnemonic(source) && !hasMnemonic(translation)) {
        report(QStringLiteral("mnemonic (&) missing in the translation \"") + translation + QStringLiteral("\" of ") + where);
    }
}

int checkTs(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        report(QStringLiteral("cannot read ") + path);
        return 0;
    }
    QXmlStreamReader xml(&file);
    QString context;
    QString source;
    QString translation;
    QString type;
    int messages = 0;
    while (!xml.atEnd()) {
        xml.readNext();
        if (xml.isStartElement()) {
            const auto name = xml.name();
            if (name == QStringLiteral("name")) {
                context = xml.readElementText();
            } else if (name == QStringLiteral("message")) {
                source.clear();
                translation.clear();
                type.clear();
            } else if (name == QStringLiteral("source")) {
                source = xml.readElementText();
            } else if (name == QStringLiteral("translation")) {
                type = xml.attributes().value(QStringLiteral("type")).toString();
                translation = xml.readElementText(QXmlStreamReader::IncludeChildElements);
            }
        } else if (xml.isEndElement() && xml.name() == QStringLiteral("message")) {
            checkMessage(context, source, translation, type);
            ++messages;
        }
    }
    if (xml.hasError()) {
        report(path + QStringLiteral(": ") + xml.errorString());
    }
    return messages;
}

// The marks whose string literals lupdate collects.
bool isMark(const QString& word)
{
    return word == QStringLiteral("TAVRIN_TEXT") || word == QStringLiteral("tr") || word == QStringLiteral("translate")
           || word == QStringLiteral("QT_TRANSLATE_NOOP") || word == QStringLiteral("QT_TR_NOOP");
}

// Walks one C++ file: comments and character literals are skipped; string
// literals are checked unless they lie inside a mark's parentheses.
void scanFile(const QString& path, const QString& shownPath)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        report(QStringLiteral("cannot read ") + path);
        return;
    }
    const QString code = QString::fromUtf8(file.readAll());
    const QStringList lines = code.split(u'\n');
    int line = 1;
    int depth = 0;     // parentheses open
    int markDepth = 0; // depth inside the outermost mark, 0 when outside
    QString word;      // the identifier just read
    bool pendingMark = false;
    const qsizetype n = code.size();
    for (qsizetype i = 0; i < n; ++i) {
        const QChar c = code[i];
        if (c == u'\n') {
            ++line;
            continue;
        }
        if (c == u'/' && i + 1 < n && code[i + 1] == u'/') {
            while (i < n && code[i] != u'\n') {
                ++i;
            }
            --i;
            continue;
        }
        if (c == u'/' && i + 1 < n && code[i + 1] == u'*') {
            for (i += 2; i + 1 < n && !(code[i] == u'*' && code[i + 1] == u'/'); ++i) {
                line += code[i] == u'\n' ? 1 : 0;
            }
            ++i;
            continue;
        }
        if (c == u'\'' ) {
            for (++i; i < n && code[i] != u'\''; ++i) {
                i += code[i] == u'\\' ? 1 : 0;
            }
            word.clear();
            continue;
        }
        if (c == u'"') {
            const int startLine = line;
            bool foreign = false;
            for (++i; i < n && code[i] != u'"'; ++i) {
                if (code[i] == u'\\') {
                    ++i;
                } else if (code[i].unicode() > 0x7f) {
                    foreign = true;
                }
            }
            const QString& text = lines.value(startLine - 1);
            if (foreign && markDepth == 0 && !text.contains(QStringLiteral("not for translation"))) {
                report(shownPath + u':' + QString::number(startLine) + QStringLiteral(": text not marked for translation: ")
                       + text.trimmed());
            }
            word.clear();
            continue;
        }
        if (c.isLetterOrNumber() || c == u'_') {
            word += c;
            continue;
        }
        if (!word.isEmpty()) {
            pendingMark = isMark(word);
            word.clear();
        }
        if (c.isSpace()) {
            continue;
        }
        if (c == u'(') {
            ++depth;
            if (pendingMark && markDepth == 0) {
                markDepth = depth;
            }
        } else if (c == u')') {
            if (markDepth == depth) {
                markDepth = 0;
            }
            --depth;
        }
        pendingMark = false;
    }
}

} // namespace

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    QStringList args = app.arguments().mid(1);
    QString ts;
    QStringList data;
    QString root;
    QStringList folders;
    for (qsizetype i = 0; i < args.size(); ++i) {
        if (args[i] == QStringLiteral("--ts") && i + 1 < args.size()) {
            ts = args[++i];
        } else if (args[i] == QStringLiteral("--data") && i + 1 < args.size()) {
            data.append(args[++i]);
        } else if (args[i] == QStringLiteral("--scan") && i + 1 < args.size()) {
            root = args[++i];
            folders = args.mid(i + 1);
            break;
        }
    }
    if (ts.isEmpty() || root.isEmpty() || folders.isEmpty()) {
        std::fprintf(stderr, "usage: translation_check --ts FILE [--data PATH]... --scan ROOT FOLDER...\n");
        return 2;
    }
    const int messages = checkTs(ts);
    const QDir base(root);
    int files = 0;
    for (const QString& folder : folders) {
        QDirIterator it(base.filePath(folder), {QStringLiteral("*.cpp"), QStringLiteral("*.h")}, QDir::Files,
                        QDirIterator::Subdirectories);
        while (it.hasNext()) {
            const QString path = it.next();
            const QString shown = base.relativeFilePath(path);
            if (!data.contains(shown)) {
                scanFile(path, shown);
                ++files;
            }
        }
    }
    std::printf("%d texts, %d files: %d problems\n", messages, files, problems);
    return problems == 0 ? 0 : 1;
}
