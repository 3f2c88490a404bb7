#include "contents/contents_dialog.h"

#include "fake_dialogs.h"
#include "folder_tree.h"
#include "shell/built_program.h"

#include "gtest_qt.h"

using fixtures::RunResult;

TEST(ContentsCommand, PrintsWhatTheDialogWouldCopy)
{
    FakeDialogs dialogs;
    FolderTree tree;
    ASSERT_TRUE(tree.file("CD 1/01 Intro.flac", 31000000) && tree.file("Bonus/x", 12) && tree.file("Booklet.PDF", 2500000)
                && tree.file("a name of more than forty-two characters.txt", 1));
    // The command's options and the dialog's buttons that do the same.
    const std::pair<QStringList, QStringList> cases[] = {
        {{}, {}},
        {{"--spacing", "32", "--sizes"}, {"spacingMedium", "getSizes"}},
    };
    for (const auto& [args, clicks] : cases) {
        const RunResult r = program::run(QStringList({"contents", tree.root()}) + args);
        EXPECT_EQ(r.exitCode, 0) << r.err.constData();
        ContentsDialog dialog;
        dialog.show();
        ASSERT_TRUE(dialog.setCurrentFolder(tree.root()));
        for (const QString& name : clicks)
            dialog.findChild<QAbstractButton*>(name)->click();
        // One line each, the last one ending in a line break too.
        EXPECT_EQ(QString::fromLocal8Bit(r.out), dialog.displayList().join('\n') + '\n') << args.join(' ').toStdString();
        EXPECT_EQ(dialog.displayList().size(), 4);
    }
    ASSERT_TRUE(tree.folder("empty"));
    EXPECT_EQ(program::run({"contents", tree.path("empty")}).out, QByteArray());
}

TEST(ContentsCommand, ExitCodesForBadFoldersAndBadUsage)
{
    FolderTree tree;
    ASSERT_TRUE(tree.file("plain.txt"));
    // The arguments, the exit code and a part of the message.
    const std::tuple<QStringList, int, const char*> cases[] = {
        {{"contents", tree.path("missing")}, 1, "missing cannot be read"},
        {{"contents", tree.path("plain.txt")}, 1, "plain.txt cannot be read"},
        {{"contents"}, 2, "contents needs a folder"},
        {{"contents", tree.root(), "--spacing", "30"}, 2, "--spacing takes 22, 32 or 42"},
        {{"contents", tree.root(), tree.root()}, 2, "unexpected argument"},
    };
    for (const auto& [args, code, says] : cases) {
        const RunResult r = program::run(args);
        EXPECT_EQ(r.exitCode, code) << args.join(' ').toStdString();
        EXPECT_TRUE(r.err.contains(says) && r.out.isEmpty()) << r.err.constData();
    }
}
