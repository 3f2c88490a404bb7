#pragma once

class PreviewWidget;
class QTabWidget;
class QWidget;

// The settings tabs of each sheet with every control of the binding table, each named
// after its key (options after their choice). They hold no logic: the binder connects them.

// "Global", "Label" and "Text".
QTabWidget* buildBackSettings();
// "Global", "Inner-side" and "Outer-side".
QTabWidget* buildFrontSettings();

// The pages of the main tabs: a sheet's preview in an area that scrolls when it does not
// fit ("BackPreviewArea", "FrontPreviewArea"), with the sheet's settings.
QWidget* buildBackTab(PreviewWidget* preview);
QWidget* buildFrontTab(PreviewWidget* preview);
