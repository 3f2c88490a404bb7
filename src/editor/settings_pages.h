#pragma once

class QTabWidget;

// The settings tabs of each sheet with every control of the binding table, each named
// after its key (options after their choice). They hold no logic: the binder connects them.

// "Global", "Label" and "Text".
QTabWidget* buildBackSettings();
// "Global", "Inner-side" and "Outer-side".
QTabWidget* buildFrontSettings();
