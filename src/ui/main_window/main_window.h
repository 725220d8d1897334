#pragma once

#include <QString>
#include <QUrl>
#include <QWidget>
#include <string>

namespace tarvenne::ui {

class AutomationObject;
class WebBrowser;

// The main window: created first, runs the login gate from its creation handler, and
// after the hand-off shows the game's web client maximised, restyling every document that
// its browser completes.
class TForm1 : public QWidget {
    Q_OBJECT

public:
    // `directoryAddress`: where the login window fetches the update document.
    explicit TForm1(std::string directoryAddress);

    // The creation handler: the login gate.
    void FormCreate();

    void web_selectDocumentComplete(WebBrowser* ASender, const AutomationObject& pDisp,
                                    const QUrl& URL);

    // The only child control; receives the handed-off page.
    WebBrowser* web_select;
    // The last status text of the login browser; written by the login window, never read.
    QString url;

protected:
    void showEvent(QShowEvent* event) override;
    bool event(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    std::string directoryAddress_;
};

// The main window, set before its creation handler runs.
extern TForm1* Form1;

} // namespace tarvenne::ui
