#pragma once

#include "editor/bindings.h"
#include "editor/editor_window.h"

#include <QCoreApplication>
#include <QTabWidget>

#include <gtest/gtest.h>

// Lays the editor out at a size and shows each tab and settings page in turn: every control
// of the cover and every edit switch lies inside the window, not cut off by anything.
inline void expectEveryControlShowsWhole(EditorWindow& editor, const QSize& size)
{
    editor.resize(size);
    QCoreApplication::processEvents();
    QStringList names = {"EditContents", "EditInnerText", "EditOuterText"};
    for (const Binding& row : bindings())
        names << QString::fromLatin1(row.control);
    auto* main = editor.findChild<QTabWidget*>("MainTabs");
    int seen = 0;
    for (int sheet = 0; sheet < 2; ++sheet) {
        main->setCurrentIndex(sheet);
        auto* settings = editor.findChild<QTabWidget*>(sheet == 0 ? "BackSettingsTabs" : "FrontSettingsTabs");
        for (int page = 0; page < settings->count(); ++page) {
            settings->setCurrentIndex(page);
            QCoreApplication::processEvents();
            for (const QString& name : names) {
                QWidget* control = editor.findChild<QWidget*>(name);
                if (!control->isVisible())
                    continue;
                ++seen;
                const QRect inWindow(control->mapTo(&editor, QPoint(0, 0)), control->size());
                EXPECT_TRUE(editor.rect().contains(inWindow)) << name.toStdString();
                EXPECT_EQ(control->visibleRegion(), QRegion(control->rect())) << name.toStdString() << " is cut off";
            }
        }
    }
    EXPECT_EQ(seen, names.size() + 2); // the contents switch shows beside all three back pages
}
