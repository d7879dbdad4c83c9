// The music pieces rendered by the game's own renderer: each as long as its
// file says to within one synthesiser block, not silent, and both pieces
// asked for together made with one reading of the soundfont.
#include "app/midi_renderer.h"
#include "app/midi_timing.h"

#include "tests/assets/asset_readers.h"

#include <QElapsedTimer>
#include <QFileInfo>
#include <QTest>
#include <QThread>

#include <cstdlib>

namespace {

using tavrin::app::MidiRenderer;
using tavrin::app::RenderedPiece;

// Milliseconds from the start to the last end of track, at the file's one tempo.
long fileLengthMs(const std::string& name)
{
    const auto bytes = assets_test::readFile(assets_test::assetPath(name));
    if (!bytes) {
        return -1;
    }
    const auto midi = assets_test::parseMidi(*bytes);
    if (!midi) {
        return -1;
    }
    std::uint32_t end = 0;
    int tempo = 500000;
    for (const auto& track : midi->tracks) {
        end = std::max(end, track.endTick);
        for (const auto& e : track.events) {
            if (e.status == 0xFF && e.data1 == 0x51 && e.meta.size() == 3) {
                tempo = e.meta[0] << 16 | e.meta[1] << 8 | e.meta[2];
            }
        }
    }
    return tavrin::app::midiTicksToMs(end, midi->division, tempo);
}

bool waitComplete(RenderedPiece& piece)
{
    QElapsedTimer clock;
    clock.start();
    while (clock.elapsed() < 60000) {
        {
            const std::lock_guard<std::mutex> lock(piece.mutex);
            if (piece.samples.complete()) {
                return true;
            }
        }
        QThread::msleep(20);
    }
    return false;
}

} // namespace

class MusicRenderTest : public QObject {
    Q_OBJECT
private slots:
    void piecesLastAsLongAsTheirFiles();
    void notAMidiFileRendersNothing();
};

void MusicRenderTest::piecesLastAsLongAsTheirFiles()
{
    if (!QFileInfo(MidiRenderer::soundFont()).isFile()) {
        QSKIP("no soundfont installed");
    }
    MidiRenderer renderer;
    const std::vector<std::string> names{"ecomode.mid", "mondai.mid"};
    std::vector<std::shared_ptr<RenderedPiece>> pieces;
    for (const std::string& name : names) {
        pieces.push_back(renderer.render(QString::fromStdString(assets_test::assetPath(name))));
    }
    for (std::size_t i = 0; i < names.size(); ++i) {
        RenderedPiece& piece = *pieces[i];
        QVERIFY(waitComplete(piece));
        const std::lock_guard<std::mutex> lock(piece.mutex);
        QVERIFY(!piece.failed);
        const long expected = fileLengthMs(names[i]);
        QVERIFY(expected > 1000);
        const auto frames = static_cast<long>(piece.samples.length());
        const long expectedFrames = expected * MidiRenderer::kSampleRate / 1000;
        // The player notices its end at the start of a 64-frame block.
        QVERIFY2(std::abs(frames - expectedFrames) <= 64 + MidiRenderer::kSampleRate / 1000,
                 qPrintable(QStringLiteral("%1: %2 frames, expected %3").arg(names[i].c_str()).arg(frames).arg(expectedFrames)));
        // Something is heard in the first second.
        std::vector<std::int16_t> start(static_cast<std::size_t>(MidiRenderer::kSampleRate) * 2);
        piece.samples.seek(0);
        piece.samples.read(start.data(), start.size() / 2);
        QVERIFY(std::any_of(start.begin(), start.end(), [](std::int16_t v) { return std::abs(v) > 100; }));
    }
    QCOMPARE(renderer.soundFontReads(), 1);
}

void MusicRenderTest::notAMidiFileRendersNothing()
{
    MidiRenderer renderer;
    const auto piece = renderer.render(QString::fromStdString(assets_test::assetPath("B.wav")));
    QVERIFY(waitComplete(*piece));
    const std::lock_guard<std::mutex> lock(piece->mutex);
    QVERIFY(piece->failed);
    QCOMPARE(piece->samples.length(), std::size_t{0});
}

QTEST_GUILESS_MAIN(MusicRenderTest)
#include "music_render_test.moc"
