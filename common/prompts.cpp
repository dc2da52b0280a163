#include "prompts.h"

#include "utf8_text.h"

#include <leveldata/level_text.h>

#include <QFileDialog>
#include <QMessageBox>

namespace ferlan {

void DialogPrompts::message(const QString& caption, const QString& text, Icon icon) {
    QMessageBox box(icon == Icon::Critical      ? QMessageBox::Critical
                    : icon == Icon::Information ? QMessageBox::Information
                                                : QMessageBox::NoIcon,
                    caption, text, QMessageBox::Ok, parent_);
    box.exec();
}

bool DialogPrompts::question(const QString& caption, const QString& text) {
    QMessageBox box(QMessageBox::NoIcon, caption, text, QMessageBox::Yes | QMessageBox::No,
                    parent_);
    return box.exec() == QMessageBox::Yes;
}

QString DialogPrompts::openFileName(const QString& filter) {
    return QFileDialog::getOpenFileName(parent_, QString(), QString(), filter);
}

QString DialogPrompts::saveFileName(const QString& filter, const QString& presetName) {
    // The platform dialog's own question before replacing a file stays on.
    return QFileDialog::getSaveFileName(parent_, QString(), presetName, filter);
}

void showReadError(Prompts& prompts) {
    prompts.message(fromView(kErrorCaption), fromView(kReadErrorMessage), Prompts::Icon::Critical);
}

}  // namespace ferlan
