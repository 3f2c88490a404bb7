#pragma once

#include "program_home.h"
#include "shell/language.h"

// Loads a language whose entry n of each section reads "<word> n" ("Message n" in
// [Messages]), so that tests see which entry a window or message box shows.
class NumberedLanguage : public ProgramHome {
public:
    explicit NumberedLanguage(const QList<std::pair<QByteArray, QByteArray>>& sections = {{"Messages", "Message"}})
    {
        QByteArray ini;
        for (const auto& [section, word] : sections) {
            ini += '[' + section + "]\r\n";
            for (int n = 1; n <= 60; ++n)
                ini += "V" + QByteArray::number(n) + '=' + word + ' ' + QByteArray::number(n) + "\r\n";
        }
        write(QStringLiteral("language/numbered.ini"), ini);
        QString name = QStringLiteral("numbered");
        m_loaded = LoadLanguage(name);
    }
    bool loaded() const { return m_loaded; }

private:
    bool m_loaded = false;
};
