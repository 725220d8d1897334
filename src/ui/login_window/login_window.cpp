#include "login_window/login_window.h"

#include "app/terminate_request.h"
#include "browser/web_browser.h"
#include "forms/design_font.h"
#include "forms/normal_state.h"
#include "forms/window_title.h"
#include "login_look/artwork_image.h"
#include "login_look/colour_key.h"
#include "login_look/frameless.h"
#include "login_look/pointer_move.h"
#include "login_look/title_font.h"
#include "login_look/transparent_label.h"
#include "main_window/main_window.h"

#include <QFrame>
#include <QLineEdit>
#include <QShowEvent>
#include <QVBoxLayout>
#include <directory/fetch_server_entry.h>
#include <text/code_page.h>

namespace tarvenne::ui {

TLogin::TLogin(QWidget* owner, std::string directoryAddress)
    : ModalForm(owner), Image1(new ArtworkImage(this)),
      cxLabel1(new TransparentLabel(this, designFont())),
      cxLabel4(new TransparentLabel(this, titleFont(55))), Panel1(new QFrame(this)),
      web_xszd(new WebBrowser(Panel1)), Edit1(new QLineEdit(QStringLiteral("Edit1"), this)),
      directoryAddress_(std::move(directoryAddress)) {
    setObjectName(QStringLiteral("Login"));
    setWindowTitle(QStringLiteral("Login"));
    setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowMinMaxButtonsHint | Qt::WindowCloseButtonHint);
    setFont(designFont());
    setBackgroundRole(QPalette::Button);
    setAutoFillBackground(true);
    resize(1108, 529);

    Image1->setObjectName(QStringLiteral("Image1"));
    Image1->OnMouseMove = [this](ArtworkImage* sender, Qt::MouseButtons shift,
                                 Qt::KeyboardModifiers modifiers, int x,
                                 int y) { Image1MouseMove(sender, shift, modifiers, x, y); };

    cxLabel1->setObjectName(QStringLiteral("cxLabel1"));
    cxLabel1->move(1007, 33);
    cxLabel1->setText(QStringLiteral("       "));
    cxLabel1->OnClick = [this](TransparentLabel* sender) { cxLabel1Click(sender); };

    cxLabel4->setObjectName(QStringLiteral("cxLabel4"));
    QPalette titlePalette = cxLabel4->palette();
    titlePalette.setColor(QPalette::WindowText, QColor(255, 0, 0));
    cxLabel4->setPalette(titlePalette);
    cxLabel4->move(0, 46);
    cxLabel4->centreOn(651);
    cxLabel4->setText(QStringLiteral("Quillmere"));

    Panel1->setObjectName(QStringLiteral("Panel1"));
    Panel1->setFrameStyle(QFrame::Panel | QFrame::Raised);
    Panel1->setLineWidth(1);
    Panel1->setGeometry(361, 102, 638, 405);

    web_xszd->setObjectName(QStringLiteral("web_xszd"));
    auto* const panelLayout = new QVBoxLayout(Panel1);
    // the frame's bevel already insets the contents by one pixel
    panelLayout->setContentsMargins(0, 0, 0, 0);
    panelLayout->addWidget(web_xszd);
    panelLayout->activate();
    web_xszd->OnStatusTextChange = [this](WebBrowser* sender, const QString& text) {
        web_selectStatusTextChange(sender, text);
    };
    web_xszd->OnNewWindow2 = [this](WebBrowser* sender, AutomationObject& ppDisp, bool& cancel) {
        web_selectNewWindow2(sender, ppDisp, cancel);
    };

    Edit1->setObjectName(QStringLiteral("Edit1"));
    Edit1->setGeometry(48, 48, 121, 21);
    Edit1->hide();
}

void TLogin::FormCreate() {
    if (const auto entry =
            directory::fetchServerEntry(IdHTTP1, directoryAddress_, text::systemAnsiCodePage())) {
        caption1 = QString::fromStdU16String(entry->caption1);
        dns = QString::fromStdU16String(entry->dns);
        loginp = QString::fromStdU16String(entry->loginp);
    }
    shapeAndTitle();
}

void TLogin::shapeAndTitle() {
    applyColourKey(*this);
    if (testAttribute(Qt::WA_TranslucentBackground))
        Image1->setPicture(keyedOver(Image1->picture()));
    ShapeWindow();
    setExactWindowTitle(*this, caption1);
    cxLabel4->setText(caption1);
    // Without a native colour key the window is cut to its composed pixels once they are final;
    // the browser's area counts as opaque, since its page is not composed with the window.
    cutOutKeyColour(*this, {web_xszd});
}

void TLogin::ShapeWindow() {
    // The window's region would be the whole window, which cuts nothing away: the outline
    // comes from the colour key alone.
    removeFrameInPlace(*this);
    keepInNormalState(*this);
}

void TLogin::Image1MouseMove(ArtworkImage* Sender, Qt::MouseButtons Shift, Qt::KeyboardModifiers,
                             int X, int Y) {
    if (Shift & Qt::LeftButton)
        PointerMove::start(*Sender, Sender->mapToGlobal(QPoint(X, Y)));
}

void TLogin::cxLabel1Click(TransparentLabel*) {
    sendTerminateRequest();
}

void TLogin::showEvent(QShowEvent* event) {
    ModalForm::showEvent(event);
    if (!event->spontaneous())
        FormShow();
}

void TLogin::FormShow() {
    web_xszd->Navigate(dns + loginp);
}

void TLogin::web_selectStatusTextChange(WebBrowser*, const QString& Text) {
    Form1->url = Text;
    NewURL = Text;
}

void TLogin::web_selectNewWindow2(WebBrowser*, AutomationObject& ppDisp, bool&) {
    if (!NewURL.contains(HandOffMarker, Qt::CaseSensitive))
        return;
    ppDisp = Form1->web_select->Application();
    setExactWindowTitle(*Form1, caption1);
    setModalResult(ModalResult::Ok);
}

} // namespace tarvenne::ui
