#include "ui/screens/AboutView.h"

#include <QApplication>
#include <QGraphicsOpacityEffect>
#include <QHBoxLayout>
#include <QPainter>
#include <QPainterPath>
#include <QSvgRenderer>
#include <QUrl>
#include <QVBoxLayout>

#include "app/Workspace.h"
#include "settings/Localization.h"
#include "ui/kit/Divider.h"
#include "ui/kit/PlainButton.h"
#include "ui/kit/SymbolView.h"
#include "ui/kit/TextLabel.h"

namespace brillex {

namespace {

constexpr int kIconSide = 72;
constexpr double kIconRadius = 16.0;
constexpr int kLogoWidth = 100;

// The application's icon, or the program's own artwork when none is set.
QPixmap roundedAppIcon(qreal ratio) {
    QIcon icon = QApplication::windowIcon();
    if (icon.isNull()) icon = QIcon(":/images/AppIcon.svg");
    const int pixels = static_cast<int>(kIconSide * ratio);
    QPixmap rounded(pixels, pixels);
    rounded.setDevicePixelRatio(ratio);
    rounded.fill(Qt::transparent);
    QPainter painter(&rounded);
    painter.setRenderHint(QPainter::Antialiasing);
    QPainterPath clip;
    clip.addRoundedRect(QRectF(0, 0, kIconSide, kIconSide), kIconRadius, kIconRadius);
    painter.setClipPath(clip);
    icon.paint(&painter, QRect(0, 0, kIconSide, kIconSide));
    return rounded;
}

QPixmap studioLogo(qreal ratio) {
    QSvgRenderer renderer(QStringLiteral(":/images/StudioLogo.svg"));
    const QSizeF box = renderer.viewBoxF().size();
    if (!renderer.isValid() || box.width() <= 0) return {};
    const double height = kLogoWidth * box.height() / box.width();
    QPixmap logo(static_cast<int>(kLogoWidth * ratio), static_cast<int>(height * ratio));
    logo.setDevicePixelRatio(ratio);
    logo.fill(Qt::transparent);
    QPainter painter(&logo);
    painter.setRenderHint(QPainter::Antialiasing);
    renderer.render(&painter, QRectF(0, 0, kLogoWidth, height));
    return logo;
}

// The back button's face: "chevron.left" and the text, subheadline, blue.
TextLabel* addBackFace(QHBoxLayout* face) {
    face->setSpacing(4);
    face->addWidget(new SymbolView("chevron.left", TextStyle::subheadline, Theme::color(SystemColor::blue)));
    auto* text = new TextLabel({}, TextStyle::subheadline, SystemColor::blue);
    face->addWidget(text);
    return text;
}

QVBoxLayout* column(int spacing) {
    auto* layout = new QVBoxLayout;
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(spacing);
    layout->setAlignment(Qt::AlignHCenter);
    return layout;
}

} // namespace

AboutView::AboutView(const ViewEnvironment& environment, Navigate navigate, QWidget* parent)
    : ScreenView(parent), environment_(environment), backButton_(new PlainButton), backShadow_(new QWidget),
      title_(new TextLabel({}, TextStyle::headline, SystemColor::primary)),
      version_(new TextLabel({}, TextStyle::caption, SystemColor::secondary)),
      studio_(new TextLabel({}, TextStyle::caption2, SystemColor::secondary)), feedbackButton_(new PlainButton),
      feedbackText_(new TextLabel({}, TextStyle::subheadline, SystemColor::white)) {
    setObjectName("aboutView");
    backButton_->setObjectName("backButton");
    title_->setObjectName("aboutTitle");
    version_->setObjectName("versionText");
    studio_->setObjectName("studioText");
    feedbackButton_->setObjectName("feedbackButton");

    backText_ = addBackFace(backButton_->face());
    // An invisible twin of the back button keeps the title centred.
    auto* shadowFace = new QHBoxLayout(backShadow_);
    shadowFace->setContentsMargins(0, 0, 0, 0);
    backShadowText_ = addBackFace(shadowFace);
    auto* transparent = new QGraphicsOpacityEffect(backShadow_);
    transparent->setOpacity(0.0);
    backShadow_->setGraphicsEffect(transparent);
    backShadow_->setAttribute(Qt::WA_TransparentForMouseEvents);

    auto* header = new QHBoxLayout;
    header->setContentsMargins(16, 12, 16, 12);
    header->addWidget(backButton_);
    header->addStretch(1);
    header->addWidget(title_);
    header->addStretch(1);
    header->addWidget(backShadow_);

    auto* icon = new QLabel;
    icon->setPixmap(roundedAppIcon(devicePixelRatioF()));
    auto* name = new TextLabel("Brillex", TextStyle::title2, QFont::DemiBold, SystemColor::primary);
    auto* identity = column(8);
    identity->setContentsMargins(0, 24, 0, 0);
    for (QWidget* item : std::initializer_list<QWidget*>{icon, name, version_}) identity->addWidget(item, 0, Qt::AlignHCenter);

    auto* logo = new QLabel;
    logo->setPixmap(studioLogo(devicePixelRatioF()));
    auto* studioGroup = column(4);
    studioGroup->addWidget(logo, 0, Qt::AlignHCenter);
    studioGroup->addWidget(studio_, 0, Qt::AlignHCenter);

    feedbackButton_->face()->setContentsMargins(16, 8, 16, 8);
    feedbackButton_->face()->setSpacing(6);
    feedbackButton_->addToFace(new SymbolView("envelope.fill", TextStyle::subheadline, Theme::color(SystemColor::white)));
    feedbackButton_->addToFace(feedbackText_);
    feedbackButton_->setFaceBackground(Theme::color(SystemColor::blue), 8.0);
    feedbackButton_->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    auto* feedback = column(0);
    feedback->setContentsMargins(0, 0, 0, 24);
    feedback->addWidget(feedbackButton_, 0, Qt::AlignHCenter);

    auto* body = column(20);
    body->addLayout(identity);
    body->addLayout(studioGroup);
    body->addLayout(feedback);

    auto* screen = new QVBoxLayout(this);
    screen->setContentsMargins(0, 0, 0, 0);
    screen->setSpacing(0);
    screen->addLayout(header);
    screen->addWidget(new Divider);
    screen->addLayout(body);

    connect(backButton_, &QAbstractButton::clicked, this, [navigate = std::move(navigate)] { navigate(AppScreen::settings); });
    connect(feedbackButton_, &QAbstractButton::clicked, this, [this] {
        const QString url = feedbackURL();
        if (!url.isEmpty()) environment_.workspace.openURL(url.toStdString());
    });
    refresh();
}

QString AboutView::feedbackURL() {
    const QByteArray subject = QUrl::toPercentEncoding(kFeedbackSubject);
    const QString encoded = subject.isEmpty() ? QString(kFeedbackSubject) : QString::fromLatin1(subject);
    const QString text = QString("mailto:") + kFeedbackAddress + "?subject=" + encoded;
    return QUrl(text, QUrl::StrictMode).isValid() ? text : QString();
}

void AboutView::refresh() {
    const Localization& loc = environment_.loc;
    const QString back = QString::fromStdString(loc.localized("back"));
    backText_->setText(back);
    backShadowText_->setText(back);
    title_->setText(QString::fromStdString(loc.localized("about")));
    version_->setText(QString::fromStdString(loc.localized("version")) + " " + kVersionNumber);
    studio_->setText(QString::fromStdString(loc.localized("by_tovane")));
    feedbackText_->setText(QString::fromStdString(loc.localized("send_feedback")));
}

} // namespace brillex
