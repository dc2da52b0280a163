#include "edit_strip.h"

#include <common/pictures.h>
#include <common/twips.h>

#include <QMouseEvent>
#include <QPushButton>
#include <QScrollBar>
#include <QStyleOptionButton>
#include <QStylePainter>

#include <utility>

namespace ferlan::editor {
namespace {

// Every control of the strip stands at this Left unless it says otherwise.
constexpr int kStripLeft = 120;
constexpr int kStripWidth = 2295;
constexpr int kStripHeight = 8655;
constexpr int kStripInnerWidth = 2055;
constexpr int kOptionHeight = 255;
// An option pair puts its second button this far right of the first.
constexpr int kSecondOptionLeft = 1200;

}  // namespace

void ClickableLabel::mousePressEvent(QMouseEvent* event) {
    pressed_ = event->button() == Qt::LeftButton;
    QLabel::mousePressEvent(event);
}

void ClickableLabel::mouseReleaseEvent(QMouseEvent* event) {
    const bool click = pressed_ && event->button() == Qt::LeftButton &&
                       rect().contains(event->position().toPoint());
    pressed_ = false;
    QLabel::mouseReleaseEvent(event);
    if (click) emit clicked();
}

PictureLabel::PictureLabel(QString pictureName, QWidget* parent)
    : ClickableLabel(parent), pictureName_(std::move(pictureName)) {}

void PictureLabel::paintEvent(QPaintEvent* event) {
    // Handed to the label rather than drawn here, so that the label greys it
    // while the strip is shut, as it always has.
    if (pixmap().isNull()) setPixmap(ferlan::picture(pictureName_));
    ClickableLabel::paintEvent(event);
}

void WrappingOptionButton::paintEvent(QPaintEvent*) {
    QStylePainter painter(this);
    QStyleOptionButton option;
    initStyleOption(&option);
    const QRect indicator = style()->subElementRect(QStyle::SE_RadioButtonIndicator, &option, this);
    QStyleOptionButton indicatorOption = option;
    indicatorOption.rect = QRect(indicator.left(), 1, indicator.width(), indicator.height());
    painter.drawPrimitive(QStyle::PE_IndicatorRadioButton, indicatorOption);
    const int textLeft = indicator.right() + 4;
    painter.setPen(
        palette().color(isEnabled() ? QPalette::Active : QPalette::Disabled, QPalette::WindowText));
    painter.drawText(QRect(textLeft, 0, width() - textLeft, height()),
                     Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap, text());
    if (hasFocus()) {
        QStyleOptionFocusRect focus;
        focus.initFrom(this);
        focus.rect = QRect(textLeft - 1, 0, width() - textLeft + 1, height());
        painter.drawPrimitive(QStyle::PE_FrameFocusRect, focus);
    }
}

bool WrappingOptionButton::hitButton(const QPoint& pos) const { return rect().contains(pos); }

EditStrip::EditStrip(QWidget* parent) : QGroupBox(QStringLiteral("editieren"), parent) {
    setObjectName(QStringLiteral("Frame1"));
    setFixedSize(toWholePixels(kStripWidth), toWholePixels(kStripHeight));
    QFont small = font();
    small.setPointSizeF(8);
    setFont(small);

    const QLabel* heightHeading = heading(1, QStringLiteral("Höhe:"), 240);
    heightLabel_ = new QLabel(this);
    heightLabel_->setObjectName(QStringLiteral("Label2"));
    // Beside its heading, however wide the heading's font makes it.
    heightLabel_->move(qMax(toWholePixels(480), heightHeading->geometry().right() + 1),
                       toWholePixels(240));
    heightBar_ = new QScrollBar(Qt::Horizontal, this);
    heightBar_->setObjectName(QStringLiteral("HScroll1"));
    heightBar_->setGeometry(toWholePixels(kStripLeft), toWholePixels(480),
                            toWholePixels(kStripInnerWidth), toWholePixels(255));
    heightBar_->setRange(kMinHeight, kMaxHeight);
    heightBar_->setSingleStep(1);
    heightBar_->setPageStep(1);
    connect(heightBar_, &QScrollBar::valueChanged, this, &EditStrip::heightChanged);
    // A wheel turned on the way across the strip would change the level.
    heightBar_->installEventFilter(this);
    showHeight(kMinHeight);

    heading(0, QStringLiteral("Untergrund:"), 840);
    const int floorSpots[kFloorTextures][2] = {
        {120, 1080}, {1200, 1080}, {120, 2160}, {1200, 2160}};
    for (int texture = 1; texture <= kFloorTextures; ++texture) {
        const QString name = floorPicture(texture);
        auto* floor = new PictureLabel(name, this);
        floor->setObjectName(name);
        floor->setGeometry(toWholePixels(floorSpots[texture - 1][0]),
                           toWholePixels(floorSpots[texture - 1][1]), toWholePixels(960),
                           toWholePixels(960));
        floor->setCursor(Qt::PointingHandCursor);
        connect(floor, &ClickableLabel::clicked, this,
                [this, texture] { emit floorClicked(texture); });
    }

    heading(2, QStringLiteral("Ferlanen:"), 3240);
    QWidget* size = optionGroup("Picture2", 3480, 360);
    gross_ = option(size, "groß", QStringLiteral("groß"), 0);
    option(size, "klein", QStringLiteral("klein"), kSecondOptionLeft)->setChecked(true);
    QWidget* side = optionGroup("Picture3", 3840, 360);
    option(side, "links", QStringLiteral("links"), 0);
    rechts_ = option(side, "rechts", QStringLiteral("rechts"), kSecondOptionLeft);
    rechts_->setChecked(true);
    QWidget* polarity = optionGroup("Picture4", 4200, 240);
    plus_ = option(polarity, "plus", QStringLiteral("plus"), 0);
    plus_->setChecked(true);
    option(polarity, "minus", QStringLiteral("minus"), kSecondOptionLeft);
    QWidget* shown = optionGroup("Picture5", 4440, 600);
    option(shown, "unsichtbar", QStringLiteral("Polart unsichtbar"), 0);
    sichtbar_ = option(shown, "sichtbar", QStringLiteral("Polart sichtbar"), kSecondOptionLeft);
    sichtbar_->setChecked(true);
    connect(command("Command1", QStringLiteral("Ferlan einfügen"), 5040), &QPushButton::clicked,
            this, &EditStrip::insertFerlanClicked);

    heading(3, QStringLiteral("Ferlankugeln:"), 5520);
    QWidget* ballPolarity = optionGroup("Picture6", 5760, 360);
    plus2_ = option(ballPolarity, "plus2", QStringLiteral("plus"), 0);
    plus2_->setChecked(true);
    option(ballPolarity, "minus2", QStringLiteral("minus"), kSecondOptionLeft);
    QWidget* ballShown = optionGroup("Picture7", 6120, 600);
    option(ballShown, "unsichtbar2", QStringLiteral("Polart unsichtbar"), 0);
    sichtbar2_ =
        option(ballShown, "sichtbar2", QStringLiteral("Polart sichtbar"), kSecondOptionLeft);
    sichtbar2_->setChecked(true);
    connect(command("Command2", QStringLiteral("Ferlankugel einfügen"), 6720),
            &QPushButton::clicked, this, &EditStrip::insertKugelClicked);

    heading(10, QStringLiteral("Ferlanisatoren:"), 7200);
    QWidget* effect = optionGroup("Picture12", 7560, 720);
    plus7_ = option(effect, "plus7", QStringLiteral("plus"), 0, 0);
    plus7_->setChecked(true);
    minus7_ = option(effect, "minus7", QStringLiteral("minus"), 0, 240);
    option(effect, "neutral3", QStringLiteral("neutral"), 0, 480);
    connect(command("Command6", QStringLiteral("Ferlanisator einfügen"), 8280),
            &QPushButton::clicked, this, &EditStrip::insertTransformatorClicked);
}

ClickableLabel* EditStrip::heading(int index, const QString& caption, int topTwips, int leftTwips) {
    auto* label = new ClickableLabel(caption, this);
    label->setObjectName(QStringLiteral("Label1(%1)").arg(index));
    label->move(toWholePixels(leftTwips), toWholePixels(topTwips));
    label->adjustSize();
    connect(label, &ClickableLabel::clicked, this, [this, index] { emit headingClicked(index); });
    return label;
}

// Each pair or triple sits in a container of its own, which makes its
// buttons exclude each other.
QWidget* EditStrip::optionGroup(const char* name, int topTwips, int heightTwips) {
    auto* group = new QWidget(this);
    group->setObjectName(QString::fromUtf8(name));
    // Reaching to the frame's inner edge leaves room for the wrapped captions.
    group->setGeometry(toWholePixels(kStripLeft), toWholePixels(topTwips),
                       width() - toWholePixels(kStripLeft) - 2, toWholePixels(heightTwips));
    return group;
}

QRadioButton* EditStrip::option(QWidget* group, const char* name, const QString& caption,
                                int leftTwips, int topTwips) {
    auto* button = new WrappingOptionButton(caption, group);
    button->setObjectName(QString::fromUtf8(name));
    // A pair shares its container's row; a stacked triple gets one row each.
    const bool stacked = group->height() > toWholePixels(600);
    const int width = leftTwips == 0 && !stacked ? toWholePixels(kSecondOptionLeft)
                                                 : group->width() - toWholePixels(leftTwips);
    const int height = stacked ? toWholePixels(kOptionHeight) : group->height();
    button->setGeometry(toWholePixels(leftTwips), toWholePixels(topTwips), width, height);
    return button;
}

QPushButton* EditStrip::command(const char* name, const QString& caption, int topTwips) {
    auto* button = new QPushButton(caption, this);
    button->setObjectName(QString::fromUtf8(name));
    button->setGeometry(toWholePixels(360), toWholePixels(topTwips), toWholePixels(1815),
                        toWholePixels(330));
    return button;
}

QStringList EditStrip::picturesShown() const {
    QStringList names;
    for (const PictureLabel* label : findChildren<PictureLabel*>()) names << label->pictureName();
    return names;
}

void EditStrip::showHeight(int rows) {
    heightLabel_->setText(QStringLiteral(" %1").arg(rows));
    heightLabel_->adjustSize();
}

FerlanOptions EditStrip::ferlanOptions() const {
    return {gross_->isChecked(), rechts_->isChecked(), plus_->isChecked(), sichtbar_->isChecked()};
}

KugelOptions EditStrip::kugelOptions() const {
    return {plus2_->isChecked(), sichtbar2_->isChecked()};
}

TransformatorEffect EditStrip::transformatorEffect() const {
    if (plus7_->isChecked()) return TransformatorEffect::Plus;
    if (minus7_->isChecked()) return TransformatorEffect::Minus;
    return TransformatorEffect::Neutral;
}

bool EditStrip::eventFilter(QObject* watched, QEvent* event) {
    if (watched == heightBar_ && event->type() == QEvent::Wheel) return true;
    return QGroupBox::eventFilter(watched, event);
}

}  // namespace ferlan::editor
