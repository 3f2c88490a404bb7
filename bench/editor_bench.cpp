// The editor at work on the full sample cover in a window of a small laptop (1366 x 768):
// an edit redraws what shows of its sheet, which must take well under a 60 Hz frame at
// any zoom (the goal is a median under 4 ms, a quarter of a frame); undoing 1,000 edits in
// a row must finish within a second.

#include "editor/editor_window.h"
#include "editor/preview_widget.h"
#include "platform/printers.h"
#include "shell/app_state.h"
#include "shell/language.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QFile>
#include <QTabWidget>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include "full_cover.h"

#include <memory>

namespace {

class Rig {
public:
    Rig() : m_printers({QStringLiteral("Office laser")}, {QStringLiteral("DejaVu Sans")}), m_editor(m_printers)
    {
        m_editor.load();
        m_editor.resize(1366, 768);
        m_editor.document() = fullCover();
        m_editor.documentReplaced();
        QCoreApplication::processEvents();
    }

    EditorWindow& editor() { return m_editor; }
    PreviewWidget* preview(bool back)
    {
        const QString name = back ? QStringLiteral("BackPreview") : QStringLiteral("FrontPreview");
        return m_editor.findChild<PreviewWidget*>(name);
    }
    void show(bool back, double zoom)
    {
        m_editor.findChild<QTabWidget*>(QStringLiteral("MainTabs"))->setCurrentIndex(back ? 0 : 1);
        action("mZoomActual")->trigger();
        while (preview(back)->zoom() < zoom)
            action("mZoomIn")->trigger();
        QCoreApplication::processEvents();
    }
    QAction* action(const char* name) { return m_editor.findChild<QAction*>(QString::fromLatin1(name)); }
    QCheckBox* box(const char* name) { return m_editor.findChild<QCheckBox*>(QString::fromLatin1(name)); }

private:
    ListedPrinters m_printers;
    EditorWindow m_editor;
};

Rig& rig()
{
    static Rig instance;
    return instance;
}

// A box ticked or cleared, its sheet redrawn as far as it shows.
void BM_EditRedraw(benchmark::State& state)
{
    const bool back = state.range(0) == 0;
    const double zoom = state.range(1) / 100.0;
    rig().show(back, zoom);
    QCheckBox* box = rig().box(back ? "FlipLabels" : "fFontCenter");
    PreviewWidget* preview = rig().preview(back);
    preview->image();
    for (auto _ : state) {
        box->toggle();
        benchmark::DoNotOptimize(preview->image().constBits());
    }
    state.SetLabel(QStringLiteral("%1 at %2 %, pixel ratio %3, %4 x %5 device pixels shown")
                       .arg(back ? QStringLiteral("back") : QStringLiteral("front"))
                       .arg(state.range(1))
                       .arg(preview->devicePixelRatioF())
                       .arg(int(preview->visibleRegion().boundingRect().width() * preview->devicePixelRatioF()))
                       .arg(int(preview->visibleRegion().boundingRect().height() * preview->devicePixelRatioF()))
                       .toStdString());
}

// 1,000 edits, then all of them undone in a row and the sheets shown again.
void BM_Undo1000(benchmark::State& state)
{
    rig().show(true, 1);
    QAction* undo = rig().action("mUndo");
    const char* const boxes[] = {"FlipLabels", "FontBold", "fFontCenter", "WriteLines"};
    for (auto _ : state) {
        state.PauseTiming();
        for (int i = 0; i < 1000; ++i)
            rig().box(boxes[i % 4])->toggle();
        state.ResumeTiming();
        for (int i = 0; i < 1000; ++i)
            undo->trigger();
        benchmark::DoNotOptimize(rig().preview(true)->image().constBits());
        benchmark::DoNotOptimize(rig().preview(false)->image().constBits());
    }
}

} // namespace

BENCHMARK(BM_EditRedraw)
    ->ArgNames({"front", "zoom%"})
    ->Args({0, 100})
    ->Args({1, 100})
    ->Args({0, 200})
    ->Args({1, 200})
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);
BENCHMARK(BM_Undo1000)->Unit(benchmark::kMillisecond)->Iterations(3)->Repetitions(3)->ReportAggregatesOnly(true);

int main(int argc, char** argv)
{
    // A large screen of the usual density (about 100 desktop pixels per inch), each desktop
    // pixel made of CASELEAF_BENCH_RATIO by CASELEAF_BENCH_RATIO device pixels.
    QTemporaryDir screen;
    QFile layout(screen.filePath(QStringLiteral("screen.json")));
    if (!layout.open(QIODevice::WriteOnly))
        return 1;
    layout.write(R"({"screens": [{"name": "bench", "x": 0, "y": 0, "width": 3840, "height": 2160,
                    "logicalDpi": 96, "logicalBaseDpi": 96, "dpr": )" CASELEAF_BENCH_RATIO "}]}");
    layout.close();
    qputenv("QT_QPA_PLATFORM", ("offscreen:configfile=" + layout.fileName()).toLocal8Bit());
    QTemporaryDir config;
    qputenv("XDG_CONFIG_HOME", config.path().toLocal8Bit());
    qputenv("CASELEAF_HOME", CASELEAF_BUILD_DIR);
    QApplication application(argc, argv);
    QString language = QStringLiteral("english");
    LoadLanguage(language);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
