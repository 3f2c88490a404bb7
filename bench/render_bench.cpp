// Redrawing a full cover: an edit redraws its sheet synchronously, so a screen redraw must
// fit well inside one 60 Hz frame (16.7 ms); a printed page may take longer.

#include "document/cover_archive.h"
#include "document/cover_document.h"
#include "render/back_renderer.h"
#include "render/drawing_surface.h"
#include "render/front_renderer.h"
#include "shell/app_state.h"

#include <QBuffer>
#include <QGuiApplication>
#include <QLinearGradient>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QProcess>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include "full_cover.h"
#include "ratio_reporter.h"

#include <cstdio>

namespace {

template <void (*Render)(CoverDocument&, DrawingSurface&, bool)>
void onScreen(benchmark::State& state, double widthMm, double heightMm)
{
    app::viewEnabled = true;
    CoverDocument doc = fullCover();
    ImageSurface surface(QSizeF(widthMm, heightMm), 96);
    for (auto _ : state) {
        Render(doc, surface, false);
        benchmark::DoNotOptimize(surface.image().constBits());
    }
}

// A raster printer driver's page: the sheet at 600 dpi.
template <void (*Render)(CoverDocument&, DrawingSurface&, bool)>
void onRasterPage(benchmark::State& state, double widthMm, double heightMm)
{
    app::viewEnabled = true;
    CoverDocument doc = fullCover();
    ImageSurface surface(QSizeF(widthMm, heightMm), 600);
    for (auto _ : state) {
        surface.clear();
        Render(doc, surface, true);
        benchmark::DoNotOptimize(surface.image().constBits());
    }
}

// A whole one-page document through the printer surface, as PDF at 600 dpi.
template <void (*Render)(CoverDocument&, DrawingSurface&, bool)>
void onPdfPage(benchmark::State& state)
{
    app::viewEnabled = true;
    CoverDocument doc = fullCover();
    for (auto _ : state) {
        QBuffer buffer;
        buffer.open(QIODevice::WriteOnly);
        QPdfWriter writer(&buffer);
        writer.setResolution(600);
        writer.setPageSize(QPageSize(QPageSize::A4));
        writer.setPageOrientation(QPageLayout::Landscape);
        PrinterSurface surface(writer);
        Render(doc, surface, true);
        surface.end();
        benchmark::DoNotOptimize(buffer.data().size());
    }
}

void BM_UpdateBack_Screen96(benchmark::State& state) { onScreen<UpdateBack>(state, 160, 128); }
void BM_UpdateFront_Screen96(benchmark::State& state) { onScreen<UpdateFront>(state, 250, 130); }
void BM_UpdateBack_RasterPage600(benchmark::State& state) { onRasterPage<UpdateBack>(state, 160, 128); }
void BM_UpdateFront_RasterPage600(benchmark::State& state) { onRasterPage<UpdateFront>(state, 250, 130); }
void BM_UpdateBack_PdfPage600(benchmark::State& state) { onPdfPage<UpdateBack>(state); }
void BM_UpdateFront_PdfPage600(benchmark::State& state) { onPdfPage<UpdateFront>(state); }

// The command line drawing a back cover with a 600 x 600 picture at 300 dpi into a file,
// as a user runs it: the program starts, opens the cover, draws and writes.
QString g_renderCover;

bool makeRenderCover(const QTemporaryDir& dir)
{
    const QString work = dir.filePath(QStringLiteral("work/"));
    QDir().mkpath(work);
    app::setWorkingFolder(work);
    CoverDocument doc = fullCover();
    doc.BackPicture.ref = work + QStringLiteral("picture.jpg");
    const QImage photo = benchPicture(Qt::darkBlue, Qt::yellow, 600);
    doc.BackPicture.image = photo;
    CoverFileContext ctx(doc);
    g_renderCover = dir.filePath(QStringLiteral("render.vrz"));
    const bool made = photo.save(doc.BackPicture.ref, "JPG", 90) && SaveCoverToFile(ctx, g_renderCover);
    app::setWorkingFolder(QString());
    return made;
}

void renderCommand(benchmark::State& state, const char* suffix)
{
    const QString out = QFileInfo(g_renderCover).dir().filePath(QStringLiteral("back.") + QLatin1String(suffix));
    const QStringList args{QStringLiteral("render"), g_renderCover, QStringLiteral("--side"), QStringLiteral("back"),
                           QStringLiteral("--out"), out, QStringLiteral("--dpi"), QStringLiteral("300")};
    for (auto _ : state) {
        QProcess p;
        p.start(QStringLiteral(CASELEAF_EXECUTABLE), args);
        if (!p.waitForFinished(-1) || p.exitCode() != 0)
            state.SkipWithError("render failed");
    }
    state.counters["file_bytes"] = double(QFileInfo(out).size());
}

void BM_RenderCommandPng(benchmark::State& state) { renderCommand(state, "png"); }
void BM_RenderCommandBmp(benchmark::State& state) { renderCommand(state, "bmp"); }

} // namespace

BENCHMARK(BM_UpdateBack_Screen96)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);
BENCHMARK(BM_UpdateFront_Screen96)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);
BENCHMARK(BM_UpdateBack_RasterPage600)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);
BENCHMARK(BM_UpdateFront_RasterPage600)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);
BENCHMARK(BM_UpdateBack_PdfPage600)->Unit(benchmark::kMillisecond)->Repetitions(3)->ReportAggregatesOnly(true);
BENCHMARK(BM_UpdateFront_PdfPage600)->Unit(benchmark::kMillisecond)->Repetitions(3)->ReportAggregatesOnly(true);
BENCHMARK(BM_RenderCommandPng)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(2);
BENCHMARK(BM_RenderCommandBmp)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(2);

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    QTemporaryDir dir;
    if (!dir.isValid() || !makeRenderCover(dir)) {
        std::fprintf(stderr, "render_bench: the cover could not be prepared\n");
        return 1;
    }
    RatioReporter reporter({{"BM_RenderCommandPng", "BM_RenderCommandBmp"}});
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    return 0;
}
