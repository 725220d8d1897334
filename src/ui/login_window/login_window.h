#pragma once

#include "forms/modal_form.h"

#include <QString>
#include <http/http_client.h>
#include <string>

class QFrame;
class QShowEvent;

namespace tarvenne::ui {

class AutomationObject;
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

    void web_selectStatusTextChange(WebBrowser* ASender, const QString& Text);
    void web_selectNewWindow2(WebBrowser* ASender, AutomationObject& ppDisp, bool& Cancel);

    QFrame* Panel1;
    WebBrowser* web_xszd;

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
