#include "boxes/page_dialog.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

namespace tarvenne::ui {
namespace {

QLabel* plainLabel(const QString& text, const QString& name, QWidget* parent) {
    auto* const label = new QLabel(text, parent);
    label->setObjectName(name);
    label->setTextFormat(Qt::PlainText);
    label->setWordWrap(true);
    label->setTextInteractionFlags(Qt::TextSelectableByMouse);
    return label;
}

} // namespace

PageDialog::PageDialog(Kind kind, const QUrl& origin, const QString& message, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint) {
    setObjectName(QStringLiteral("pageDialog"));
    const QString asker = originText(origin);
    setWindowTitle(asker);
    auto* const layout = new QVBoxLayout(this);
    layout->addWidget(plainLabel(asker.isEmpty()
                                     ? QStringLiteral("A page without a web address says:")
                                     : QStringLiteral("The page at %1 says:").arg(asker),
                                 QStringLiteral("pageDialogOrigin"), this));
    layout->addWidget(plainLabel(message, QStringLiteral("pageDialogMessage"), this));
    if (kind == Kind::Prompt) {
        promptField_ = new QLineEdit(this);
        promptField_->setObjectName(QStringLiteral("pageDialogPrompt"));
        layout->addWidget(promptField_);
    }
    auto* const buttons =
        new QDialogButtonBox(kind == Kind::Alert ? QDialogButtonBox::Ok
                                                 : QDialogButtonBox::Ok | QDialogButtonBox::Cancel,
                             this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);
}

void PageDialog::offerToStopFurtherDialogs() {
    stopFurtherDialogs_ = new QCheckBox(QStringLiteral("Stop this page from showing more dialogs"));
    stopFurtherDialogs_->setObjectName(QStringLiteral("stopFurtherDialogs"));
    static_cast<QVBoxLayout*>(layout())->insertWidget(layout()->count() - 1, stopFurtherDialogs_);
}

bool PageDialog::stopsFurtherDialogs() const {
    return stopFurtherDialogs_ && stopFurtherDialogs_->isChecked();
}

void PageDialog::setPromptText(const QString& text) {
    if (promptField_)
        promptField_->setText(text);
}

QString PageDialog::promptText() const {
    return promptField_ ? promptField_->text() : QString();
}

QString PageDialog::originText(const QUrl& origin) {
    if (origin.host().isEmpty())
        return {};
    const QString host = origin.host(QUrl::FullyEncoded);
    QString text =
        origin.scheme() + QStringLiteral("://") +
        (host.contains(QLatin1Char(':')) ? QLatin1Char('[') + host + QLatin1Char(']') : host);
    if (origin.port() != -1)
        text += QLatin1Char(':') + QString::number(origin.port());
    return text;
}

} // namespace tarvenne::ui
