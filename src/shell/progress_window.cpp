#include "shell/progress_window.h"

#include "shell/app_state.h"
#include "shell/log_window.h"

#include <QApplication>
#include <QCloseEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QPointer>
#include <QRadialGradient>
#include <QScreen>
#include <QTimer>
#include <QVBoxLayout>

namespace {

// &H7B8E9C, the window colour of the designed look.
const QColor kPanelColor(156, 142, 123);

QString modeWord(ProgressMode mode)
{
    switch (mode) {
    case ProgressMode::Startup: break;
    case ProgressMode::Importing: return QStringLiteral("Importing...");
    case ProgressMode::Exporting: return QStringLiteral("Exporting...");
    case ProgressMode::Loading: return QStringLiteral("Loading...");
    case ProgressMode::Saving: return QStringLiteral("Saving...");
    }
    return QString();
}

class ProgressWindows final : public ProgressWindowHost {
public:
    void showProgressWindow(ProgressMode mode) override
    {
        delete m_progress;
        m_progress = new ProgressWindow(mode);
        m_progress->load();
    }
    void unloadProgressWindow() override { delete m_progress; }
    void showLogWindow() override
    {
        auto* log = new LogWindow;
        log->show();
    }

private:
    QPointer<ProgressWindow> m_progress;
};

} // namespace

ProgressWindow::ProgressWindow(ProgressMode mode, QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::FramelessWindowHint)
    , m_mode(mode)
    , m_picture(new QLabel(this))
    , m_version(new QLabel(QStringLiteral("3.0"), this))
    , m_status(new QLabel(QStringLiteral("Initialising..."), this))
    , m_focusTimer(new QTimer(this))
{
    setObjectName(QStringLiteral("ProgressWindow"));
    setWindowTitle(app::title());
    setAutoFillBackground(true);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, kPanelColor);
    setPalette(pal);

    m_picture->setObjectName(QStringLiteral("Picture"));
    m_picture->setFixedSize(220, 230);
    m_picture->setAlignment(Qt::AlignCenter);
    m_picture->setPixmap(startupPicture());

    auto* edition = new QLabel(QStringLiteral("CD cover designer"), this);
    edition->setObjectName(QStringLiteral("Edition"));
    auto* name = new QLabel(QStringLiteral("Caseleaf"), this);
    name->setObjectName(QStringLiteral("ProgramName"));
    QFont big = name->font();
    big.setPointSize(22);
    big.setBold(true);
    name->setFont(big);
    m_version->setObjectName(QStringLiteral("Version"));
    m_status->setObjectName(QStringLiteral("Status"));
    m_status->setMinimumWidth(220);

    auto* texts = new QVBoxLayout;
    texts->addWidget(edition);
    texts->addWidget(name);
    texts->addWidget(m_version);
    texts->addStretch();
    texts->addWidget(m_status);
    auto* layout = new QHBoxLayout(this);
    layout->addWidget(m_picture);
    layout->addLayout(texts);

    m_focusTimer->setObjectName(QStringLiteral("FocusTimer"));
    m_focusTimer->setInterval(60);
    connect(m_focusTimer, &QTimer::timeout, this, &ProgressWindow::bringToFront);
}

ProgressWindow::~ProgressWindow() { setProgressView(nullptr); }

void ProgressWindow::load()
{
    if (m_mode != ProgressMode::Startup) {
        m_picture->setPixmap(QPixmap());
        m_picture->setAutoFillBackground(true);
        QPalette pal = m_picture->palette();
        pal.setColor(QPalette::Window, kPanelColor);
        pal.setColor(QPalette::WindowText, Qt::white);
        m_picture->setPalette(pal);
        QFont word = m_picture->font();
        word.setPointSize(16);
        word.setBold(true);
        m_picture->setFont(word);
        m_picture->setText(modeWord(m_mode));
        m_status->setText(QStringLiteral("Please wait..."));
        m_version->hide();
    }
    setProgressView(this);
    m_version->setText(QStringLiteral("%1.%2").arg(app::kVersionMajor).arg(app::kVersionMinor));
    adjustSize();
    if (const QScreen* s = screen())
        move(s->availableGeometry().center() - rect().center());
    show();
    m_focusTimer->start();
    ProcessPendingEvents();
}

void ProgressWindow::closeEvent(QCloseEvent* event)
{
    // Only the operation that opened the window closes it.
    if (event->spontaneous())
        event->ignore();
}

void ProgressWindow::setStatus(const QString& text) { m_status->setText(text); }

void ProgressWindow::bringToFront()
{
    // A message shown meanwhile (the language fallback, say) stays on top.
    if (!QApplication::activeModalWidget())
        raise();
}

QPixmap ProgressWindow::startupPicture()
{
    QPixmap pixmap(220, 230);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient sky(0, 0, 0, 230);
    sky.setColorAt(0, QColor(40, 52, 70));
    sky.setColorAt(1, QColor(110, 96, 78));
    p.fillRect(pixmap.rect(), sky);

    // A jewel case standing slightly behind the disc.
    const QRectF caseRect(22, 24, 150, 140);
    p.setPen(QPen(QColor(230, 230, 235), 2));
    p.setBrush(QColor(255, 255, 255, 40));
    p.drawRect(caseRect);
    p.fillRect(QRectF(caseRect.left(), caseRect.top(), 10, caseRect.height()), QColor(255, 255, 255, 70));
    p.setPen(QPen(QColor(250, 210, 120), 3));
    p.drawLine(QPointF(44, 60), QPointF(150, 60));
    p.drawLine(QPointF(44, 74), QPointF(124, 74));

    // The disc with its rainbow sheen and centre hole.
    const QPointF centre(128, 132);
    QRadialGradient sheen(centre, 70);
    sheen.setColorAt(0.0, QColor(235, 235, 240));
    sheen.setColorAt(0.5, QColor(190, 205, 230));
    sheen.setColorAt(0.8, QColor(230, 200, 235));
    sheen.setColorAt(1.0, QColor(170, 180, 200));
    p.setPen(QPen(QColor(90, 90, 100), 1.5));
    p.setBrush(sheen);
    p.drawEllipse(centre, 70, 70);
    p.setBrush(QColor(200, 200, 210));
    p.drawEllipse(centre, 22, 22);
    p.setBrush(QColor(40, 52, 70));
    p.drawEllipse(centre, 8, 8);

    // A leaf on the disc, the program's mark.
    QPainterPath leaf;
    leaf.moveTo(150, 190);
    leaf.cubicTo(160, 160, 190, 150, 205, 150);
    leaf.cubicTo(200, 175, 180, 195, 150, 190);
    p.setPen(QPen(QColor(30, 90, 40), 1.5));
    p.setBrush(QColor(90, 170, 80));
    p.drawPath(leaf);
    p.drawLine(QPointF(150, 190), QPointF(196, 158));

    p.setPen(QColor(245, 240, 230));
    QFont font = p.font();
    font.setPixelSize(20);
    font.setBold(true);
    p.setFont(font);
    p.drawText(QRectF(0, 200, 220, 28), Qt::AlignCenter, QStringLiteral("Caseleaf"));
    return pixmap;
}

void installProgressWindows()
{
    static ProgressWindows host;
    setProgressWindowHost(&host);
}
