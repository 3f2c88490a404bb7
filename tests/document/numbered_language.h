#pragma once

#include "gtest_qt.h"
#include "shell/language.h"

// Loads a language whose Messages entry n reads "Message n", so that tests see
// which entry a message box shows. Restores the program folder afterwards.
class NumberedLanguage {
public:
    NumberedLanguage()
    {
        QDir(m_home.path()).mkdir(QStringLiteral("language"));
        QFile file(m_home.filePath(QStringLiteral("language/numbered.ini")));
        if (file.open(QIODevice::WriteOnly)) {
            file.write("[Messages]\r\n");
            for (int n = 1; n <= 60; ++n)
                file.write(QStringLiteral("V%1=Message %1\r\n").arg(n).toLatin1());
            file.close();
        }
        qputenv("CASELEAF_HOME", m_home.path().toLocal8Bit());
        QString name = QStringLiteral("numbered");
        m_loaded = LoadLanguage(name);
    }
    ~NumberedLanguage() { qunsetenv("CASELEAF_HOME"); }
    bool loaded() const { return m_loaded; }

private:
    QTemporaryDir m_home;
    bool m_loaded = false;
};
