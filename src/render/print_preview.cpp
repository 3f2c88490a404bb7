#include "render/print_preview.h"

#include "document/cover_document.h"
#include "render/drawing_surface.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPrinter>
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

PrintPreviewWindow::PrintPreviewWindow(CoverDocument& doc, Sheet sheet, const QPageLayout& paper, int copies,
                                       QWidget* owner)
    : QDialog(owner), m_doc(doc), m_sheet(sheet), m_printer(std::make_unique<QPrinter>(QPrinter::HighResolution))
{
    setObjectName(QStringLiteral("printPreview"));
    setWindowTitle(QStringLiteral("Print preview"));
    m_printer->setPageLayout(paper);
    // The front is 250 mm wide: printing asks to turn portrait paper, and the answer is yes.
    if (sheet == Sheet::Front)
        m_printer->setPageOrientation(QPageLayout::Landscape);

    m_copies = new QSpinBox(this);
    m_copies->setObjectName(QStringLiteral("previewCopies"));
    m_copies->setRange(1, kMaxPreviewCopies);
    m_copies->setValue(std::max(1, copies));
    auto* copiesLabel = new QLabel(QStringLiteral("&Copies:"), this);
    copiesLabel->setBuddy(m_copies);

    m_orientation = new QComboBox(this);
    m_orientation->setObjectName(QStringLiteral("previewOrientation"));
    m_orientation->addItems({QStringLiteral("Portrait"), QStringLiteral("Landscape")});
    m_orientation->setCurrentIndex(m_printer->pageLayout().orientation() == QPageLayout::Portrait ? 0 : 1);
    auto* orientationLabel = new QLabel(QStringLiteral("&Paper:"), this);
    orientationLabel->setBuddy(m_orientation);

    QPushButton* fit = button(QStringLiteral("Whole page"), QStringLiteral("previewFit"), this);
    QPushButton* zoomIn = button(QStringLiteral("Zoom in"), QStringLiteral("previewZoomIn"), this);
    QPushButton* zoomOut = button(QStringLiteral("Zoom out"), QStringLiteral("previewZoomOut"), this);
    QPushButton* print = button(QStringLiteral("Print..."), QStringLiteral("previewPrint"), this);
    QPushButton* close = button(QStringLiteral("Close"), QStringLiteral("previewClose"), this);

    m_view = new QPrintPreviewWidget(m_printer.get(), this);
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
    connect(print, &QPushButton::clicked, this, &QDialog::accept);
    m_view->updatePreview();
}

PrintPreviewWindow::~PrintPreviewWindow() = default;

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
