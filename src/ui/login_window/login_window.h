#pragma once

#include "forms/modal_form.h"

#include <QString>
#include <http/http_client.h>
#include <string>

class QFrame;
class QLineEdit;
class QShowEvent;

namespace tarvenne::ui {

class ArtworkImage;
class AutomationObject;
class TransparentLabel;
class WebBrowser;

// The text in the last status report of the login browser that hands the next new window
// to the main window.
inline const QString HandOffMarker = QStringLiteral("me.php?FQ");

// The login window: fetches the server directory when it is created, shows the record's
// login page in its browser, and hands the game's window to the main window.
class TLogin : public ModalForm {
    Q_OBJECT

public:
    // Built hidden from its design; `directoryAddress` is where the update document lives.
    TLogin(QWidget* owner, std::string directoryAddress);

    // The creation handler: fetches and decodes the update document, stores the game's
    // record, then shapes and titles the window.
    void FormCreate();
    // The shaping sequence that ends the creation handler.
    void shapeAndTitle();
    // The show handler: sends the browser to the login page.
    void FormShow();

    // Takes the frame off the window, in place.
    void ShapeWindow();
    // Moves the window with the pointer while the left button is held over the artwork.
    void Image1MouseMove(ArtworkImage* Sender, Qt::MouseButtons Shift, Qt::KeyboardModifiers, int X,
                         int Y);
    // The close hotspot: sends the terminate request.
    void cxLabel1Click(TransparentLabel* Sender);

    void web_selectStatusTextChange(WebBrowser* ASender, const QString& Text);
    void web_selectNewWindow2(WebBrowser* ASender, AutomationObject& ppDisp, bool& Cancel);

    // The controls in creation order; later ones lie above earlier ones.
    ArtworkImage* Image1;
    TransparentLabel* cxLabel1;
    TransparentLabel* cxLabel4;
    QFrame* Panel1;
    WebBrowser* web_xszd;
    QLineEdit* Edit1;

    // The chosen record: site address prefix, login page path, title.
    QString dns;
    QString loginp;
    QString caption1;
    // The last status text reported by the browser.
    QString NewURL;

protected:
    void showEvent(QShowEvent* event) override;

private:
    http::HttpClient IdHTTP1;
    std::string directoryAddress_;
};

} // namespace tarvenne::ui
