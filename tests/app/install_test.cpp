#include "shell/built_program.h"
#include "gtest_qt.h"

using namespace fixtures;

namespace {

const QString kType = QStringLiteral("application/x-caseleaf-cover");

bool haveTool(const QString& name) { return !QStandardPaths::findExecutable(name).isEmpty(); }

// A key of a desktop entry file as written (QSettings would take ";" for a comment).
QString entryValue(const QString& file, const QString& key)
{
    for (const QByteArray& line : readFile(file).split('\n'))
        if (line.startsWith(key.toUtf8() + '='))
            return QString::fromUtf8(line.mid(key.toUtf8().size() + 1));
    return QString();
}

// Every file below a folder with its size: what a run may not change.
std::map<QString, qint64> snapshot(const QString& folder)
{
    std::map<QString, qint64> files;
    for (const QString& entry : entriesBelow(folder))
        files[entry] = QFileInfo(QDir(folder).filePath(entry)).size();
    return files;
}

// A fresh `cmake --install` with DESTDIR, as a package build does it, and a user's empty
// home beside it.
class Installed : public ::testing::Test {
protected:
    void SetUp() override
    {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("DESTDIR", m_stage.path());
        const RunResult r = run(CASELEAF_CMAKE, {"--install", CASELEAF_BUILD_DIR, "--prefix", "/usr"}, QString(), env);
        ASSERT_EQ(r.exitCode, 0) << r.out.constData() << r.err.constData();
        ASSERT_TRUE(QDir().mkpath(m_home.filePath("tmp")));
    }

    QString prefix() const { return m_stage.filePath("usr"); }
    QString installed(const QString& relative) const { return prefix() + '/' + relative; }
    QString home(const QString& relative) const { return m_home.filePath(relative); }

    // The environment of a user who starts the installed program: no display, nothing
    // pointing at the build tree, per-user folders in the temporary home.
    QProcessEnvironment userEnvironment() const
    {
        QProcessEnvironment env = program::withoutDisplay();
        env.remove("CASELEAF_HOME");
        env.remove("XDG_DATA_DIRS");
        env.insert("HOME", m_home.path());
        env.insert("XDG_CONFIG_HOME", home("config"));
        env.insert("XDG_DATA_HOME", home("data"));
        env.insert("XDG_CACHE_HOME", home("cache"));
        env.insert("TMPDIR", home("tmp"));
        env.insert("PATH", prefix() + "/bin:" + env.value("PATH"));
        return env;
    }

    // A cover saved by the installed program itself, so it carries a preview.
    QString savedCover()
    {
        const QString plain = home("plain.vrz");
        EXPECT_TRUE(pythonZip(plain, {{"vorn.ini", "[LastCover]\r\nText=\"installed\"\r\nBackColor=65280\r\n"},
                                      {"plain.vrz.txt", "// ~contents~=\r\nTrack 1\r\n"}}));
        const RunResult r = run(installed("bin/caseleaf"), {"convert", plain, home("cover.vrz")}, m_home.path(),
                                userEnvironment());
        EXPECT_EQ(r.exitCode, 0) << r.err.constData();
        return home("cover.vrz");
    }

