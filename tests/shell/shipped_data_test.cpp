#include "document/cover_document.h"
#include "document/settings_file.h"
#include "fake_dialogs.h"
#include "toolbox/ini_file.h"

#include <QFile>
#include <QFontDatabase>
#include <QRegularExpression>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include "gtest_qt.h"

namespace {

const QString kPreset = QStringLiteral(CASELEAF_BUILD_DIR) + "/presets/default.ini";

// The keys of section [LastCover] of a settings file, as written.
QStringList lastCoverKeys(const QString& path)
{
    QFile f(path);
    EXPECT_TRUE(f.open(QIODevice::ReadOnly)) << path.toStdString();
    QStringList keys;
    bool inSection = false;
    for (const QByteArray& raw : f.readAll().split('\n')) {
        const QString line = QString::fromLatin1(raw).trimmed();
        if (line.startsWith('['))
            inSection = line.compare("[LastCover]", Qt::CaseInsensitive) == 0;
        else if (inSection && line.contains('='))
            keys << line.left(line.indexOf('='));
    }
    return keys;
}

TEST(ShippedPreset, HoldsEveryKeyTheSettingsWriterWrites)
{
    QTemporaryDir dir;
    const QString written = dir.filePath("vorn.ini");
    ASSERT_TRUE(SaveIniFile(CoverDocument(), written, QString(), true));
    const QStringList expected = lastCoverKeys(written);
    ASSERT_EQ(expected.size(), 54);
    EXPECT_EQ(lastCoverKeys(kPreset), expected);
    EXPECT_EQ(ReadINI(kPreset, "Preset", "Name"), "default.ini");
}

TEST(ShippedPreset, AppliesWithoutErrorsAndItsFontsAreInstalled)
{
    FakeDialogs dialogs;
    CoverDocument doc;
    const QStringList fonts = QFontDatabase::families();
    ASSERT_TRUE(LoadIniFile(doc, kPreset, true, fonts));
    EXPECT_TRUE(dialogs.shown.empty()) << dialogs.texts().join(" / ").toStdString();
    // A font missing from the list would have been replaced by its first entry.
    for (const QString& stored : {ReadINI(kPreset, "LastCover", "Fontname"), ReadINI(kPreset, "LastCover", "Fontname2"),
                                  ReadINI(kPreset, "LastCover", "FrontFont"),
                                  ReadINI(kPreset, "LastCover", "FrontFont2")})
        EXPECT_TRUE(fonts.contains(stored, Qt::CaseInsensitive)) << stored.toStdString();
    EXPECT_EQ(doc.Fontname, ReadINI(kPreset, "LastCover", "Fontname"));
    EXPECT_EQ(doc.FrontFont, ReadINI(kPreset, "LastCover", "FrontFont"));
}

TEST(ShippedPreset, IsWindowsTextWithCrLf)
{
    QFile f(kPreset);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    const QByteArray bytes = f.readAll();
    EXPECT_EQ(bytes.count('\n'), bytes.count("\r\n"));
    EXPECT_TRUE(bytes.startsWith("[Preset]\r\nName=default.ini\r\n[LastCover]\r\n"));
}

TEST(ShippedHelp, PageLinksOnlyToItsOwnSections)
{
    QFile f(QStringLiteral(CASELEAF_BUILD_DIR) + "/help/gbhelp.html");
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    const QString page = QString::fromUtf8(f.readAll());
    const QRegularExpression link("href=\"#([^\"]+)\"");
    int links = 0;
    for (auto it = link.globalMatch(page); it.hasNext(); ++links) {
        const QString target = it.next().captured(1);
        EXPECT_TRUE(page.contains("id=\"" + target + "\"")) << target.toStdString();
    }
    EXPECT_GT(links, 5);
    EXPECT_FALSE(page.contains("href=\"http"));
}

} // namespace
