#include "login_window/login_window.h"

#include "boxes/box_run.h"
#include "browser/browser_window.h"
#include "browser/guarded_page.h"
#include "browser/page_view.h"
#include "browser/web_address.h"
#include "look/artwork_view.h"
#include "look/colour_key.h"
#include "look/design_font.h"
#include "look/frameless.h"
#include "look/login_layout.h"
#include "look/title_font.h"
#include "look/transparent_label.h"
#include "look/window_title.h"
#include "platform/window_system.h"

#include <QFrame>
#include <QKeyEvent>
#include <QMetaObject>
#include <QShowEvent>
#include <QUrl>
#include <QVBoxLayout>
#include <QWebEngineNewWindowRequest>
#include <QWebEngineSettings>
#include <base/error_text.h>
#include <directory/game_record.h>
#include <directory/login_address.h>

namespace tarvenne::ui {
namespace {

// The text in the address of the link last hovered in the login page that hands the next new
// window to the game page.
const QString handOffMarker = QStringLiteral("me.php?FQ");

// The states that a window which can only be moved and closed never keeps.
constexpr Qt::WindowStates otherStates =
    Qt::WindowMinimized | Qt::WindowMaximized | Qt::WindowFullScreen;

} // namespace

LoginWindow::LoginWindow(QWebEnginePage* gamePage)
    : gamePage_(gamePage), artworkView_(new ArtworkView(this)),
      closeSpot_(new TransparentLabel(this, designFont())),
      titleLabel_(new TransparentLabel(this, titleFont(login_layout::titleLineHeight))),
      browserPanel_(new QFrame(this)), loginView_(new PageView(browserPanel_)),
      loginPage_(new GuardedPage(gamePage->profile(), loginView_)) {
    setObjectName(QStringLiteral("loginWindow"));
    setWindowTitle(QStringLiteral("Login"));
    setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowMinMaxButtonsHint | Qt::WindowCloseButtonHint);
    // Modal to the windows that it was opened over, not to the separate browser windows that
    // the login page opens while it runs: those stay free for the player.
    setWindowModality(Qt::WindowModal);
    setFont(designFont());
    setBackgroundRole(QPalette::Button);
    setAutoFillBackground(true);
    resize(login_layout::windowSize);

    artworkView_->setObjectName(QStringLiteral("artworkView"));

    closeSpot_->setObjectName(QStringLiteral("closeSpot"));
    closeSpot_->move(login_layout::closeSpot);
    closeSpot_->setText(QStringLiteral("       "));
    connect(closeSpot_, &TransparentLabel::clicked, this, &QDialog::reject);

    titleLabel_->setObjectName(QStringLiteral("titleLabel"));
    QPalette titlePalette = titleLabel_->palette();
    titlePalette.setColor(QPalette::WindowText, QColor(255, 0, 0));
    titleLabel_->setPalette(titlePalette);
    titleLabel_->move(0, login_layout::titleTop);
    titleLabel_->centreOn(login_layout::titleCentreX);
    titleLabel_->setText(QStringLiteral("Quillmere"));

    browserPanel_->setObjectName(QStringLiteral("browserPanel"));
    browserPanel_->setFrameStyle(QFrame::Panel | QFrame::Raised);
    browserPanel_->setLineWidth(1);
    browserPanel_->setGeometry(login_layout::browserPanel);

    loginView_->setObjectName(QStringLiteral("loginView"));
    loginView_->setPage(loginPage_);
    // The login page may open the game's window by script, without a click; any other window
    // that it opens so is refused.
    loginPage_->settings()->setAttribute(QWebEngineSettings::JavascriptCanOpenWindows, true);
    connect(loginPage_, &QWebEnginePage::linkHovered, this, &LoginWindow::rememberHoveredLink);
    connect(loginPage_, &QWebEnginePage::newWindowRequested, this, &LoginWindow::handOffGameWindow);
    connect(loginPage_, &GuardedPage::stoppedWorking, this, &LoginWindow::failed);
    auto* const panelLayout = new QVBoxLayout(browserPanel_);
    // the frame's bevel already insets the contents by one pixel
    panelLayout->setContentsMargins(0, 0, 0, 0);
    panelLayout->addWidget(loginView_);
    panelLayout->activate();
}

void LoginWindow::takeGameRecord(const directory::GameRecord& entry) {
    loginAddress_ = QString::fromStdU16String(entry.siteAddress + entry.loginPage);
    title_ = QString::fromStdU16String(entry.title);

    shapeWithColourKey(*this);
    shaped_ = true;
    if (testAttribute(Qt::WA_TranslucentBackground))
        artworkView_->setPicture(keyedOver(artworkView_->picture()));
    setExactWindowTitle(*this, title_);
    titleLabel_->setText(title_);
    // Without a native colour key the window is cut to its composed pixels once they are final;
    // the browser's area counts as opaque, since its page is not composed with the window.
    cutOutKeyColour(*this, {loginView_});
}

void LoginWindow::done(int result) {
    if (decided_)
        return;
    decided_ = true;
    // The run ends at once, whatever waits for the player: the boxes that the pages or the
    // launcher show, a drag from the page, and, when the player leaves, the separate windows, whose
    // pages may not ask any more.
    endNestedRuns();
    if (result != Accepted) {
        for (BrowserWindow* window : BrowserWindow::openWindows())
            window->hide();
    }
    QDialog::done(result);
}

void LoginWindow::rememberHoveredLink(const QString& address) {
    hoveredLink_ = address;
}

void LoginWindow::handOffGameWindow(QWebEngineNewWindowRequest& request) {
    // Once the run is decided, the login page opens nothing more.
    if (decided_)
        return;
    if (!hoveredLink_.contains(handOffMarker, Qt::CaseSensitive)) {
        loginPage_->openInSeparateWindow(request);
        return;
    }
    request.openIn(gamePage_);
    accept();
}

bool LoginWindow::event(QEvent* event) {
    // What the shaping told the window system holds for each new native window too, and a window
    // that can only be moved and closed comes back from whatever state the window manager put it
    // in (openbox offers to minimise and to fill the screen with every ordinary window).
    if (event->type() == QEvent::WinIdChange) {
        if (shaped_)
            windowSystem().offerOnlyMoveAndClose(*this);
        keepEmptyTitle(*this);
    } else if (event->type() == QEvent::WindowStateChange && shaped_ &&
               (windowState() & otherStates)) {
        // once the window system has finished with the change
        QMetaObject::invokeMethod(
            this, [this] { setWindowState(windowState() & ~otherStates); }, Qt::QueuedConnection);
    }
    return QDialog::event(event);
}

void LoginWindow::showEvent(QShowEvent* event) {
    // The window system places the window: a dialog's own centring is left out.
    QWidget::showEvent(event);
    if (event->spontaneous())
        return;
    decided_ = false;
    // Without a record the address is empty and the browser stays empty.
    if (loginAddress_.trimmed().isEmpty()) {
        loginView_->load(QUrl());
        return;
    }
    const QUrl address = webAddressOf(loginAddress_);
    if (!address.isValid()) {
        emit failed(QString::fromStdU16String(
            withFullStop(directory::notWebAddressMessage(loginAddress_.toStdU16String()))));
        return;
    }
    loginView_->load(address);
}

void LoginWindow::keyPressEvent(QKeyEvent* event) {
    // Escape and Enter that the page leaves reach no button: the dialog has none to press.
    QWidget::keyPressEvent(event);
}

} // namespace tarvenne::ui
