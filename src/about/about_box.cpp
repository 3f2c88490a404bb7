#include "about/about_box.h"

#include "about/about_info.h"
#include "about/text_scroller.h"
#include "platform/desktop.h"
#include "platform/dialogs.h"
#include "shell/app_state.h"
#include "shell/startup.h"

#include <QApplication>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>

namespace {

const QColor kBoxColor(156, 142, 123);
constexpr int kBoxColorValue = 156 + 256 * 142 + 65536 * 123;

// A disc in its case, drawn rather than shipped.
QPixmap discPicture()
{
    QPixmap picture(64, 64);
    picture.fill(Qt::transparent);
    QPainter p(&picture);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(60, 52, 44), 2));
    p.setBrush(QColor(230, 226, 218));
    p.drawRoundedRect(QRectF(3, 3, 58, 58), 3, 3);
    QRadialGradient silver(QPointF(26, 26), 30);
    silver.setColorAt(0, QColor(250, 250, 255));
    silver.setColorAt(0.6, QColor(190, 200, 215));
    silver.setColorAt(1, QColor(150, 160, 180));
    p.setPen(QPen(QColor(110, 116, 130), 1));
    p.setBrush(silver);
    p.drawEllipse(QPointF(32, 32), 25, 25);
    p.setBrush(QColor(230, 226, 218));
    p.drawEllipse(QPointF(32, 32), 5, 5);
    return picture;
}

QLabel* linkLabel(const QString& link, const QString& shown, const char* name, QWidget* parent)
{
    // Dark enough to read on the box's brown, where the usual link blue is not.
    auto* label = new QLabel(QStringLiteral("<a href=\"%1\" style=\"color:#000050\">%2</a>")
                                 .arg(link.toHtmlEscaped(), shown.toHtmlEscaped()),
                             parent);
    label->setObjectName(QString::fromLatin1(name));
    label->setTextInteractionFlags(Qt::LinksAccessibleByMouse | Qt::LinksAccessibleByKeyboard);
    label->setFocusPolicy(Qt::TabFocus);
    return label;
}

} // namespace

void AboutBox::showModal(QWidget* parent)
{
    AboutBox box(aboutText(), parent);
    box.exec();
}

AboutBox::AboutBox(const QString& credits, QWidget* parent)
    : QDialog(parent), m_scroller(new TextScroller(this)), m_display(new QLabel(this))
{
    setObjectName(QStringLiteral("aboutBox"));
    setWindowTitle(QStringLiteral("About Caseleaf"));
    if (parent)
        setWindowIcon(parent->window()->windowIcon());
    QPalette palette = this->palette();
    palette.setColor(QPalette::Window, kBoxColor);
    setPalette(palette);
    setAutoFillBackground(true);

    auto* picture = new QLabel(this);
    picture->setPixmap(discPicture());
    auto* name = new QLabel(QStringLiteral("Caseleaf"), this);
    QFont nameFont = font();
    nameFont.setPointSizeF(font().pointSizeF() * 2);
    nameFont.setBold(true);
    name->setFont(nameFont);
    auto* edition = new QLabel(QStringLiteral("Covers for CD jewel cases"), this);
    auto* version = new QLabel(VersionLabel(), this);
    version->setObjectName(QStringLiteral("version"));

    // The desktop's own interface font stands in for the designed "MS Sans Serif".
    QFont creditsFont = QApplication::font();
    creditsFont.setPointSizeF(9.75);
    creditsFont.setBold(true);
    m_scroller->setFont(creditsFont);
    m_scroller->setFixedSize(360, 170);
    m_scroller->setBackColor(kBoxColorValue);
    m_scroller->setFontColor(0xFFFFFF);
    m_scroller->setShadowSize(0);
    m_scroller->setShadowDirection(0);
    m_scroller->setScrollDirection(1);
    m_scroller->setScrollSpeed(30);
    m_scroller->setScrollRepeatCount(0);
    m_scroller->setTextAlign(1);
    m_scroller->setWordWrap(true);
    m_scroller->setBackStyle(0);
    m_scroller->setBorderStyle(1);
    m_scroller->setAccessibleName(QStringLiteral("Credits"));

    m_display->setObjectName(QStringLiteral("display"));
    // The screen's own values, whatever modes the display could switch to.
    if (const QScreen* screen = this->screen()) {
        const QSize pixels = screen->size() * screen->devicePixelRatio();
        m_display->setText(DisplayLine(pixels.width(), pixels.height(), screen->depth()));
    }

    auto* homeCaption = new QLabel(QStringLiteral("Homepage:"), this);
    auto* home = linkLabel(QStringLiteral(CASELEAF_HOMEPAGE), QStringLiteral(CASELEAF_HOMEPAGE), "homepage", this);
    homeCaption->setBuddy(home);
    home->setAccessibleName(homeCaption->text());
    const QString contact = QStringLiteral(CASELEAF_CONTACT);
    auto* contactCaption = new QLabel(QStringLiteral("Contact:"), this);
    auto* mail = linkLabel(QStringLiteral("mailto:") + contact, contact, "contact", this);
    contactCaption->setBuddy(mail);
    mail->setAccessibleName(contactCaption->text());
    auto* close = new QPushButton(QStringLiteral("Close"), this);
    close->setObjectName(QStringLiteral("close"));
    close->setDefault(true);

    auto* title = new QVBoxLayout;
    title->addWidget(name);
    title->addWidget(edition);
    title->addWidget(version);
    auto* head = new QHBoxLayout;
    head->addWidget(picture);
    head->addLayout(title, 1);
    auto* links = new QGridLayout;
    links->addWidget(homeCaption, 0, 0);
    links->addWidget(home, 0, 1);
    links->addWidget(contactCaption, 1, 0);
    links->addWidget(mail, 1, 1);
    links->setColumnStretch(1, 1);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(head);
    layout->addWidget(m_scroller, 0, Qt::AlignHCenter);
    layout->addWidget(m_display);
    layout->addLayout(links);
    layout->addWidget(close, 0, Qt::AlignRight);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    connect(m_scroller, &TextScroller::Click, m_scroller, &TextScroller::Pause);
    connect(home, &QLabel::linkActivated, this, &AboutBox::openLink);
    connect(mail, &QLabel::linkActivated, this, &AboutBox::openLink);
    connect(close, &QPushButton::clicked, this, &QDialog::accept);

    m_scroller->setText(app::title() + credits);
    m_scroller->StartScroll();
}

void AboutBox::openLink(const QString& link)
{
    if (!OpenDocument(link))
        MsgBox(QStringLiteral("The link could not be opened:\n") + link, MsgIcon::Exclamation);
}
