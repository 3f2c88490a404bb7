#pragma once

#include "render/calibration.h"

#include <QString>

class QPagedPaintDevice;

// What the printer says when asked to print one copy itself, the program making the copies.
enum class SingleCopyResult {
    Done,
    // The driver has no copy count of its own: nothing to set, printing goes on.
    NotSupported,
    // The user cancelled the job.
    Cancelled,
    // Any other printer error; the description says which.
    Failed,
};

// The printer the window prints on, with the print dialog that chooses it. The window
// program uses the Qt printer and dialog; tests script one that prints into a PDF file.
class PrintDevice {
public:
    virtual ~PrintDevice() = default;

    // The print dialog over the editor window, starting from the setup chosen the last
    // time while the program runs. False when cancelled.
    virtual bool showPrintDialog() = 0;
    // The number of copies chosen in the dialog, 0 before it was first used.
    virtual int copies() const = 0;
    // Abandons any job that is still open.
    virtual void abort() = 0;
    // Sets the printer to print each page once; on Failed, error holds the description.
    virtual SingleCopyResult setSingleCopy(QString* error) = 0;
    virtual bool isPortrait() const = 0;
    virtual void setLandscape() = 0;
    // The chosen printer's name, for messages.
    virtual QString deviceName() const = 0;
    // The correction stored for the chosen printer; none for output into a file.
    virtual PrinterCalibration calibration() const = 0;
    // The pages: painted on through a PrinterSurface, one job from begin to end.
    virtual QPagedPaintDevice& pages() = 0;
};

// The printer the window prints on: the window program installs its own, tests a scripted
// one. None until then.
PrintDevice* installedPrintDevice();
// Installs device (not owned); nullptr removes it.
void installPrintDevice(PrintDevice* device);
