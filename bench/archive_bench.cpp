// Saving and opening a cover with three 5 MB JPEG pictures, beside zip -9 -j and
// unzip -o -j on the same files in the same run. As in the editor, every open and save
// ends with both previews drawn at screen resolution.

#include "archive/zip_engine.h"
#include "document/cover_archive.h"
#include "document/cover_document.h"
#include "render/back_renderer.h"
#include "render/drawing_surface.h"
#include "render/front_renderer.h"
#include "render/sheet_geometry.h"
#include "shell/app_state.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QImage>
#include <QProcess>
#include <QRandomGenerator>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <cstdio>
#include <functional>

namespace {

constexpr qint64 kPictureBytes = 5 * 1000 * 1000;

struct Fixture {
    QTemporaryDir dir;
    QString work;
    QString cover;
    QStringList files; // what the cover archive holds, in the working folder
    CoverDocument doc;
    CoverFileContext ctx{doc};
    ImageSurface backPreview{QSizeF(backsheet::kWidth, backsheet::kHeight), 96};
    ImageSurface frontPreview{QSizeF(frontsheet::kWidth, frontsheet::kHeight), 96};
};

void drawPreview(CoverDocument& doc, ImageSurface& preview, void (*draw)(CoverDocument&, DrawingSurface&, bool))
{
    preview.clear();
    draw(doc, preview, false);
    benchmark::DoNotOptimize(preview.image().constBits());
}

Fixture* g_fixture = nullptr;

// A noisy picture compresses badly, as photographs do; grown until it passes 5 MB.
bool writeJpeg(const QString& path, quint32 seed)
{
    QRandomGenerator gen(seed);
    for (int width = 1600;; width += 200) {
        QImage image(width, width * 3 / 4, QImage::Format_RGB32);
        for (int y = 0; y < image.height(); ++y) {
            auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
            for (int x = 0; x < image.width(); ++x)
                line[x] = qRgb(x % 256, y % 256, int(gen.bounded(256)));
        }
        if (!image.save(path, "JPG", 100))
            return false;
        if (QFileInfo(path).size() >= kPictureBytes)
            return true;
    }
}

bool setUp(Fixture& f)
{
    f.work = f.dir.filePath(QStringLiteral("work/"));
    QDir().mkpath(f.work);
    app::setWorkingFolder(f.work);
    app::viewEnabled = true;
    f.ctx.redrawBack = [&f] { drawPreview(f.doc, f.backPreview, &UpdateBack); };
    f.ctx.redrawFront = [&f] { drawPreview(f.doc, f.frontPreview, &UpdateFront); };
    CoverPicture* pictures[] = {&f.doc.BackPicture, &f.doc.FrontPicture, &f.doc.FrontPicture1};
    for (int i = 0; i < 3; ++i) {
        const QString path = f.work + QStringLiteral("picture%1.jpg").arg(i + 1);
        if (!writeJpeg(path, quint32(i + 1)))
            return false;
        pictures[i]->ref = path;
        pictures[i]->image = readPictureFile(path);
    }
    f.doc.Text = QStringLiteral("Benchmark");
    f.doc.Contents = QStringLiteral("Track 1\r\nTrack 2\r\nTrack 3");
    f.cover = f.dir.filePath(QStringLiteral("cover.vrz"));
    if (!SaveCoverToFile(f.ctx, f.cover))
        return false;
    for (const QString& name : QDir(f.work).entryList(QDir::Files))
        f.files << f.work + name;
    return true;
}

int runTool(const QString& program, const QStringList& args)
{
    QProcess p;
    p.start(program, args);
    p.waitForFinished(-1);
    return p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
}

// One side of a comparison: what is done untimed before each run, and the run.
struct Side {
    std::function<void()> prepare;
    std::function<bool()> run;
};

// Runs the program's side and the tool's in turns within each iteration, the order
// alternating, so that both meet the same load on the machine; reports each side's mean
// time and the program's time per the tool's.
void takeTurns(benchmark::State& state, const Side& ours, const Side& tool)
{
    double oursMs = 0;
    double toolMs = 0;
    const auto timed = [](const Side& side, double& total) {
        side.prepare();
        QElapsedTimer clock;
        clock.start();
        const bool ok = side.run();
        total += double(clock.nsecsElapsed()) / 1e6;
        return ok;
    };
    bool oursFirst = true;
    for (auto _ : state) {
        const bool ok = oursFirst ? timed(ours, oursMs) && timed(tool, toolMs) : timed(tool, toolMs) && timed(ours, oursMs);
        if (!ok)
            state.SkipWithError("a run failed");
        oursFirst = !oursFirst;
    }
    const double n = double(state.iterations());
    state.counters["ours_ms"] = oursMs / n;
    state.counters["tool_ms"] = toolMs / n;
    state.counters["ours_per_tool"] = toolMs > 0 ? oursMs / toolMs : 0;
}

const auto nothing = [] {};

Side removing(const QString& file, std::function<bool()> run)
{
    return {[file] { QFile::remove(file); }, std::move(run)};
}

Side zipCommand(const QString& target, const QStringList& files)
{
    const QStringList args = QStringList{QStringLiteral("-9"), QStringLiteral("-j"), QStringLiteral("-q"), target} + files;
    return removing(target, [args] { return runTool(QStringLiteral("zip"), args) == 0; });
}

bool unzipCommand(const QString& folder)
{
    return runTool(QStringLiteral("unzip"), {QStringLiteral("-o"), QStringLiteral("-j"), QStringLiteral("-q"),
                                             g_fixture->cover, QStringLiteral("-d"), folder})
           == 0;
}

// Save (previews redrawn, as in the editor) beside zip -9 -j of the files it packs.
void BM_SaveBesideZip(benchmark::State& state)
{
    const Side save = removing(g_fixture->cover, [] { return SaveCoverToFile(g_fixture->ctx, g_fixture->cover); });
    takeTurns(state, save, zipCommand(g_fixture->dir.filePath(QStringLiteral("tool.zip")), g_fixture->files));
}

// The archive engine alone on the same files.
void BM_CompressFilesBesideZip(benchmark::State& state)
{
    const QString target = g_fixture->dir.filePath(QStringLiteral("engine.vrz"));
    const QString list = g_fixture->files.join(QLatin1Char('|'));
    const Side compress = removing(target, [target, list] { return CompressFiles(list, target, 9) == 0; });
    takeTurns(state, compress, zipCommand(g_fixture->dir.filePath(QStringLiteral("tool.zip")), g_fixture->files));
}

// Open (previews drawn, as in the editor) beside unzip -o -j of the cover.
void BM_OpenBesideUnzip(benchmark::State& state)
{
    const QString folder = g_fixture->dir.filePath(QStringLiteral("tool-out"));
    takeTurns(state, {nothing, [] { return OpenSub(g_fixture->ctx, g_fixture->cover).status == OpenResult::Opened; }},
              {nothing, [folder] { return unzipCommand(folder); }});
}

// The archive engine alone on the same archive.
void BM_ExtractFileBesideUnzip(benchmark::State& state)
{
    const QString ours = g_fixture->dir.filePath(QStringLiteral("engine-out"));
    const QString folder = g_fixture->dir.filePath(QStringLiteral("tool-out"));
    takeTurns(state, {nothing, [ours] { return ExtractFile(g_fixture->cover, ours, false, false) == 0; }},
              {nothing, [folder] { return unzipCommand(folder); }});
}

// The command line's open and save, as a user runs it, beside unzip and then zip -9.
void BM_ConvertBesideUnzipZip(benchmark::State& state)
{
    const QString converted = g_fixture->dir.filePath(QStringLiteral("converted.vrz"));
    const QString folder = g_fixture->dir.filePath(QStringLiteral("unzipped"));
    QStringList unpacked;
    for (const QString& file : g_fixture->files)
        unpacked << folder + QLatin1Char('/') + QFileInfo(file).fileName();
    const Side zip = zipCommand(g_fixture->dir.filePath(QStringLiteral("rezipped.zip")), unpacked);
    const Side convert = removing(converted, [converted] {
        return runTool(QStringLiteral(CASELEAF_EXECUTABLE), {QStringLiteral("convert"), g_fixture->cover, converted})
               == 0;
    });
    takeTurns(state, convert, {zip.prepare, [folder, zip] { return unzipCommand(folder) && zip.run(); }});
}

BENCHMARK(BM_SaveBesideZip)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(4);
BENCHMARK(BM_CompressFilesBesideZip)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(4);
BENCHMARK(BM_OpenBesideUnzip)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(4);
BENCHMARK(BM_ExtractFileBesideUnzip)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(4);
BENCHMARK(BM_ConvertBesideUnzipZip)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(4);

} // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    Fixture fixture;
    if (!fixture.dir.isValid() || !setUp(fixture)) {
        std::fprintf(stderr, "archive_bench: the cover could not be prepared\n");
        return 1;
    }
    g_fixture = &fixture;
    std::printf("Cover archive: %lld bytes from %lld bytes of files\n",
                static_cast<long long>(QFileInfo(fixture.cover).size()), [&fixture] {
                    long long total = 0;
                    for (const QString& f : fixture.files)
                        total += QFileInfo(f).size();
                    return total;
                }());
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    app::setWorkingFolder(QString());
    return 0;
}
