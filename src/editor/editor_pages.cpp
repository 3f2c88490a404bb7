#include "editor/settings_pages.h"

#include "editor/preview_widget.h"
#include "editor/settings_widgets.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QScrollArea>
#include <QTabWidget>
#include <QVBoxLayout>

namespace {

// The preview in the middle of its space, scrolling when larger.
QScrollArea* previewArea(const QString& name, PreviewWidget* preview)
{
    auto* area = new QScrollArea;
    area->setObjectName(name);
    area->setWidget(preview);
    area->setAlignment(Qt::AlignCenter);
    area->setBackgroundRole(QPalette::Dark);
    area->setMinimumSize(160, 120);
    return area;
}

// Settings that scroll rather than be cut off when the window is small.
QScrollArea* settingsArea(QWidget* settings)
{
    auto* area = new QScrollArea;
    area->setWidget(settings);
    area->setWidgetResizable(true);
    area->setFrameShape(QFrame::NoFrame);
    return area;
}

} // namespace

QWidget* buildBackTab(PreviewWidget* preview)
{
    auto* page = new QWidget;
    page->setObjectName(QStringLiteral("BackTab"));
    auto* side = new QWidget;
    auto* sideLayout = new QVBoxLayout(side);
    sideLayout->setContentsMargins(0, 0, 0, 0);
    sideLayout->addWidget(buildBackSettings());
    sideLayout->addWidget(settingsui::check("EditContents"));
    sideLayout->addStretch();
    auto* layout = new QHBoxLayout(page);
    layout->addWidget(previewArea(QStringLiteral("BackPreviewArea"), preview), 1);
    layout->addWidget(settingsArea(side));
    return page;
}

QWidget* buildFrontTab(PreviewWidget* preview)
{
    auto* page = new QWidget;
    page->setObjectName(QStringLiteral("FrontTab"));
    auto* layout = new QVBoxLayout(page);
    layout->addWidget(previewArea(QStringLiteral("FrontPreviewArea"), preview), 1);
    layout->addWidget(settingsArea(buildFrontSettings()));
    return page;
}
