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
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QImage>
#include <QProcess>
#include <QRandomGenerator>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include "ratio_reporter.h"

#include <cstdio>

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

void removeFile(benchmark::State& state, const QString& path)
{
    state.PauseTiming();
    QFile::remove(path);
    state.ResumeTiming();
}

int runTool(const QString& program, const QStringList& args)
{
    QProcess p;
    p.start(program, args);
    p.waitForFinished(-1);
    return p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
}

void BM_SaveCover(benchmark::State& state)
{
    for (auto _ : state) {
        removeFile(state, g_fixture->cover);
        if (!SaveCoverToFile(g_fixture->ctx, g_fixture->cover))
            state.SkipWithError("save failed");
    }
    state.SetBytesProcessed(state.iterations() * QFileInfo(g_fixture->cover).size());
}

void BM_CompressFiles(benchmark::State& state)
{
    const QString target = g_fixture->dir.filePath(QStringLiteral("engine.vrz"));
    const QString list = g_fixture->files.join(QLatin1Char('|'));
    for (auto _ : state) {
        removeFile(state, target);
        if (CompressFiles(list, target, 9) != 0)
            state.SkipWithError("compress failed");
    }
}

void BM_ZipCommand(benchmark::State& state)
{
    const QString target = g_fixture->dir.filePath(QStringLiteral("tool.zip"));
    const QStringList args = QStringList{QStringLiteral("-9"), QStringLiteral("-j"), QStringLiteral("-q"), target}
                             + g_fixture->files;
    for (auto _ : state) {
        removeFile(state, target);
        if (runTool(QStringLiteral("zip"), args) != 0)
            state.SkipWithError("zip failed");
    }
}

void BM_OpenCover(benchmark::State& state)
{
    for (auto _ : state) {
        if (!OpenSub(g_fixture->ctx, g_fixture->cover))
            state.SkipWithError("open failed");
    }
}

void BM_ExtractFile(benchmark::State& state)
{
    const QString target = g_fixture->dir.filePath(QStringLiteral("engine-out"));
    for (auto _ : state) {
        if (ExtractFile(g_fixture->cover, target, false, false) != 0)
            state.SkipWithError("extract failed");
    }
}

void BM_UnzipCommand(benchmark::State& state)
{
    const QString target = g_fixture->dir.filePath(QStringLiteral("tool-out"));
    const QStringList args{QStringLiteral("-o"), QStringLiteral("-j"), QStringLiteral("-q"), g_fixture->cover,
                           QStringLiteral("-d"), target};
    for (auto _ : state) {
        if (runTool(QStringLiteral("unzip"), args) != 0)
            state.SkipWithError("unzip failed");
    }
}

// The command line's open and save, as a user runs it, beside unzip and zip -9 in turn.
void BM_UnzipZipCommand(benchmark::State& state)
{
    const QString folder = g_fixture->dir.filePath(QStringLiteral("unzipped"));
    const QString target = g_fixture->dir.filePath(QStringLiteral("rezipped.zip"));
    QStringList zipArgs{QStringLiteral("-9"), QStringLiteral("-j"), QStringLiteral("-q"), target};
    for (const QString& file : g_fixture->files)
        zipArgs << folder + QLatin1Char('/') + QFileInfo(file).fileName();
    for (auto _ : state) {
        removeFile(state, target);
        if (runTool(QStringLiteral("unzip"), {QStringLiteral("-o"), QStringLiteral("-j"), QStringLiteral("-q"),
                                              g_fixture->cover, QStringLiteral("-d"), folder})
                != 0
            || runTool(QStringLiteral("zip"), zipArgs) != 0)
            state.SkipWithError("unzip or zip failed");
    }
}

void BM_ConvertCommand(benchmark::State& state)
{
    const QString target = g_fixture->dir.filePath(QStringLiteral("converted.vrz"));
    for (auto _ : state) {
        removeFile(state, target);
        if (runTool(QStringLiteral(CASELEAF_EXECUTABLE), {QStringLiteral("convert"), g_fixture->cover, target}) != 0)
            state.SkipWithError("convert failed");
    }
}

BENCHMARK(BM_SaveCover)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(2);
BENCHMARK(BM_CompressFiles)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(2);
BENCHMARK(BM_ZipCommand)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(2);
BENCHMARK(BM_OpenCover)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(2);
BENCHMARK(BM_ExtractFile)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(2);
BENCHMARK(BM_UnzipCommand)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(2);
BENCHMARK(BM_UnzipZipCommand)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(2);
BENCHMARK(BM_ConvertCommand)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(2);

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
    RatioReporter reporter({{"BM_SaveCover", "BM_ZipCommand"},
                            {"BM_CompressFiles", "BM_ZipCommand"},
                            {"BM_OpenCover", "BM_UnzipCommand"},
                            {"BM_ExtractFile", "BM_UnzipCommand"},
                            {"BM_ConvertCommand", "BM_UnzipZipCommand"}});
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    app::setWorkingFolder(QString());
    return 0;
}
