#include "archive/zip_fixtures.h"
#include "contents/contents_dialog.h"
#include "fake_dialogs.h"
#include "folder_tree.h"

#include <QPushButton>
#include <QRadioButton>

#include <gtest/gtest.h>

#include "gtest_qt.h"

using fixtures::RunResult;

namespace {

RunResult caseleaf(const QStringList& args)
{
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    for (const char* display : {"QT_QPA_PLATFORM", "DISPLAY", "WAYLAND_DISPLAY"})
        env.remove(display);
    return fixtures::run(QStringLiteral(CASELEAF_BUILD_DIR "/caseleaf"), args, QString(), env);
}

QStringList outputLines(const RunResult& r)
{
    QStringList lines = QString::fromLocal8Bit(r.out).split('\n');
    EXPECT_EQ(lines.takeLast(), ""); // every line ends in a line break, the last too
    return lines;
}

// What the dialog shows on the folder after clicking the named controls.
QStringList dialogLines(const QString& folder, const QStringList& clicks)
{
    ContentsDialog dialog;
    dialog.show();
    EXPECT_TRUE(dialog.setCurrentFolder(folder));
    for (const QString& name : clicks)
        dialog.findChild<QAbstractButton*>(name)->click();
    return dialog.displayList();
}

TEST(ContentsCommand, PrintsWhatTheDialogWouldCopy)
{
    FakeDialogs dialogs;
    FolderTree tree;
    ASSERT_TRUE(tree.file("CD 1/01 Intro.flac", 31000000) && tree.file("CD 1/02.flac", 4) && tree.file("Bonus/x", 12)
                && tree.file("Booklet.PDF", 2500000) && tree.file("a name of more than forty-two characters.txt", 1)
                && tree.file(".hidden", 1));
    const struct {
        QStringList args;
        QStringList clicks;
    } cases[] = {
        {{}, {}},
        {{"--sizes"}, {"getSizes"}},
        {{"--spacing", "22", "--sizes"}, {"spacingSmall", "getSizes"}},
        {{"--spacing", "32"}, {"spacingMedium"}},
    };
    for (const auto& c : cases) {
        const RunResult r = caseleaf(QStringList({"contents", tree.root()}) + c.args);
        EXPECT_EQ(r.exitCode, 0) << r.err.constData();
        const QStringList expected = dialogLines(tree.root(), c.clicks);
        EXPECT_EQ(expected.size(), 4);
        EXPECT_EQ(outputLines(r), expected) << c.args.join(' ').toStdString();
    }
    EXPECT_TRUE(dialogs.shown.empty());
}

TEST(ContentsCommand, EmptyFolderPrintsNothing)
{
    FolderTree tree;
    const RunResult r = caseleaf({"contents", tree.root()});
    EXPECT_EQ(r.exitCode, 0);
    EXPECT_TRUE(r.out.isEmpty());
}

TEST(ContentsCommand, ExitCodesForBadFoldersAndBadUsage)
{
    FolderTree tree;
    ASSERT_TRUE(tree.file("plain.txt"));
    const struct {
        QStringList args;
        int code;
        const char* says;
    } cases[] = {
        {{"contents", tree.path("missing")}, 1, "missing cannot be read"},
        {{"contents", tree.path("plain.txt")}, 1, "plain.txt cannot be read"},
        {{"contents"}, 2, "contents needs a folder"},
        {{"contents", tree.root(), "--spacing", "30"}, 2, "--spacing takes 22, 32 or 42"},
        {{"contents", tree.root(), "--spacing"}, 2, "--spacing takes 22, 32 or 42"},
        {{"contents", tree.root(), tree.root()}, 2, "unexpected argument"},
        {{"contents", tree.root(), "--size"}, 2, "unexpected argument \"--size\""},
    };
    for (const auto& c : cases) {
        const RunResult r = caseleaf(c.args);
        EXPECT_EQ(r.exitCode, c.code) << c.args.join(' ').toStdString();
        EXPECT_TRUE(r.err.contains(c.says)) << r.err.constData();
        EXPECT_TRUE(r.out.isEmpty());
    }
    // The usage text names the command.
    EXPECT_TRUE(caseleaf({"--help"}).out.contains("caseleaf contents FOLDER [--sizes] [--spacing 22|32|42]"));
}

} // namespace
