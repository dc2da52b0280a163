// The edit strip "editieren": the level's height and floor, and the options
// and insert commands for the three kinds of element.
#pragma once

#include <Editor/model/editor_model.h>

#include <QGroupBox>
#include <QLabel>
#include <QRadioButton>
#include <QStringList>

class QPushButton;
class QScrollBar;

namespace ferlan::editor {

// A label that reports a click, like the strip's headings and floor pictures.
class ClickableLabel : public QLabel {
    Q_OBJECT
public:
    using QLabel::QLabel;

signals:
    void clicked();

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    bool pressed_ = false;
};

// A clickable picture that is decoded when it is first painted, so that
// building the strip costs no picture before the window is on the screen.
class PictureLabel : public ClickableLabel {
    Q_OBJECT
public:
    PictureLabel(QString pictureName, QWidget* parent);

    const QString& pictureName() const { return pictureName_; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QString pictureName_;
};

// An option button whose caption wraps onto a second line when the strip is
// too narrow for it ("Polart unsichtbar").
class WrappingOptionButton : public QRadioButton {
    Q_OBJECT
public:
    using QRadioButton::QRadioButton;

protected:
    void paintEvent(QPaintEvent* event) override;
    bool hitButton(const QPoint& pos) const override;
};

class EditStrip : public QGroupBox {
    Q_OBJECT
public:
    explicit EditStrip(QWidget* parent);

    FerlanOptions ferlanOptions() const;
    KugelOptions kugelOptions() const;
    TransformatorEffect transformatorEffect() const;

    QScrollBar* heightBar() const { return heightBar_; }
    // The pictures the strip shows, for reading them ahead.
    QStringList picturesShown() const;
    void showHeight(int rows);

signals:
    void heightChanged(int rows);
    void floorClicked(int texture);
    void headingClicked(int index);
    void insertFerlanClicked();
    void insertKugelClicked();
    void insertTransformatorClicked();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    ClickableLabel* heading(int index, const QString& caption, int topTwips, int leftTwips = 120);
    QWidget* optionGroup(const char* name, int topTwips, int heightTwips);
    QRadioButton* option(QWidget* group, const char* name, const QString& caption, int leftTwips,
                         int topTwips = 0);
    QPushButton* command(const char* name, const QString& caption, int topTwips);

    QScrollBar* heightBar_ = nullptr;
    QLabel* heightLabel_ = nullptr;
    QRadioButton* gross_ = nullptr;
    QRadioButton* rechts_ = nullptr;
    QRadioButton* plus_ = nullptr;
    QRadioButton* sichtbar_ = nullptr;
    QRadioButton* plus2_ = nullptr;
    QRadioButton* sichtbar2_ = nullptr;
    QRadioButton* plus7_ = nullptr;
    QRadioButton* minus7_ = nullptr;
};

}  // namespace ferlan::editor