    QTemporaryDir m_stage, m_home;
};

// The executable, the program folder's data below share/caseleaf where the executable looks
// for it, the desktop's files, and nothing the build only needs.
TEST_F(Installed, TreeHoldsTheProgramItsDataAndTheDesktopFiles)
{
    const QStringList expected = QStringLiteral(
        "bin/caseleaf share/applications/caseleaf.desktop share/caseleaf/help/abouttext.txt "
        "share/caseleaf/help/gbhelp.html share/icons/hicolor/scalable/apps/caseleaf.svg "
        "share/icons/hicolor/scalable/mimetypes/application-x-caseleaf-cover.svg share/man/man1/caseleaf.1.gz "
        "share/metainfo/org.caseleaf.Caseleaf.metainfo.xml share/mime/packages/caseleaf.xml "
        "share/thumbnailers/caseleaf.thumbnailer").split(' ');
    // Every shipped language and preset goes; which ones is the data folder's business.
    QStringList found;
    for (const QString& entry : entriesBelow(prefix()))
        if (QFileInfo(installed(entry)).isFile() && !entry.contains(QRegularExpression("^share/caseleaf/(language|presets)/")))
            found << entry;
    EXPECT_EQ(found, expected);
    for (const QString data : {"/language", "/presets"})
        EXPECT_EQ(QDir(installed("share/caseleaf") + data).entryList(QDir::Files),
                  QDir(CASELEAF_SOURCE_DIR "/data" + data).entryList(QDir::Files));
    // The enciphered about text, not its readable source.
    EXPECT_EQ(readFile(installed("share/caseleaf/help/abouttext.txt")), readFile(CASELEAF_BUILD_DIR "/help/abouttext.txt"));
}

// The installed executable finds its language and help in ../share/caseleaf, in the staged
// tree as in a moved one, and writes nothing below the prefix.
TEST_F(Installed, ProgramRendersACoverWithItsOwnDataAndWritesNothingBelowThePrefix)
{
    const QString cover = savedCover();
    const auto before = snapshot(prefix());
    for (const QString& where : {QStringLiteral("usr"), QStringLiteral("moved/elsewhere")}) {
        ASSERT_TRUE(where == "usr"
                    || (QDir().mkpath(m_stage.filePath("moved")) && QDir().rename(prefix(), m_stage.filePath(where))));
        const QString program = m_stage.filePath(where + "/bin/caseleaf");
        QFile::remove(home("back.png"));
        const RunResult r = run(program, {"render", cover, "--side", "back", "--out", home("back.png"), "--dpi", "50"},
                                m_home.path(), userEnvironment());
        EXPECT_EQ(r.exitCode, 0) << where.toStdString() << r.err.constData();
        EXPECT_EQ(QImage(home("back.png")).size(), QSize(315, 252)) << where.toStdString();
        // The message comes from the installed english.ini.
        const RunResult missing = run(program, {"render", home("missing.vrz"), "--side", "back", "--out", "x.png"},
                                      m_home.path(), userEnvironment());
        EXPECT_TRUE(missing.exitCode == 1 && missing.err.contains("The cover could not be opened!")) << missing.err.constData();
        EXPECT_TRUE(snapshot(m_stage.filePath(where)) == before) << "the installed tree changed";
    }
}

// The window started from the installation (first use already confirmed) takes its working
// folder in the user's data folder, even for root, who could write below the prefix.
TEST_F(Installed, WindowKeepsItsWorkingFolderInTheUsersDataFolder)
{
    QSettings(home("config/Caseleaf/VORN.conf"), QSettings::IniFormat).setValue("General/NotFirstUse", "False");
    const auto before = snapshot(m_stage.path());
    QProcessEnvironment env = userEnvironment();
    env.insert("QT_QPA_PLATFORM", "offscreen");
    QProcess window;
    window.setProcessEnvironment(env);
    window.start(installed("bin/caseleaf"), {});
    ASSERT_TRUE(window.waitForStarted());
    const QString perUser = home("data/Caseleaf/tmp/") + QString::number(window.processId());
    for (int i = 0; i < 200 && !QFileInfo(perUser).isDir() && window.state() == QProcess::Running; ++i)
        window.waitForFinished(50);
    const bool claimed = QFileInfo(perUser).isDir();
    window.kill();
    window.waitForFinished();
    EXPECT_TRUE(claimed) << window.readAllStandardError().constData();
    EXPECT_TRUE(snapshot(m_stage.path()) == before) << "the installed tree changed";
}

// The desktop entry and the metainfo name what is installed, and their validators find
// nothing to say (desktop-file-validate not even a warning).
TEST_F(Installed, DesktopFilesValidateAndNameWhatIsInstalled)
{
    const QString entry = installed("share/applications/caseleaf.desktop");
    EXPECT_EQ(entryValue(entry, "Exec"), "caseleaf %f");
    EXPECT_TRUE(QFileInfo(installed("bin/" + entryValue(entry, "TryExec"))).isExecutable());
    EXPECT_TRUE(QFileInfo::exists(installed("share/icons/hicolor/scalable/apps/" + entryValue(entry, "Icon") + ".svg")));
    EXPECT_EQ(entryValue(entry, "MimeType"), kType + ';');
    // German desktops show their own comment and generic name.
    EXPECT_FALSE(entryValue(entry, "Comment[de]").isEmpty() || entryValue(entry, "GenericName[de]").isEmpty());
    const QString metainfo = installed("share/metainfo/org.caseleaf.Caseleaf.metainfo.xml");
    const QByteArray text = readFile(metainfo);
    EXPECT_TRUE(text.contains("<launchable type=\"desktop-id\">caseleaf.desktop</launchable>"));
    EXPECT_TRUE(text.contains("<mediatype>" + kType.toUtf8() + "</mediatype>"));
    EXPECT_TRUE(text.contains("version=\"" CASELEAF_VERSION "\"")) << text.constData();

    const std::tuple<const char*, QStringList, bool> validators[] = {
        {"desktop-file-validate", {entry}, true}, {"appstreamcli", {"validate", "--no-net", metainfo}, false}};
    for (const auto& [tool, args, silent] : validators) {
        if (!haveTool(tool))
            GTEST_SKIP() << tool << " is not installed";
        const RunResult r = run(tool, args);
        EXPECT_TRUE(r.exitCode == 0 && (!silent || (r.out + r.err).isEmpty())) << r.out.constData() << r.err.constData();
    }
}

// With the staged tree on XDG_DATA_DIRS and its database built, as a package's trigger
// builds it, a cover is known by its name in any letter case and opens in Caseleaf.
TEST_F(Installed, FileTypeIsRecognisedAndOpensInCaseleaf)
{
    for (const char* tool : {"update-mime-database", "update-desktop-database", "xdg-mime"}) {
        if (!haveTool(tool))
            GTEST_SKIP() << tool << " is not installed";
    }
    ASSERT_EQ(run("update-mime-database", {installed("share/mime")}).exitCode, 0);
    ASSERT_EQ(run("update-desktop-database", {installed("share/applications")}).exitCode, 0);
    const QString cover = savedCover();
    ASSERT_TRUE(QFile::copy(cover, home("LOUD.VRZ")));
    QProcessEnvironment desktop = userEnvironment();
    desktop.remove("XDG_CURRENT_DESKTOP");
    QProcessEnvironment plain = desktop;
    desktop.insert("XDG_DATA_DIRS", installed("share") + ":/usr/share");
    plain.insert("XDG_DATA_DIRS", "/usr/share");

    for (const QString& file : {cover, home("LOUD.VRZ")}) {
        const RunResult r = run("xdg-mime", {"query", "filetype", file}, QString(), desktop);
        EXPECT_EQ(r.out.trimmed(), kType.toUtf8()) << file.toStdString() << r.err.constData();
    }
    // Without the installed type a cover is just a ZIP archive, so the check above means something.
    EXPECT_EQ(run("xdg-mime", {"query", "filetype", cover}, QString(), plain).out.trimmed(), QByteArray("application/zip"));
    EXPECT_EQ(run("xdg-mime", {"query", "default", kType}, QString(), desktop).out.trimmed(), QByteArray("caseleaf.desktop"));

    const QByteArray described = readFile(installed("share/mime/application/x-caseleaf-cover.xml"));
    EXPECT_TRUE(described.contains("<sub-class-of type=\"application/zip\"/>"));
    EXPECT_TRUE(described.contains("xml:lang=\"de\"")) << described.constData();
}

// The thumbnailer's command line with its %i, %o and %s filled in, run from PATH the way
// GNOME, Cinnamon, MATE and Xfce file managers run it: the preview a save stored, scaled,
// and nothing else written.
TEST_F(Installed, ThumbnailerGivesTheScaledPreviewOfASavedCover)
{
    const QString entry = installed("share/thumbnailers/caseleaf.thumbnailer");
    EXPECT_EQ(entryValue(entry, "MimeType"), kType + ';');
    const QStringList path = userEnvironment().value("PATH").split(':');
    EXPECT_EQ(QStandardPaths::findExecutable(entryValue(entry, "TryExec"), path), installed("bin/caseleaf"));
    QStringList args;
    for (const QString& word : entryValue(entry, "Exec").split(' '))
        args << (word == "%i" ? home("cover.vrz") : word == "%o" ? home("cover.png") : word == "%s" ? "128" : word);

    const QString cover = savedCover();
    const QStringList before = entriesBelow(m_home.path());
    const RunResult r = run(QStandardPaths::findExecutable(args.takeFirst(), path), args, m_home.path(), userEnvironment());
    ASSERT_EQ(r.exitCode, 0) << r.err.constData();
    QStringList after = entriesBelow(m_home.path());
    EXPECT_TRUE(after.removeOne("cover.png"));
    EXPECT_EQ(after, before);
    // The stored 210 x 180 preview fitted to 128 (how it is scaled, the thumbnail tests check).
    EXPECT_EQ(QImage(home("cover.png")).size(), QSize(128, 109));
}

// The manual, the README and --help describe the same commands: whoever adds one to the
// usage text adds it to the other two.
TEST_F(Installed, ManualAndReadmeDescribeEveryCommandOfTheHelp)
{
    const RunResult help = run(installed("bin/caseleaf"), {"--help"}, QString(), userEnvironment());
    ASSERT_EQ(help.exitCode, 0);
    QStringList commands;
    const QRegularExpression usageLine(QStringLiteral("^  caseleaf (\\S+)"), QRegularExpression::MultilineOption);
    for (auto it = usageLine.globalMatch(QString::fromUtf8(help.out)); it.hasNext();)
        commands << it.next().captured(1);
    ASSERT_GE(commands.size(), 4) << help.out.constData();

    const RunResult page = run("sh", {"-c", "gzip -dc \"$0\" | groff -man -Tutf8 -ww -P-cbou", installed("share/man/man1/caseleaf.1.gz")});
    ASSERT_EQ(page.exitCode, 0);
    EXPECT_EQ(page.err, QByteArray()) << "groff warns about the manual";
    const QString manual = QString::fromUtf8(page.out).replace(QChar(0x2010), '-').replace(QChar(0x2212), '-');
    const QString readme = QString::fromUtf8(readFile(CASELEAF_SOURCE_DIR "/README.md"));
    for (const QString& command : commands) {
        EXPECT_TRUE(manual.contains("caseleaf " + command)) << "caseleaf.1 does not describe " << command.toStdString();
        EXPECT_TRUE(readme.contains("caseleaf " + command)) << "README.md does not list " << command.toStdString();
    }
    EXPECT_TRUE(manual.contains("Caseleaf " CASELEAF_VERSION));
}

} // namespace
