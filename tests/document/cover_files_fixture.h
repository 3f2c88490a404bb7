#pragma once

#include "archive/zip_fixtures.h"
#include "document/cover_archive.h"
#include "document/cover_document.h"
#include "document/font_matching.h"
#include "document/pictures.h"
#include "fake_dialogs.h"
#include "gtest_qt.h"
#include "shell/app_state.h"
#include "shell/language.h"
#include "test_pictures.h"

namespace fixtures {

const QString kData = QStringLiteral(CASELEAF_TEST_DATA "/pictures/");

// The installed language, a working folder of its own, scripted dialogs and one document.
class CoverFiles : public ::testing::Test, protected TestFolder {
protected:
    void SetUp() override
    {
        qputenv("CASELEAF_HOME", QByteArray(CASELEAF_BUILD_DIR));
        QString language = QStringLiteral("english");
        ASSERT_TRUE(LoadLanguage(language));
        ASSERT_TRUE(QDir().mkpath(m_work) && writeFile(m_work + "dummy.txt", QByteArray()));
        app::setWorkingFolder(m_work);
        app::viewEnabled = true;
        m_ctx.fontList = standardFontList();
    }
    void TearDown() override { app::setWorkingFolder(QString()); }

    QString msg(int n) const { return Lang(LangSection::Messages, n); }
    // Messages V<first>, line break, V29 and the engine's number.
    QString failure(int first) const { return QRegularExpression::escape(msg(first) + "\n" + msg(29)) + "[1-9]\\d*"; }

    // A small picture of one colour, in the format its name gives.
    QString makePicture(const QString& name, Qt::GlobalColor color)
    {
        EXPECT_TRUE(QDir().mkpath(QFileInfo(path(name)).path()) && savePlainPicture(path(name), color));
        return path(name);
    }

    // The one message shown since the last call matches pattern in full; "." matches line breaks.
    void expectShown(const QString& pattern, MsgIcon icon)
    {
        ASSERT_EQ(m_dialogs.shown.size(), 1u) << m_dialogs.texts().join('|').toStdString();
        const QString text = m_dialogs.shown[0].text;
        EXPECT_TRUE(text.contains(QRegularExpression("(?s)\\A(?:" + pattern + ")\\z"))) << text.toStdString();
        EXPECT_EQ(m_dialogs.shown[0].icon, icon);
        m_dialogs.shown.clear();
    }

    QString m_work = path(QStringLiteral("work/"));
    FakeDialogs m_dialogs;
    CoverDocument m_doc;
    CoverFileContext m_ctx{m_doc};
};

} // namespace fixtures
