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

#include "ratio_reporter.h"

#include <cstdio>

namespace {

QImage picture(const QColor& from, const QColor& to, int side = 2000)
{
    QImage image(side, side, QImage::Format_RGB32);
    QPainter painter(&image);
    QLinearGradient gradient(0, 0, side, side);
    gradient.setColorAt(0, from);
    gradient.setColorAt(1, to);
    painter.fillRect(image.rect(), gradient);
    painter.setPen(QPen(Qt::white, side / 160));
    for (int i = 0; i < 40; ++i)
        painter.drawEllipse(QPoint(side / 2, side / 2), side / 100 + side * 3 * i / 250, side / 100 + side * 3 * i / 250);
    return image;
}

CoverDocument fullCover()
{
    CoverDocument doc;
    doc.Fontname = doc.Fontname2 = doc.FrontFont = doc.FrontFont2 = QStringLiteral("DejaVu Sans");
    doc.Text = QStringLiteral("  Collected recordings, volume %c");
    doc.Fontsize2 = QStringLiteral("8");
    for (int i = 1; i <= 40; ++i)
        doc.Contents += QStringLiteral("%1. A track title of a usual length - %1:%2\r\n").arg(i).arg(i * 7 % 60);
    doc.BackPicture.image = picture(Qt::darkBlue, Qt::yellow);
    doc.FrontPicture.image = picture(Qt::darkRed, Qt::cyan);
    doc.FrontPicture1.image = picture(Qt::darkGreen, Qt::magenta);
    doc.pMethod = 1;
    doc.fStretch = 1;
    doc.fCenter1 = 1;
    doc.WriteLines = 1;
    doc.LineNumbers = 1;
    doc.LineSpace = QStringLiteral("6");
    doc.sfText = 1;
    doc.fFontCenter = 1;
    doc.FrontFontSize = QStringLiteral("20");
    doc.FrontText2 = QStringLiteral("Collected recordings\r\nVolume %c");
    doc.sfText2 = 1;
    doc.FrontText1 = QStringLiteral("Notes");
    doc.currentFile = QStringLiteral("/home/someone/covers/collected.vrz");
    return doc;
}

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
    const QImage photo = picture(Qt::darkBlue, Qt::yellow, 600);
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
