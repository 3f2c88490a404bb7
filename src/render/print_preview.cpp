#include "render/print_preview.h"

#include "document/cover_document.h"
#include "platform/qt_printer.h"
#include "render/drawing_surface.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPrintPreviewWidget>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

namespace {

constexpr int kMaxPreviewCopies = 999;

QPushButton* button(const QString& caption, const QString& name, QWidget* parent)
{
    auto* b = new QPushButton(caption, parent);
    b->setObjectName(name);
    return b;
}

} // namespace

PrintPreviewWindow::PrintPreviewWindow(CoverDocument& doc, Sheet sheet, QtPrinter& printer, QWidget* owner)
    : QDialog(owner), m_doc(doc), m_sheet(sheet), m_printer(printer)
{
    setObjectName(QStringLiteral("printPreview"));
    setWindowTitle(QStringLiteral("Print preview"));
    // Until a print dialog has said otherwise, the front goes across the paper.
    if (sheet == Sheet::Front && !printer.hasChosenSetup() && printer.isPortrait())
        printer.setLandscape();

    m_copies = new QSpinBox(this);
    m_copies->setObjectName(QStringLiteral("previewCopies"));
    m_copies->setRange(1, kMaxPreviewCopies);
    m_copies->setValue(printer.hasChosenSetup() ? printer.copies() : 1);
    auto* copiesLabel = new QLabel(QStringLiteral("&Copies:"), this);
    copiesLabel->setBuddy(m_copies);

    m_orientation = new QComboBox(this);
    m_orientation->setObjectName(QStringLiteral("previewOrientation"));
    m_orientation->addItems({QStringLiteral("Portrait"), QStringLiteral("Landscape")});
    m_orientation->setCurrentIndex(printer.isPortrait() ? 0 : 1);
    auto* orientationLabel = new QLabel(QStringLiteral("&Paper:"), this);
    orientationLabel->setBuddy(m_orientation);

    QPushButton* fit = button(QStringLiteral("Whole page"), QStringLiteral("previewFit"), this);
    QPushButton* zoomIn = button(QStringLiteral("Zoom in"), QStringLiteral("previewZoomIn"), this);
    QPushButton* zoomOut = button(QStringLiteral("Zoom out"), QStringLiteral("previewZoomOut"), this);
    QPushButton* print = button(QStringLiteral("Print..."), QStringLiteral("previewPrint"), this);
    QPushButton* close = button(QStringLiteral("Close"), QStringLiteral("previewClose"), this);

    m_view = new QPrintPreviewWidget(&printer.printer(), this);
    m_view->setObjectName(QStringLiteral("previewPages"));
    m_view->setAccessibleName(QStringLiteral("Pages"));
    m_view->setViewMode(QPrintPreviewWidget::SinglePageView);

    auto* bar = new QHBoxLayout;
    bar->addWidget(copiesLabel);
    bar->addWidget(m_copies);
    bar->addWidget(orientationLabel);
    bar->addWidget(m_orientation);
    bar->addSpacing(12);
    bar->addWidget(fit);
    bar->addWidget(zoomIn);
    bar->addWidget(zoomOut);
    bar->addStretch();
    bar->addWidget(print);
    bar->addWidget(close);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(bar);
    layout->addWidget(m_view, 1);
    resize(760, 820);

    connect(m_view, &QPrintPreviewWidget::paintRequested, this, &PrintPreviewWindow::paintPages);
    connect(m_copies, &QSpinBox::valueChanged, m_view, &QPrintPreviewWidget::updatePreview);
    connect(m_orientation, &QComboBox::currentIndexChanged, this, &PrintPreviewWindow::orientationChosen);
    connect(fit, &QPushButton::clicked, m_view, &QPrintPreviewWidget::fitInView);
    connect(zoomIn, &QPushButton::clicked, m_view, [this] { m_view->zoomIn(); });
    connect(zoomOut, &QPushButton::clicked, m_view, [this] { m_view->zoomOut(); });
    connect(close, &QPushButton::clicked, this, &QDialog::reject);
    connect(print, &QPushButton::clicked, this, [this] {
        m_printer.offerCopies(m_copies->value());
        accept();
        emit printRequested();
    });
    m_view->updatePreview();
}

int PrintPreviewWindow::pageCount() const
{
    return m_view->pageCount();
}

void PrintPreviewWindow::orientationChosen(int index)
{
    m_view->setOrientation(index == 0 ? QPageLayout::Portrait : QPageLayout::Landscape);
}

void PrintPreviewWindow::paintPages(QPrinter* printer)
{
    // A calibration corrects what a printer does to the page; the preview shows the page meant.
    PrinterSurface surface(*printer);
    if (surface.isActive())
        PrintPages(m_doc, m_sheet, surface, m_copies->value());
}
