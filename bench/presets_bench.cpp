// Saving a preset: the whole settings file written and committed once, beside the
// same keys committed one at a time (how a profile-mode save used to write).

#include "document/cover_document.h"
#include "document/settings_file.h"
#include "toolbox/ini_file.h"

#include <QFile>
#include <QGuiApplication>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include "ratio_reporter.h"

#include <cstdio>
#include <vector>

namespace {

struct Fixture {
    QTemporaryDir dir;
    CoverDocument doc;
    std::vector<IniEntry> entries; // what a preset file holds, in order
};

Fixture* g_fixture = nullptr;

bool setUp(Fixture& f)
{
    f.doc.Fontname = QStringLiteral("DejaVu Sans");
    f.doc.FrontFont = QStringLiteral("Liberation Serif");
    f.doc.Text = QStringLiteral("  Benchmark  ");
    f.doc.BackColor = 0x123456;
    const QString file = f.dir.filePath(QStringLiteral("entries.ini"));
    if (!ReplaceIniFile(f.doc, file, QStringLiteral("entries.ini")))
        return false;
    QFile in(file);
    if (!in.open(QIODevice::ReadOnly))
        return false;
    QString section;
    for (const QByteArray& raw : in.readAll().split('\n')) {
        const QString line = QString::fromLatin1(raw).trimmed();
        if (line.startsWith(QLatin1Char('[')))
            section = line.mid(1, line.size() - 2);
        else if (line.contains(QLatin1Char('=')))
            f.entries.push_back({section, line.section(QLatin1Char('='), 0, 0), line.section(QLatin1Char('='), 1)});
    }
    return f.entries.size() == 55;
}

void BM_PresetSave(benchmark::State& state)
{
    const QString file = g_fixture->dir.filePath(QStringLiteral("Bench.ini"));
    for (auto _ : state) {
        if (!ReplaceIniFile(g_fixture->doc, file, QStringLiteral("Bench.ini")))
            state.SkipWithError("save failed");
    }
}

void BM_ProfileSaveInPlace(benchmark::State& state)
{
    const QString file = g_fixture->dir.filePath(QStringLiteral("InPlace.ini"));
    for (auto _ : state) {
        if (!SaveIniFile(g_fixture->doc, file, QStringLiteral("InPlace.ini")))
            state.SkipWithError("save failed");
    }
}

void BM_PresetSaveKeyByKey(benchmark::State& state)
{
    const QString file = g_fixture->dir.filePath(QStringLiteral("KeyByKey.ini"));
    for (auto _ : state) {
        for (const IniEntry& e : g_fixture->entries) {
            if (!WriteINI(file, e.section, e.key, e.value))
                state.SkipWithError("write failed");
        }
    }
}

BENCHMARK(BM_PresetSave)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(1);
BENCHMARK(BM_ProfileSaveInPlace)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(1);
BENCHMARK(BM_PresetSaveKeyByKey)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(1);

} // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    Fixture fixture;
    if (!fixture.dir.isValid() || !setUp(fixture)) {
        std::fprintf(stderr, "presets_bench: the preset could not be prepared\n");
        return 1;
    }
    g_fixture = &fixture;
    RatioReporter reporter({{"BM_PresetSaveKeyByKey", "BM_PresetSave"}});
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    return 0;
}
