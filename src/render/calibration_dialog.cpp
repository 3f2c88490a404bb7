#include "render/calibration_dialog.h"

#include "platform/qt_printer.h"
#include "render/drawing_surface.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QDoubleSpinBox>
#include <QFormLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

using namespace calibrationsheet;

namespace {

QDoubleSpinBox* measurement(const QString& name, double meant, double error, QWidget* parent)
{
    auto* box = new QDoubleSpinBox(parent);
    box->setObjectName(name);
    box->setDecimals(1);
    box->setSingleStep(0.1);
    box->setRange(meant - error, meant + error);
    box->setSuffix(QStringLiteral(" mm"));
    box->setValue(meant);
    return box;
}

} // namespace

CalibrationDialog::CalibrationDialog(const QStringList& printers, std::function<bool(const QString&)> printSheet,
                                     QWidget* parent)
    : QDialog(parent), m_printSheet(std::move(printSheet))
{
    setObjectName(QStringLiteral("printerCalibration"));
    setWindowTitle(QStringLiteral("Printer calibration"));

    m_printers = new QComboBox(this);
    m_printers->setObjectName(QStringLiteral("calibrationPrinter"));
    m_printers->addItems(printers);
    m_print = new QPushButton(QStringLiteral("Print &calibration sheet"), this);
    m_print->setObjectName(QStringLiteral("calibrationPrintSheet"));

    // The square's sides may be off by its scale limit, the cross by the offset limit too.
    m_crossX = measurement(QStringLiteral("calibrationCrossX"), kCross, kMaxCrossError, this);
    m_crossY = measurement(QStringLiteral("calibrationCrossY"), kCross, kMaxCrossError, this);
    m_width = measurement(QStringLiteral("calibrationSquareWidth"), kSquareSide, kSquareSide * kMaxScaleError, this);
    m_height = measurement(QStringLiteral("calibrationSquareHeight"), kSquareSide, kSquareSide * kMaxScaleError, this);
    m_correction = new QLabel(this);
    m_correction->setObjectName(QStringLiteral("calibrationCorrection"));
    m_correction->setWordWrap(true);

    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("&Printer:"), m_printers);
    form->addRow(QString(), m_print);
    form->addRow(new QLabel(QStringLiteral("Measured on the printed sheet, from the paper's top-left corner:"), this));
    form->addRow(QStringLiteral("Cross, &across:"), m_crossX);
    form->addRow(QStringLiteral("Cross, &down:"), m_crossY);
    form->addRow(QStringLiteral("Square, &width:"), m_width);
    form->addRow(QStringLiteral("Square, &height:"), m_height);
    form->addRow(m_correction);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Save | QDialogButtonBox::Reset | QDialogButtonBox::Close, this);
    m_save = buttons->button(QDialogButtonBox::Save);
    m_save->setObjectName(QStringLiteral("calibrationSave"));
    buttons->button(QDialogButtonBox::Reset)->setObjectName(QStringLiteral("calibrationReset"));
    buttons->button(QDialogButtonBox::Close)->setObjectName(QStringLiteral("calibrationClose"));
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(buttons);

    connect(m_printers, &QComboBox::currentIndexChanged, this, &CalibrationDialog::printerChosen);
    for (QDoubleSpinBox* box : {m_crossX, m_crossY, m_width, m_height})
        connect(box, &QDoubleSpinBox::valueChanged, this, &CalibrationDialog::showCorrection);
    connect(m_print, &QPushButton::clicked, this, [this] {
        if (!m_printSheet(m_printers->currentText()))
            m_correction->setText(QStringLiteral("The calibration sheet could not be printed on \"%1\".")
                                      .arg(m_printers->currentText()));
    });
    connect(buttons->button(QDialogButtonBox::Reset), &QPushButton::clicked, this, [this] {
        m_crossX->setValue(kCross);
        m_crossY->setValue(kCross);
        m_width->setValue(kSquareSide);
        m_height->setValue(kSquareSide);
    });
    connect(m_save, &QPushButton::clicked, this, [this] {
        saveCalibration(m_printers->currentText(), entered());
        showCorrection();
        m_correction->setText(m_correction->text() + QStringLiteral(" Saved for \"%1\".").arg(m_printers->currentText()));
    });
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    const bool any = !printers.isEmpty();
    for (QWidget* w : std::initializer_list<QWidget*>{m_printers, m_print, m_crossX, m_crossY, m_width, m_height, m_save})
        w->setEnabled(any);
    if (any)
        printerChosen();
    else
        m_correction->setText(QStringLiteral("No printer is installed."));
}

PrinterCalibration CalibrationDialog::entered() const
{
    return calibrationFromMeasurements(m_crossX->value(), m_crossY->value(), m_width->value(), m_height->value());
}

void CalibrationDialog::printerChosen()
{
    double x, y, w, h;
    measurementsOf(loadCalibration(m_printers->currentText()), x, y, w, h);
    for (QDoubleSpinBox* box : {m_crossX, m_crossY, m_width, m_height})
        box->blockSignals(true);
    m_crossX->setValue(x);
    m_crossY->setValue(y);
    m_width->setValue(w);
    m_height->setValue(h);
    for (QDoubleSpinBox* box : {m_crossX, m_crossY, m_width, m_height})
        box->blockSignals(false);
    showCorrection();
}

void CalibrationDialog::showCorrection()
{
    const PrinterCalibration c = entered();
    if (c.isNone()) {
        m_correction->setText(QStringLiteral("This printer prints where it should: no correction."));
        return;
    }
    m_correction->setText(QStringLiteral("Pages on this printer will be moved by %1 mm across and %2 mm down "
                                         "and scaled by %3 % across and %4 % down.")
                              .arg(-c.offsetX / c.scaleX, 0, 'f', 2)
                              .arg(-c.offsetY / c.scaleY, 0, 'f', 2)
                              .arg(100 / c.scaleX, 0, 'f', 2)
                              .arg(100 / c.scaleY, 0, 'f', 2));
}

bool PrintCalibrationSheet(const QString& printer)
{
    QPrinter device(QPrinter::HighResolution);
    if (!selectPrinter(device, printer))
        return false;
    device.setPageOrientation(QPageLayout::Portrait);
    PrinterSurface surface(device);
    if (!surface.isActive())
        return false;
    DrawCalibrationSheet(surface, printer);
    return surface.end();
}
