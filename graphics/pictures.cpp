#include "graphics/pictures.h"

#include "graphics/qt_pixels.h"
#include "graphics/raster.h"

#include <QFileInfo>
#include <QImageReader>

namespace tavrin::graphics {

namespace {

constexpr Phrase kNotBitmap = TAVRIN_TEXT("graphics", "ファイルがビットマップ形式ではありません。");
constexpr Phrase kSheetSize = TAVRIN_TEXT("graphics", "ビットマップのファイルが352x128ピクセルでないため、\n"
                                                      "ハイパーロードとして使用できませんでした。");
constexpr Phrase kItemSize = TAVRIN_TEXT("graphics", "ビットマップのファイルが32 * (2～5) x64ピクセルでないため、\n"
                                                     "アイテムとして使用できませんでした。");

int itemCountOf(const PixelBuffer& strip)
{
    return strip.width() / kTile;
}

} // namespace

Text replaceDialogTitle(int kind)
{
    switch (kind) {
    case kHyperRoadSheet: return TAVRIN_TEXT("graphics", "ハイパーロードのﾛｰﾄﾞ");
    case kNormalBackground: return TAVRIN_TEXT("graphics", "通常の背景のﾛｰﾄﾞ");
    case kGoalBackground: return TAVRIN_TEXT("graphics", "目標達成後の背景のﾛｰﾄﾞ");
    case kItemStrip: return TAVRIN_TEXT("graphics", "アイテムのﾛｰﾄﾞ");
    default: return Text();
    }
}

Text itemChangeQuestion(bool editMode, bool restoringDefault)
{
    // Two wordings, as the two places have always asked.
    if (restoringDefault) {
        return editMode ? TAVRIN_TEXT("graphics", "新しいアイテムをロードすると現在のプレーモードでのゲームを中断されますがよいですか？")
                        : TAVRIN_TEXT("graphics", "新しいアイテムをロードすると現在のゲームを中断されますがよいですか？");
    }
    return editMode ? TAVRIN_TEXT("graphics", "新しいアイテムをロードすると現在のプレーモードでのゲームは中断されますがよいですか？")
                    : TAVRIN_TEXT("graphics", "新しいアイテムをロードすると現在のゲームは中断されますがよいですか？");
}

QString cutAtNul(const QString& s)
{
    const qsizetype nul = s.indexOf(QChar(u'\0'));
    return nul < 0 ? s : s.left(nul);
}

PixelBuffer loadPicture(const QString& path)
{
    // Only a plain file: opening a named pipe or a device would wait for ever.
    if (path.isEmpty() || !QFileInfo(path).isFile()) {
        return PixelBuffer();
    }
    QImageReader reader(path);
    reader.setDecideFormatFromContent(true);
    QImage image;
    if (!reader.read(&image) || image.isNull() || image.width() <= 0 || image.height() <= 0) {
        return PixelBuffer();
    }
    return toPixelBuffer(image);
}

QString graphicsFileKey(int k)
{
    return QStringLiteral("fn") + QString::number(k);
}

Pictures::Pictures(GraphicsSet& graphics, SettingsStore& settings, GraphicsHost& host)
    : graphics_(graphics), settings_(settings), host_(host)
{
}

QString Pictures::graphicsFile(int k) const
{
    if (k < 0 || k >= kGraphicsKinds) {
        return QString();
    }
    return graphicsFiles_[static_cast<std::size_t>(k)];
}

void Pictures::rememberGraphicsFile(int k, const QString& path)
{
    if (k < 0 || k >= kGraphicsKinds) {
        return;
    }
    graphicsFiles_[static_cast<std::size_t>(k)] = path;
    setProgramSetting(settings_, graphicsFileKey(k), path);
}

void Pictures::forgetGraphicsFiles()
{
    for (int k = 0; k < kGraphicsKinds; ++k) {
        rememberGraphicsFile(k, QString());
    }
}

void Pictures::replaceHyperRoadSheet(const QString& answer)
{
    QString path = cutAtNul(answer);
    if (path.isEmpty()) {
        return;
    }
    const PixelBuffer sheet = loadPicture(path);
    if (sheet.isNull()) {
        host_.showMessage(kNotBitmap, MessageIcon::None);
        path.clear();
    } else if (!isValidSheet(sheet)) {
        host_.showMessage(kSheetSize, MessageIcon::Warning);
        graphics_.useBuiltin(kHyperRoadSheet);
        return;
    } else {
        graphics_.hyperRoadSheet = sheet;
    }
    host_.redrawAll();
    rememberGraphicsFile(kHyperRoadSheet, path);
}

void Pictures::replaceBackground(const QString& answer, int which)
{
    QString path = cutAtNul(answer);
    if (applyBackground(path, which) == PictureLoad::NotLoaded) {
        host_.showMessage(kNotBitmap, MessageIcon::None);
        path.clear();
    }
    rememberGraphicsFile(which == 0 ? kNormalBackground : kGoalBackground, path);
}

bool Pictures::itemChangeAccepted(int oldCount, int newCount, bool askDuringStartUp, bool& asked)
{
    asked = false;
    if (newCount == oldCount || !host_.freeGameActive() || (!askDuringStartUp && host_.startingUp())) {
        return true;
    }
    asked = true;
    return host_.askYesNo(itemChangeQuestion(host_.editMode(), false));
}

void Pictures::replaceItems(const QString& answer)
{
    QString path = cutAtNul(answer);
    if (path.isEmpty()) {
        return;
    }
    const int oldCount = itemCountOf(graphics_.itemStrip);
    PixelBuffer strip = loadPicture(path);
    if (strip.isNull()) {
        host_.showMessage(kNotBitmap, MessageIcon::None);
        path.clear();
        strip = graphics_.itemStrip; // go on with the unchanged picture
    }
    if (!isValidItemStrip(strip)) {
        host_.showMessage(kItemSize, MessageIcon::None);
        graphics_.useBuiltin(kItemStrip);
        return;
    }
    bool asked = false;
    if (!itemChangeAccepted(oldCount, itemCountOf(strip), true, asked)) {
        return; // the current game goes on with its items
    }
    graphics_.itemStrip = strip;
    rememberGraphicsFile(kItemStrip, path);
    if (themeLoading_) {
        themeLoading_ = false;
    } else {
        host_.redrawBoard();
    }
    if (asked) {
        host_.endGame();
    }
}

PictureLoad Pictures::applyHyperRoadSheet(const QString& path)
{
    if (path.isEmpty()) {
        return PictureLoad::Skipped;
    }
    const PixelBuffer sheet = loadPicture(path);
    if (sheet.isNull()) {
        return PictureLoad::NotLoaded;
    }
    if (!isValidSheet(sheet)) {
        host_.showMessage(kSheetSize, MessageIcon::Warning);
        graphics_.useBuiltin(kHyperRoadSheet);
        return PictureLoad::Refused;
    }
    graphics_.hyperRoadSheet = sheet;
    if (!themeLoading_) {
        host_.redrawAll();
    }
    return PictureLoad::Applied;
}

PictureLoad Pictures::applyBackground(const QString& path, int which)
{
    if (path.isEmpty()) {
        return PictureLoad::Skipped;
    }
    const PixelBuffer background = loadPicture(path);
    if (background.isNull()) {
        return PictureLoad::NotLoaded;
    }
    (which == 0 ? graphics_.normalBackground : graphics_.goalBackground) = background;
    if (!themeLoading_) {
        host_.redrawBoard();
    }
    return PictureLoad::Applied;
}

PictureLoad Pictures::applyItems(const QString& path)
{
    if (path.isEmpty()) {
        return PictureLoad::Skipped;
    }
    const int oldCount = itemCountOf(graphics_.itemStrip);
    const PixelBuffer strip = loadPicture(path);
    if (strip.isNull()) {
        return PictureLoad::NotLoaded;
    }
    if (!isValidItemStrip(strip)) {
        host_.showMessage(kItemSize, MessageIcon::None);
        graphics_.useBuiltin(kItemStrip);
        return PictureLoad::Refused;
    }
    bool asked = false;
    if (!itemChangeAccepted(oldCount, itemCountOf(strip), false, asked)) {
        graphics_.useBuiltin(kItemStrip);
        return PictureLoad::Declined;
    }
    graphics_.itemStrip = strip;
    if (themeLoading_) {
        themeLoading_ = false;
    } else {
        host_.redrawBoard();
    }
    if (asked) {
        host_.endGame();
    }
    return PictureLoad::Applied;
}

QStringList Pictures::loadRememberedGraphics()
{
    QStringList skipped;
    for (int k = 0; k < kGraphicsKinds; ++k) {
        const QString path = programSetting(settings_, graphicsFileKey(k));
        graphicsFiles_[static_cast<std::size_t>(k)] = path;
        if (path.isEmpty()) {
            continue;
        }
        const PixelBuffer image = loadPicture(path);
        bool usable = !image.isNull();
        if (usable && k == kHyperRoadSheet) {
            usable = isValidSheet(image);
        } else if (usable && k == kItemStrip) {
            usable = isValidItemStrip(image);
        }
        if (!usable) {
            // A file that was moved, deleted or damaged since it was chosen must
            // not keep the program from starting: forget it, keep the built-in.
            rememberGraphicsFile(k, QString());
            skipped.append(path);
            continue;
        }
        graphics_.current(k) = image;
    }
    return skipped;
}

} // namespace tavrin::graphics
